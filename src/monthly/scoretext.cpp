#include "monthly/scoretext.h"

#include "core/scoretable.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace ScoreText {

QString placeLabel(int place)
{
    switch (place) {
    case 1:
        return QStringLiteral("優勝");
    case 2:
        return QStringLiteral("準優勝");
    case 3:
        return QStringLiteral("3位");
    default:
        return QString::number(place);
    }
}

QStringList sheetRowTexts(const ScoreRecord &score, int place)
{
    return {placeLabel(place),
            score.memberName,
            number(score.hc),
            number(score.ob),
            QString::number(score.out),
            QString::number(score.in),
            QString::number(score.gross),
            number(score.net),
            number(score.newHc)};
}

QString number(double value)
{
    return QString::number(value, 'g', 12);
}

std::optional<double> toNumber(const QString &text)
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
    // Written so that NaN, which fails every comparison, is refused too.
    if (!(rounded >= std::numeric_limits<qint16>::min() && rounded <= std::numeric_limits<qint16>::max()))
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<qint16> toInt16(const QString &text)
{
    const std::optional<double> value = toNumber(text);
    if (!value)
        return std::nullopt;
    return roundToInt16(*value);
}

std::optional<qint16> toWhole(const QString &text, int minimum)
{
    const std::optional<double> value = toNumber(text);
    if (!value || *value != std::floor(*value) || *value < minimum || *value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(*value);
}

} // namespace ScoreText
