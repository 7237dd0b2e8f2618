#include "platform/print/ruledtable.h"

#include <QtGlobal>

#include <cmath>

namespace RuledTablePrint {

double cellLeft(const RuledTable &table, int cell, double u)
{
    return cell == 0 ? FrameLeft : table.rules.value(cell - 1) * u;
}

double cellRight(const RuledTable &table, int cell, double u)
{
    return cell < table.rules.size() ? table.rules.at(cell) * u : table.rightEdge * u;
}

int rowsPerPage(const RuledTable &table, double v, double pageHeight)
{
    // The frame runs from the header row's top to the last row's bottom.
    const double headerTop = table.top + table.titleLines.size() * v;
    const double room = (pageHeight - headerTop) / v - 1;
    return qMax(1, static_cast<int>(std::floor(room + 1e-9)));
}

namespace {

QVector<PrintItem> lineOf(const RuledTable &table, const QStringList &texts, double u, double ruleHalf)
{
    QVector<PrintItem> items;
    for (int cell = 0; cell < table.textColumns.size(); ++cell)
        items.append({table.textColumns.at(cell), texts.value(cell), cellRight(table, cell, u) - ruleHalf});
    return items;
}

void printPage(PrintCanvas &canvas, const RuledTable &table, int first, int count, double u, double v)
{
    canvas.setCurrentY(table.top);
    for (QVector<PrintItem> line : table.titleLines) {
        for (PrintItem &item : line)
            item.right = item.right < 0 ? canvas.pageWidth() : item.right;
        canvas.printLine(line);
    }
    const double headerTop = table.top + table.titleLines.size() * v;
    canvas.setCurrentY(headerTop);
    // Inside the ink of the cell's right rule.
    const double ruleHalf = RuleDots * canvas.dotWidth() / 2;
    canvas.printLine(lineOf(table, table.header, u, ruleHalf));
    for (int row = first; row < first + count; ++row)
        canvas.printLine(lineOf(table, table.rows.at(row), u, ruleHalf));

    const double left = FrameLeft;
    const double right = table.rightEdge * u;
    const double bottom = headerTop + (1 + count) * v;

    // The boxes go under the rules, which are drawn over them.
    bool widthSet = false;
    for (int row = first; row < first + count; ++row) {
        const QVector<QColor> colours = table.boxes.value(row);
        const double rowTop = headerTop + (1 + row - first) * v;
        for (int cell = 0; cell < colours.size(); ++cell) {
            if (!colours.at(cell).isValid())
                continue;
            if (!widthSet) {
                canvas.setLineWidth(RuleDots / 2);
                widthSet = true;
            }
            canvas.drawBox(cellLeft(table, cell, u) + 0.1, rowTop + 0.1, cellRight(table, cell, u) - 0.1,
                           rowTop + v - 0.1, colours.at(cell));
        }
    }

    canvas.setLineWidth(RuleDots);
    canvas.drawBox(left, headerTop, right, bottom, Qt::black);
    canvas.drawLine(left, headerTop + v, right, headerTop + v, Qt::black);
    QVector<double> verticals = table.rules;
    if (table.ruleAtRightEdge)
        verticals.append(table.rightEdge);
    for (double k : std::as_const(verticals))
        canvas.drawLine(k * u, headerTop, k * u, bottom, Qt::black);

    canvas.setLineWidth(RuleDots / 2);
    const int ruled = table.ruleUnderLastRow ? count : count - 1;
    for (int row = 1; row <= ruled; ++row) {
        const double y = headerTop + (1 + row) * v;
        canvas.drawLine(left, y, right, y, Qt::black);
    }
}

} // namespace

void print(PrintCanvas &canvas, const RuledTable &table)
{
    // A table wider than the paper is printed at the largest size whose frame, right rule
    // included, fits across: columns past the paper's edge would be lost.
    const double room = canvas.pageWidth() - RuleDots * canvas.dotWidth();
    double u = canvas.textWidth(QStringLiteral("あ"));
    while (table.rightEdge * u > room) {
        canvas.setFontSize(canvas.fontSize() * room / (table.rightEdge * u) * 0.999);
        u = canvas.textWidth(QStringLiteral("あ"));
    }
    const double v = canvas.textHeight(QStringLiteral("あ"));
    const int perPage = rowsPerPage(table, v, canvas.pageHeight());
    int first = 0;
    do {
        if (first > 0)
            canvas.newPage();
        const int count = qMin(perPage, static_cast<int>(table.rows.size()) - first);
        printPage(canvas, table, first, count, u, v);
        first += count;
    } while (first < table.rows.size());
}

} // namespace RuledTablePrint
