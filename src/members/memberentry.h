#pragma once

#include "core/entrycheck.h"

#include <QString>

// What the member edit dialog reads from its fields.
namespace MemberEntry {

enum Field { Name, Kana, Birthday, Hc };

struct Typed
{
    QString name;
    QString kana;
    QString birthday;
    QString hc;
};

struct Values
{
    QString name;
    QString kana;
    QString birthday;
    double hc = 0;
};

// A name or kana holds a control character (U+0000 to U+001F, U+007F: a tab, a line break, NUL):
// such a name cannot be told apart in a list or a printout, and breaks the CSV copy's rows.
// The member dialog and the member import refuse it alike.
bool holdsControlCharacter(const QString &text);
// The refusal of such a field, naming it as captioned: "氏名には制御文字…".
QString controlCharacterRefusal(const QString &field);

// OK is offered once every field holds text.
bool complete(const Typed &typed);

// Name, kana and birthday are kept exactly as typed; a name or kana with a control character is
// refused. The handicap must be a number that rounds
// into 16 bits, as the score entry reads it: a member with a larger one could never be
// entered in a month.
Checked<Values> check(const Typed &typed);

} // namespace MemberEntry
