#pragma once

#include <QColor>
#include <QStringList>
#include <QTableWidget>
#include <QVector>

class QLabel;

// The table of the grid windows. Row 0 is the fixed header row; with one fixed column,
// column 0 stays in view when the grid scrolls sideways. Callers address cells as
// (row, column) of the whole grid, header included, and act on "the current cell" the way
// the windows fill and read their tables: make a cell current, then get or set it.
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

    int row() const { return m_row; }
    void setRow(int row);
    int col() const { return m_col; }
    void setCol(int column);
    // The other end of the block of rows the user selected; equal to row() without a block.
    int rowSel() const { return m_rowSel; }
    int firstSelectedRow() const { return qMin(m_row, m_rowSel); }
    int lastSelectedRow() const { return qMax(m_row, m_rowSel); }

    QString text() const;
    void setText(const QString &text);
    QColor cellBackColor() const;
    void setCellBackColor(const QColor &color);
    // Shortcuts that make the cell current first.
    QString textAt(int row, int column);
    void setTextAt(int row, int column, const QString &text);
    // A cell as the user sees it, the current cell left where it is: whole-grid coordinates,
    // header row 0, fixed column 0.
    QString cellText(int row, int column) const;
    QColor cellBackground(int row, int column) const; // the colour the user sees in that cell

    int colWidth(int column) const; // twips
    void setColWidth(int column, int twips);

    // Selects rows from..to as a mouse drag from `from` to `to` would.
    void selectRows(int from, int to);

signals:
    void Click();
    void DblClick();
    void MouseDown(int button); // 1 left, 2 right, 4 middle

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QTableWidgetItem *cell(int row, int column, bool create) const;
    void takeCurrentFromView(bool extendBlock);
    void placeCornerLabel();
    void updateFrozenColumnWidth();

    int m_fixedCols = 0;
    int m_row = 0;
    int m_col = 0;
    int m_rowSel = 0;
    int m_fixedColumnTwips = 0;
    QTableWidgetItem *m_corner;
    QLabel *m_cornerLabel;
};
