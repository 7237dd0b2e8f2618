#pragma once

#include "annual/annualrow.h"

#include <QColor>
#include <QStringList>
#include <QVector>

#include <array>

class PrintCanvas;

// The backgrounds of the placed months in the annual window; the printout boxes a month whose
// background is exactly one of them.
namespace AnnualMarks {
inline const QColor Winner(255, 192, 192);
inline const QColor RunnerUp(192, 192, 255);
inline const QColor Third(255, 255, 128);
// The background of a mark 1, 2 or 3; invalid for no mark.
QColor colorOf(int mark);
// The mark of a background, 0 when it is none of the three.
int markOf(const QColor &color);
} // namespace AnnualMarks

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

// The box colour of a month background: red, blue or yellow for the three mark colours,
// invalid for any other.
QColor boxColourOf(const QColor &background);

// Draws one copy; the caller ends the document. year is the edited year of the title.
void drawCopy(PrintCanvas &canvas, int year, const QVector<Line> &lines, int printSize);

} // namespace AnnualPrint
