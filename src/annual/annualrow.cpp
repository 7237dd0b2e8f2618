#include "annual/annualrow.h"

#include "core/numbertext.h"

namespace {

// "85", "12.5"; empty for an absent value.
template <typename Number>
QString textOf(const std::optional<Number> &value)
{
    return value ? NumberText::plain(*value) : QString();
}

} // namespace

QStringList annualHeaders()
{
    QStringList texts = {QStringLiteral("氏名"), QStringLiteral("初HC"), QStringLiteral("終HC")};
    for (int month = 1; month <= 12; ++month)
        texts.append(QString::number(month) + QStringLiteral("月"));
    texts << QStringLiteral("OB罰金") << QStringLiteral("平均") << QStringLiteral("最高") << QStringLiteral("最低")
          << QStringLiteral("資格");
    return texts;
}

QString annualCellText(const AnnualRow &row, int column)
{
    using namespace AnnualColumns;
    if (column >= FirstMonth && column < FirstMonth + 12)
        return textOf(row.monthGross[static_cast<std::size_t>(column - FirstMonth)]);
    switch (column) {
    case 0:
        return row.name;
    case 1:
        return NumberText::plain(row.initialHc);
    case 2:
        return NumberText::plain(row.finalHc);
    case ObTotal:
        return textOf(row.obTotal);
    case ObTotal + 1:
        return textOf(row.averageGross);
    case ObTotal + 2:
        return textOf(row.bestGross);
    case ObTotal + 3:
        return textOf(row.worstGross);
    case ObTotal + 4:
        return row.eligible ? (*row.eligible ? QStringLiteral("○") : QStringLiteral("×")) : QString();
    default:
        return QString();
    }
}

QStringList annualRowTexts(const AnnualRow &row)
{
    QStringList texts;
    for (int column = 0; column < AnnualColumns::Count; ++column)
        texts << annualCellText(row, column);
    return texts;
}
