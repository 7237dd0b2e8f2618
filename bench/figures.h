#pragma once

#include "clubs.h"
#include "measure.h"

// The figures of the benchmark program, each group on one club; each figure is printed as it
// is measured.
namespace Figures {

// A figure's target: at most `ratio` times its floor, and under 50 ms on the small club, whose
// every action should take no noticeable time.
inline Measure::Target targetFor(const Clubs::Club &club, double ratio)
{
    return {ratio, club.members <= 40 ? 50.0 : 0.0};
}

// Start-ups are measured in new processes, whose times vary more: more runs.
inline constexpr int StartupRuns = 25;

// Opening a window as the user does, through the button's own handler, until it is painted:
// the annual window (年間 in the month window), the member list (メンバー in the main menu),
// December's score sheet (12月 in the month window) and a member's handicap history; and closing
// the first three with 終了, which stores their placement.
void openings(const Clubs::Club &club);
// 新HC計算 on December's sheet and 最新HC取得 in the member list, each until the reloaded
// table has been painted.
void handlers(const Clubs::Club &club);
// Each table window's rows read again and painted, as after a change, beside the floor.
void reloads(const Clubs::Club &club);
// Each print button's one copy into a PDF file.
void printouts(const Clubs::Club &club);
// The program as built, started in a new process until its main menu is painted, beside two
// floors started the same way: the first start of a day (ten older copies in the backup folder,
// the day's copy to make) and a later one.
void startup(const Clubs::Club &club);

} // namespace Figures
