#include "core/dates.h"

#include <optional>

namespace Dates {

namespace {

// The blanks a date may have around it: space, tab, line breaks, vertical tab, form feed.
bool isBlank(QChar character)
{
    const char16_t code = character.unicode();
    return code == u' ' || (code >= u'\t' && code <= u'\r');
}

// One to `most` ASCII digits from `at` on, which then stands after them.
std::optional<int> number(QStringView text, qsizetype &at, int most)
{
    int value = 0;
    int count = 0;
    while (count < most && at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
        value = value * 10 + (text[at].unicode() - u'0');
        ++at;
        ++count;
    }
    return count > 0 ? std::optional<int>(value) : std::nullopt;
}

bool separatorAt(QStringView text, qsizetype &at)
{
    if (at >= text.size() || (text[at] != u'/' && text[at] != u'-'))
        return false;
    ++at;
    return true;
}

} // namespace

QDate parse(const QString &text)
{
    // Read by hand, not by a regular expression: a large club's sheet reads over a thousand
    // birthdays at every reload.
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && isBlank(text[first]))
        ++first;
    while (end > first && isBlank(text[end - 1]))
        --end;
    const QStringView date = QStringView(text).mid(first, end - first);
    qsizetype at = 0;
    const std::optional<int> year = number(date, at, 4);
    if (!year || !separatorAt(date, at))
        return {};
    const std::optional<int> month = number(date, at, 2);
    if (!month || !separatorAt(date, at))
        return {};
    const std::optional<int> day = number(date, at, 2);
    if (!day || at != date.size())
        return {};
    return QDate(*year, *month, *day);
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
