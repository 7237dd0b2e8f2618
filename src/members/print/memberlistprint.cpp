#include "members/print/memberlistprint.h"

#include "platform/print/ruledtable.h"

namespace MemberListPrint {

void drawCopy(PrintCanvas &canvas, const QString &caption, const QVector<QStringList> &cells, int printSize)
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

} // namespace MemberListPrint
