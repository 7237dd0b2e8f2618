#pragma once

#include <QColor>
#include <QStringList>
#include <QTableWidget>
#include <QVector>

class QLabel;

// The table of the grid windows. Row 0 is the fixed header row; with one fixed column,
// column 0 stays in view when the grid scrolls sideways. Callers address cells as
// (row, column) of the whole grid, header included.
//
// The current cell and the selected block are the view's own current index and selection:
// the row the user sees highlighted is the current row, whether the user clicked, dragged,
// used the keys or the program made it current. Row 0 is current when no data row is.
class Grid : public QTableWidget
{
    Q_OBJECT

public:
    static const QColor FixedColor; // (128, 128, 255)

    explicit Grid(QWidget *parent = nullptr);

    void setCols(int columns);
    int cols() const;
    void setFixedCols(int fixedColumns); // 0 or 1
    int fixedCols() const { return m_fixedCols; }

    int rows() const;
    void setRows(int rows); // 1 keeps only the header row
    void addRow();          // the new row is rows() - 1

    int row() const;
    // Makes the row current and the only one selected; 0 leaves no data row current.
    void setRow(int row);
    int col() const { return m_col; }
    void setCol(int column);
    // The other end of the block of rows the user selected; equal to row() without a block.
    int rowSel() const;
    int firstSelectedRow() const { return qMin(row(), rowSel()); }
    int lastSelectedRow() const { return qMax(row(), rowSel()); }
    // Whether the current row is a selected data row: what edit and delete act on.
    bool hasSelectedRow() const;

    // The current cell's text and background.
    QString text() const;
    void setText(const QString &text);
    QColor cellBackColor() const;
    void setCellBackColor(const QColor &color);
    // Any cell without making it current: whole-grid coordinates, header row 0, fixed column 0.
    QString cellText(int row, int column) const;
    QColor cellBackground(int row, int column) const; // the colour the user sees in that cell
    // A shortcut that makes the cell current first.
    void setTextAt(int row, int column, const QString &text);

    // Fills a data row's cells from column 0 on; how the windows load their rows.
    void setRowTexts(int row, const QStringList &texts);
    void setCellBackground(int row, int column, const QColor &color);

    // While it lives the grid holds `dataRows` empty data rows for setRowTexts and
    // setCellBackground to fill. The view hears of the new cells at once when it ends, rather
    // than cell by cell, and paints them only then, as if the grid were hidden meanwhile: a
    // reload of thousands of cells costs what the cells cost.
    class Loading
    {
    public:
        Loading(Grid &grid, int dataRows);
        ~Loading();
        Loading(const Loading &) = delete;
        Loading &operator=(const Loading &) = delete;

    private:
        Grid &m_grid;
        bool m_wasBlocked;
    };

    int colWidth(int column) const; // twips
    void setColWidth(int column, int twips);

    // The lines between the cells, and the area beyond the last cell.
    void setGridColor(const QColor &color);
    void setBackColorBkg(const QColor &color);

signals:
    void Click();
    void DblClick();
    void MouseDown(int button); // 1 left, 2 right, 4 middle
    // The current cell or the selected block changed, however.
    void SelChange();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;

private:
    QTableWidgetItem *cell(int row, int column, bool create) const;
    void placeCornerLabel();
    void updateFrozenColumnWidth();

    int m_fixedCols = 0;
    // The current column. Usually the view's current column; the fixed column cannot be the
    // view's, so it is kept here.
    int m_col = 0;
    int m_fixedColumnTwips = 0;
    QColor m_backColorBkg;
    QTableWidgetItem *m_corner;
    QLabel *m_cornerLabel;
};
