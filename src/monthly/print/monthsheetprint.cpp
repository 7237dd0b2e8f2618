#include "monthly/print/monthsheetprint.h"

#include "platform/print/ruledtable.h"

namespace MonthSheetPrint {

namespace {

constexpr double ColumnUnit = 0.44;

} // namespace

void drawCopy(PrintCanvas &canvas, const QString &caption, const QString &playDate, const QString &courseName,
              const QVector<QStringList> &cells, int printSize, bool prizeColumn)
{
    canvas.setFontSize(15.0 * printSize / 100.0);
    // Every column lands inside its cell for a pitch between 0.4375 and 0.4746 of "あ"; at
    // the low end a net score such as "79.5" still fits the NET cell.
    canvas.setColumnUnit(ColumnUnit);

    RuledTable table;
    table.top = 1;
    table.titleLines = {
        {{1, caption}},
        {{7, QStringLiteral("Date ") + playDate}, {50, QStringLiteral("Course ") + courseName}},
    };
    table.header = {QStringLiteral("RANK"),   QStringLiteral("氏名"), QStringLiteral("HC"),
                    QStringLiteral("OB罰金"), QStringLiteral("OUT"),  QStringLiteral("IN"),
                    QStringLiteral("GROSS"),  QStringLiteral("NET"),  QStringLiteral("新HC")};
    table.rows = cells;
    table.textColumns = {3, 12, 25, 30, 40, 45, 50, 60, 65};
    table.rules = {4.5, 10, 12, 17, 19, 21, 25.5, 28};
    table.rightEdge = 32;
    if (prizeColumn) {
        table.header << QStringLiteral("賞");
        table.textColumns << 74; // as far into its cell as 新HC is into its own
        table.rules << 32;
        table.rightEdge = 37;
    }
    table.ruleAtRightEdge = false;
    table.ruleUnderLastRow = false; // the last row's lower edge is the frame
    RuledTablePrint::print(canvas, table);
}

} // namespace MonthSheetPrint
