#include "memberlistprint.h"

#include "../core/module1.h"
#include "../platform/grid.h"
#include "../platform/printcommand.h"
#include "../platform/ruledtable.h"

namespace MemberListPrint {

QVector<QStringList> gridCells(Grid &grid)
{
    QVector<QStringList> cells;
    for (int row = 1; row < grid.rows(); ++row) {
        const QString name = grid.textAt(row, 0);
        cells.append({name, grid.textAt(row, 3)});
    }
    return cells;
}

void printpage(PrintCanvas &canvas, const QString &caption, const QVector<QStringList> &cells, int printSize)
{
    canvas.setFontSize(20.0 * printSize / 100.0);
    canvas.setColumnUnit(PrintCanvas::ColumnPerFullWidth);

    RuledTable table;
    table.top = 1;
    table.titleLines = {{{1, caption}}};
    table.header = {QStringLiteral("氏名"), QStringLiteral("HC")};
    table.rows = cells;
    table.textColumns = {3, 20};
    table.rules = {8};
    table.rightEdge = 10;
    table.ruleAtRightEdge = false;
    table.ruleUnderLastRow = true;
    RuledTablePrint::print(canvas, table);
}

void print(QWidget *parent, Grid &grid, const QString &caption)
{
    const QVector<QStringList> cells = gridCells(grid);
    const int printSize = Module1::Settings.printSize;
    PrintCommand::run(parent, [&](PrintCanvas &canvas) { printpage(canvas, caption, cells, printSize); });
}

} // namespace MemberListPrint
