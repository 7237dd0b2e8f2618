#include "members/memberentry.h"

#include "core/numbertext.h"

namespace MemberEntry {

bool complete(const Typed &typed)
{
    return !typed.name.isEmpty() && !typed.kana.isEmpty() && !typed.birthday.isEmpty() && !typed.hc.isEmpty();
}

Checked<Values> check(const Typed &typed)
{
    Checked<Values> checked;
    const std::optional<double> hc = NumberText::read(typed.hc);
    if (!hc || !NumberText::roundToInt16(*hc))
        checked.error = FieldError{Hc, QStringLiteral("HCには数値を入力してください")};
    else
        checked.values = {typed.name, typed.kana, typed.birthday, *hc};
    return checked;
}

} // namespace MemberEntry
