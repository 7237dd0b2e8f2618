#include "core/dates.h"

#include <QRegularExpression>

namespace Dates {

QDate parse(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,4})[/-](\\d{1,2})[/-](\\d{1,2})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    return QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
}

QString format(const QDate &date)
{
    return QStringLiteral("%1/%2/%3").arg(date.year()).arg(date.month()).arg(date.day());
}

int compareBirthdays(const QDate &a, const QDate &b)
{
    if (a.isValid() && b.isValid())
        return a < b ? -1 : (b < a ? 1 : 0);
    if (a.isValid() != b.isValid())
        return a.isValid() ? -1 : 1;
    return 0;
}

} // namespace Dates
