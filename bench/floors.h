#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QHash>
#include <QStringList>
#include <QVariantList>
#include <QVector>

#include <functional>
#include <vector>

class QTableView;

// The pieces the floors are made of: the least work that gives the same result as a figure,
// with nothing of the program's own code in between.
namespace Floors {

// ---- reading -------------------------------------------------------------------------------

// Every value of every row of a statement, each in its stored type: what a reader holds once it
// has read the rows, before it works anything out of them.
struct Values
{
    std::vector<qint64> integers;
    std::vector<double> reals;
    QStringList texts;
    qint64 firstInteger() const { return integers.empty() ? 0 : integers.front(); }
};

// The rows read front to back with the sqlite3 C API on the program's own connection (so its
// page cache is as warm as the program's): one prepared statement, the values bound, every
// column of every row taken as the engine stored it into plain vectors, a text turned into the
// QString any window needs to show it. No QVariant, no driver, no query object in between: no
// reader of those rows can do less.
Values readRows(const QString &statement, const QVector<qint64> &values = {});

// The rows each table window is made of, read as above with the columns it shows or works its
// cells out of, and nothing else: what any program showing that table must read.
void readAnnualRows(int year);             // the year's competitions, their rows, the members
void readMemberRows();                     // the members, the four columns shown
void readSheetRows(int year, int month);   // the month's competition and its rows of present members
void readHistoryRows(int memberId);        // the member and the member's rounds with their competitions
QString idList(const std::vector<qint64> &ids); // "3,5,9"

// ---- writing -------------------------------------------------------------------------------

// Rows by the ID in their first column, the other columns as values.
using Snapshot = QHash<int, QVariantList>;
Snapshot snapshot(const QString &statement, const QVariantList &values = {});

// One update statement ("… set A=?,B=? where ID=?") with the values of each row it is run for.
struct Writes
{
    QString statement;
    QVector<QVector<double>> rows;
};
// The updates that turn `before` into `after`: one for each row whose values differ, none for
// the others, as a program that writes only what changes.
Writes changes(const QString &statement, const Snapshot &before, const Snapshot &after);
// Each statement prepared once with the C API and run for its rows, all in one transaction on
// the program's connection.
void write(const QVector<Writes> &writes);

// ---- showing -------------------------------------------------------------------------------

// The cells of a table as the user sees them: the header row, then each row's texts and
// backgrounds (invalid where a cell shows the plain background), the fixed column first where
// the table has one.
struct Cells
{
    QStringList headers;
    QVector<QStringList> texts;
    QVector<QVector<QColor>> backgrounds;
};
Cells cellsOf(const QTableView &table);

// How a window shows its table: the window's size, the table's place, font, column widths and
// row height.
struct TableShape
{
    QSize windowSize;
    QRect tableGeometry;
    QFont font;
    QVector<int> columnWidths; // pixels, the fixed column first
    int rowHeight = 0;
};
TableShape shapeOf(const QWidget &window, const QTableView &table);

class CellsModel;

// A bare dialog holding a bare QTableView shaped like a table window, over the least model
// there is: it hands the view the texts and backgrounds of the cells it asks for, taken
// beforehand, and does nothing else. The same cells painted at the same size.
class BareWindow : public QDialog
{
public:
    BareWindow(const TableShape &shape, QWidget *parent = nullptr);
    // The cells as the only rows, the view told once.
    void fill(const Cells &cells);
    QTableView *table;

private:
    CellsModel *m_model;
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
