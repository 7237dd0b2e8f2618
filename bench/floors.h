#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QHash>
#include <QStringList>
#include <QVariantList>
#include <QVector>

#include <functional>

class Grid;
class QTableWidget;

// The pieces the floors are made of: the least work that gives the same result as a figure,
// with nothing of the program's own code in between.
namespace Floors {

// ---- reading -------------------------------------------------------------------------------

// Every value of every row of the statement, read once front to back on the program's
// connection with a forward-only query: no reader of those rows can do less. Returns the first
// value of the first row (invalid when there is none).
QVariant readRows(const QString &statement, const QVariantList &values = {});

// ---- writing -------------------------------------------------------------------------------

// Rows by the ID in their first column, the other columns as values.
using Snapshot = QHash<int, QVariantList>;
Snapshot snapshot(const QString &statement, const QVariantList &values = {});

// One update statement ("… set A=?,B=? where ID=?") with the values of each row it is run for.
struct Writes
{
    QString statement;
    QVector<QVariantList> rows;
};
// The updates that turn `before` into `after`: one for each row whose values differ, none for
// the others, as a program that writes only what changes.
Writes changes(const QString &statement, const Snapshot &before, const Snapshot &after);
// Each statement prepared once and run for its rows, all in one transaction on the program's
// connection.
void write(const QVector<Writes> &writes);

// ---- showing -------------------------------------------------------------------------------

// The cells of a grid's data rows as the user sees them: texts, and the backgrounds set on them
// (invalid where a cell shows the plain background).
struct Cells
{
    QStringList headers;
    QVector<QStringList> texts;
    QVector<QVector<QColor>> backgrounds;
};
Cells cellsOf(const Grid &grid);

// How a window shows its grid: the window's size, the grid's place, font, column widths and
// row height.
struct TableShape
{
    QSize windowSize;
    QRect tableGeometry;
    QFont font;
    QVector<int> columnWidths; // pixels, the fixed column first
    int rowHeight = 0;
};
TableShape shapeOf(const QWidget &window, const Grid &grid);

// A bare dialog holding a bare QTableWidget shaped like a grid window: the same cells painted
// at the same size, with nothing else.
class BareWindow : public QDialog
{
public:
    BareWindow(const TableShape &shape, QWidget *parent = nullptr);
    // The cells as the only rows: the table's rows are set once, each item made with its text
    // and put in unannounced, the view told of them all at once.
    void fill(const Cells &cells);
    QTableWidget *table;
};

// ---- printing ------------------------------------------------------------------------------

// What a print command drew on its one copy, in the units of the print canvas.
struct Drawing
{
    struct Text
    {
        double x, y;
        QString text;
        double condense; // 1, or narrower for a text wider than its cell
    };
    struct Shape
    {
        double x1, y1, x2, y2;
        QColor color;
        int width;
        bool box;
    };
    struct Page
    {
        QVector<Text> texts;
        QVector<Shape> shapes;
    };
    bool landscape = false;
    double fontSize = 0;
    QVector<Page> pages;
};

// Runs a print button with the printer dialog answered "PDF file, one copy" and the drawing
// kept instead of printed.
Drawing record(const std::function<void()> &printButton, const QString &pdfPath);
// The drawing with one bare painter on a PDF printer: the same texts at the same places in the
// same font, the same rules and boxes, nothing measured, clipped or kept on the way.
void drawBare(const Drawing &drawing, const QString &pdfPath);

} // namespace Floors
