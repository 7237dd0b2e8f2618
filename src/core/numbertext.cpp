#include "core/numbertext.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace NumberText {

QString plain(double value)
{
    // -0 is a zero to the user.
    if (value == 0)
        return QStringLiteral("0");
    // Nearly every value shown is whole, and a whole number below 2^53 is exactly its digits:
    // written as an integer, which costs a tenth of the shortest decimal form (a table of a
    // large club writes tens of thousands of them).
    constexpr double ExactWholeLimit = 9007199254740992.0; // 2^53
    if (std::fabs(value) < ExactWholeLimit && value == std::trunc(value))
        return QString::number(static_cast<qint64>(value));
    return QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
}

std::optional<double> read(const QString &text)
{
    bool ok = false;
    // The C locale: a decimal point always, whatever the user's locale says, and no digit
    // grouping ("1,000" is not read as a thousand).
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    const double value = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint16> roundToInt16(double value)
{
    // nearbyint follows the default rounding mode: to nearest, halves to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<qint16>::min() && rounded <= std::numeric_limits<qint16>::max()))
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<qint16> readInt16(const QString &text)
{
    const std::optional<double> value = read(text);
    if (!value)
        return std::nullopt;
    return roundToInt16(*value);
}

std::optional<qint16> readWhole(const QString &text, int minimum)
{
    const std::optional<double> value = read(text);
    if (!value || *value != std::floor(*value) || *value < minimum || *value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(*value);
}

} // namespace NumberText
