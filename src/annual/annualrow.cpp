#include "annual/annualrow.h"

#include "core/numbertext.h"

QString annualCellText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    bool isNumber = false;
    const double number = value.toDouble(&isNumber);
    return isNumber ? NumberText::plain(number) : value.toString();
}

QStringList annualRowTexts(const AnnualRow &row)
{
    QStringList texts;
    texts << row.name << annualCellText(row.initialHc) << annualCellText(row.finalHc);
    for (const QVariant &gross : row.monthGross)
        texts << annualCellText(gross);
    texts << annualCellText(row.obTotal) << (row.averageGross ? QString::number(*row.averageGross) : QString())
          << annualCellText(row.bestGross) << annualCellText(row.worstGross)
          << (row.eligible ? (*row.eligible ? QStringLiteral("○") : QStringLiteral("×")) : QString());
    return texts;
}
