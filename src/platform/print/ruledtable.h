#pragma once

#include "platform/print/printcanvas.h"

#include <QColor>
#include <QStringList>
#include <QVector>

// A printed table as all printouts lay it out: a few title lines from the top offset down,
// then a framed table, the header row first, one line per data row. Rules and boxes are
// multiples of the full-width "あ" (u across, v down, measured in the font already set);
// the texts stand at character columns, and one too wide for its cell is condensed to end
// inside the cell's right rule, as a title too wide for the paper is at the paper's edge.
//
// Rows that do not fit the page continue on the next one; every page repeats the title
// lines and the header row and carries its own frame and rules. A table wider than the page
// is printed smaller, so that it fits across.
struct RuledTable
{
    double top = 1; // T, in vertical units
    QVector<QVector<PrintItem>> titleLines;
    QStringList header;
    QVector<QStringList> rows;
    // Per data row and cell, a valid colour draws a box 0.1 unit inside that cell.
    QVector<QVector<QColor>> boxes;
    QVector<int> textColumns;      // one per cell
    QVector<double> rules;         // the rules between the cells, in u
    double rightEdge = 0;          // the frame's right edge, in u
    bool ruleAtRightEdge = false;  // a vertical rule also on the frame's right edge
    bool ruleUnderLastRow = false; // the last row rule lies on the frame's lower edge
};

namespace RuledTablePrint {

// The frame's left edge: one horizontal unit, whatever the font.
constexpr double FrameLeft = 1.0;
// The frame, the header rule and the vertical rules; the row rules are half as wide.
constexpr int RuleDots = 4;
// Edges of a cell in horizontal units, for the width u of "あ".
double cellLeft(const RuledTable &table, int cell, double u);
double cellRight(const RuledTable &table, int cell, double u);
// Data rows one page holds (at least one).
int rowsPerPage(const RuledTable &table, double v, double pageHeight);
// Draws the whole table, starting new pages as needed; does not end the document.
void print(PrintCanvas &canvas, const RuledTable &table);

} // namespace RuledTablePrint
