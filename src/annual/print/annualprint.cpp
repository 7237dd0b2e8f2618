#include "annual/print/annualprint.h"

#include "platform/print/ruledtable.h"

namespace AnnualMarks {

QColor colorOf(int mark)
{
    switch (mark) {
    case 1:
        return Winner;
    case 2:
        return RunnerUp;
    case 3:
        return Third;
    default:
        return {};
    }
}

int markOf(const QColor &color)
{
    for (int mark = 1; mark <= 3; ++mark) {
        if (color.isValid() && color.rgb() == colorOf(mark).rgb())
            return mark;
    }
    return 0;
}

} // namespace AnnualMarks

namespace AnnualPrint {

namespace {

// Rules after each column; at 50 % the narrow font needs slightly wider cells.
const QVector<double> StandardRules = {8.2,  10.9, 13.5, 15.5, 17.8, 20, 22.2, 24.3, 26.6, 28.7,
                                       30.9, 33.1, 35.3, 37.6, 39.6, 44, 46.3, 48.4, 51};
const QVector<double> HalfSizeRules = {8.5, 11,   13.5, 16, 18, 20.5, 22.5, 24.5, 27, 29,
                                       31,  33.5, 36,   38, 40, 44.5, 47,   49,   52};

} // namespace

QVector<Line> linesOf(const QVector<AnnualRow> &rows)
{
    QVector<Line> lines;
    lines.reserve(rows.size());
    for (const AnnualRow &row : rows) {
        Line line;
        line.texts = annualRowTexts(row);
        for (int month = 0; month < 12; ++month)
            line.monthBackgrounds[month] = AnnualMarks::colorOf(row.monthMark[month]);
        lines.append(std::move(line));
    }
    return lines;
}

QColor boxColourOf(const QColor &background)
{
    switch (AnnualMarks::markOf(background)) {
    case 1:
        return QColor(255, 0, 0);
    case 2:
        return QColor(0, 0, 255);
    case 3:
        return QColor(255, 255, 0);
    default:
        return {};
    }
}

void drawCopy(PrintCanvas &canvas, int year, const QVector<Line> &lines, int printSize)
{
    canvas.setFontSize(15.0 * printSize / 100.0);
    canvas.setLandscape(true);

    const bool halfSize = printSize == 50;
    // The columns land inside their cells for a pitch between 0.4372 and 0.4566 of "あ" with
    // the standard rules, between 0.4474 and 0.4566 with the rules for 50 %. The lower the
    // pitch, the more room for a three-digit score in the later months.
    canvas.setColumnUnit(halfSize ? 0.45 : 0.44);
    RuledTable table;
    table.top = 1;
    table.titleLines = {{{1, QString::number(year) + QStringLiteral("年度") + Caption}}};
    table.header = annualHeaders();
    table.textColumns = {3, 20, 26};
    for (int month = 0; month < 12; ++month)
        table.textColumns.append(32 + 5 * month);
    table.textColumns << 92 << 102 << 107 << 112 << 118;
    table.rules = halfSize ? HalfSizeRules : StandardRules;
    table.rightEdge = halfSize ? 55 : 54;
    table.ruleAtRightEdge = true; // the rule table ends with the frame's right edge
    table.ruleUnderLastRow = true;
    for (const Line &line : lines) {
        table.rows.append(line.texts);
        QVector<QColor> boxes(AnnualColumns::Count);
        for (int month = 0; month < 12; ++month)
            boxes[AnnualColumns::FirstMonth + month] = boxColourOf(line.monthBackgrounds[month]);
        table.boxes.append(boxes);
    }
    RuledTablePrint::print(canvas, table);
}

} // namespace AnnualPrint
