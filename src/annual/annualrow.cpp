#include "annualrow.h"

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

QString annualCellText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    bool isNumber = false;
    const double number = value.toDouble(&isNumber);
    return isNumber ? QString::number(number) : value.toString();
}
