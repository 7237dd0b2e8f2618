#include "members/memberentry.h"

#include "core/numbertext.h"

#include <algorithm>

namespace MemberEntry {

bool holdsControlCharacter(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

QString controlCharacterRefusal(const QString &field)
{
    return QStringLiteral("%1には制御文字（タブ、改行など）を使えません").arg(field);
}

bool complete(const Typed &typed)
{
    return !typed.name.isEmpty() && !typed.kana.isEmpty() && !typed.birthday.isEmpty() && !typed.hc.isEmpty();
}

Checked<Values> check(const Typed &typed)
{
    Checked<Values> checked;
    const std::optional<double> hc = NumberText::read(typed.hc);
    if (holdsControlCharacter(typed.name))
        checked.error = FieldError{Name, controlCharacterRefusal(QStringLiteral("氏名"))};
    else if (holdsControlCharacter(typed.kana))
        checked.error = FieldError{Kana, controlCharacterRefusal(QStringLiteral("ふりがな"))};
    else if (!hc || !NumberText::roundToInt16(*hc))
        checked.error = FieldError{Hc, QStringLiteral("HCには数値を入力してください")};
    else
        checked.values = {typed.name, typed.kana, typed.birthday, *hc};
    return checked;
}

} // namespace MemberEntry
