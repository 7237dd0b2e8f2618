#pragma once

#include "annualrow.h"

#include <QColor>
#include <QStringList>
#include <QVector>

#include <array>

class Grid;
class PrintCanvas;
class QWidget;

// The printed annual summary: one landscape table, the placed months boxed in red, blue and
// yellow.
namespace AnnualPrint {

inline const QString Caption = QStringLiteral("年間集計 (赤…優勝 青…準優勝 黄…三位)");

// One printed member line: the twenty cell texts and the twelve month cells' backgrounds,
// as the annual window shows them. A month is boxed only when its background is exactly one
// of the AnnualMarks colours.
struct Line
{
    QStringList texts;
    std::array<QColor, 12> monthBackgrounds;
};

// The twenty texts and the month backgrounds of each member as the window shows them.
QVector<Line> linesOf(const QVector<AnnualRow> &rows);
// Every data row of the annual window's grid (row 0, the header, left out), each cell made
// current in turn to be read.
QVector<Line> gridLines(Grid &grid);

// The box colour of a month background: red, blue or yellow for the three mark colours,
// invalid for any other.
QColor boxColourOf(const QColor &background);

// Draws one copy; the caller ends the document. year is the edited year of the title.
void printpage(PrintCanvas &canvas, int year, const QVector<Line> &lines, int printSize);

// The print button, with the window's grid as it stands: printer dialog, then each copy on
// one landscape page.
void print(QWidget *parent, Grid &grid);

} // namespace AnnualPrint
