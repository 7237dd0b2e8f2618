#pragma once

#include <QColor>
#include <QTableView>

class QFontMetricsF;

#include <optional>

class QLabel;

// The table of the windows that list rows, in the program's face: the header row in the header
// colour, a fixed first column that stays in view while the body scrolls sideways, column widths
// in twips as they are stored, a right click anywhere over it and a double click on a row.
//
// The fixed column is the view's vertical header: the model gives its texts as
// headerData(Qt::Vertical) and the caption of the corner cell above it is the view's own. The
// model's columns are the columns after it. "Columns" in twips count the fixed one first.
//
// The current row and the highlighted block are the view's own current index and selection: one
// contiguous block of whole rows, however the user selected it.
//
// No digit is hidden: a number or a header that does not fit its column is drawn condensed
// across, as the printouts do; another text is cut, its end marked, and shows whole in a
// tooltip. Columns keep the widths they were given: the widths are stored and shared, and one
// widened automatically could not be told from the user's.
class GridView : public QTableView
{
    Q_OBJECT

public:
    static const QColor HeaderColor; // (128, 128, 255)

    // How a text is shown in `room` pixels: whole as it is, condensed across by `condense` (< 1),
    // or cut to `shown` with its end marked.
    struct Fit
    {
        QString shown;
        qreal condense = 1;
        bool cut = false;
    };
    // `condensable`: a header's text, whatever it reads; a cell's only when it is a number (or a
    // date or a time, written in digits and their signs).
    static Fit fit(const QString &text, bool condensable, const QFontMetricsF &metrics, qreal room);

    explicit GridView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

    // Shows the fixed column with this caption in its header cell.
    void setFixedColumn(const QString &caption);
    bool hasFixedColumn() const;
    int columns() const; // the fixed column included

    int columnTwips(int column) const;
    void setColumnTwips(int column, int twips);
    // Widens each column after the fixed one to its header and its texts, never narrows one: for
    // the tables whose widths are not stored, so that none is the user's to keep.
    void widenColumnsToContents();

    // The lines between the cells, and the area beyond the last cell.
    void setGridColor(const QColor &color);
    void setBackgroundBeyondCells(const QColor &color);

    // The current row (0 = the first row of the model), -1 while none is.
    int currentRow() const;
    // Whether the current row is highlighted: what edit acts on.
    bool currentRowSelected() const;
    // The first and last row of the highlighted block, whichever end the current row is at:
    // what delete acts on. Nothing unless the current row is highlighted.
    struct Block
    {
        int first;
        int last;
    };
    std::optional<Block> highlightedBlock() const;
    // Makes the cell current and its row the only one highlighted, scrolled into view.
    void selectOnly(int row, int column);

signals:
    // The current row or the highlighted block changed, however: by the user, by the program or
    // by a reload.
    void highlightChanged();
    void rightButtonPressed(); // anywhere over the grid: a cell, a header, the corner, beyond
    void rowDoubleClicked();   // the left button, on a cell or on the fixed column

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;

private:
    void placeCorner();

    int m_fixedColumnTwips = 0;
    QColor m_backgroundBeyondCells;
    QLabel *m_corner;
};
