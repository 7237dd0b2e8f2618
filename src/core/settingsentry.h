#pragma once

#include "core/entrycheck.h"
#include "core/settingsrecord.h"

#include <QString>

#include <array>

// What the settings dialog reads from its number boxes.
namespace SettingsEntry {

enum Field { Year, Par1st, Par2nd, Par3rd, Tori1Val, Tori2Val, TenTori0, TenTori1, TenTori2, TenTori3 };

// A four-digit year of the Western calendar.
inline constexpr int FirstYear = 1000;
inline constexpr int LastYear = 9999;
// A new handicap is the placed member's handicap times the multiplier, and must stay a
// handicap: above 0 (a new HC of 0 reads as "not calculated yet") and at most twice the old
// one, so that no club's handicap leaves the 16 bits it is kept in.
inline constexpr double LargestMultiplier = 2.0;

struct Typed
{
    QString year;
    std::array<QString, 3> multipliers; // 優勝, 準優勝, 3位
    QString tori1Val;                   // 回以上出場
    QString tori2Val;                   // 点以上
    std::array<QString, 4> points;      // 出席, 優勝, 準優勝, 3位
};

// OK is offered while the year box reads as a number.
bool yearReadable(const QString &year);

// `settings` with every typed value put in, or the first box that does not hold what it must.
// A fraction goes to the nearest whole number, a half to the even neighbour (6.5 gives 6).
// The check boxes and the print scale are not typed: they stay as `settings` has them.
Checked<SettingsRecord> check(const Typed &typed, const SettingsRecord &settings);

} // namespace SettingsEntry
