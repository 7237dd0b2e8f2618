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

// OK is offered once every field holds text.
bool complete(const Typed &typed);

// Name, kana and birthday are kept exactly as typed. The handicap must be a number that rounds
// into 16 bits, as the score entry reads it: a member with a larger one could never be
// entered in a month.
Checked<Values> check(const Typed &typed);

} // namespace MemberEntry
