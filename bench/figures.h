#pragma once

#include "clubs.h"

// The figures of the benchmark program, each group on one club; each figure is printed as it
// is measured.
namespace Figures {

// Start-ups are measured in new processes, whose times vary more: more runs.
inline constexpr int StartupRuns = 25;

// Opening a window as the user does, through the button's own handler, until it is painted:
// the annual window (年間 in the month window), the member list (メンバー in the main menu),
// December's score sheet (12月 in the month window) and a member's handicap history.
void openings(const Clubs::Club &club);
// 新HC計算 on December's sheet and 最新HC取得 in the member list, each until the reloaded
// table has been painted.
void handlers(const Clubs::Club &club);
// Each table window's rows read again and painted, as after a change, beside the floor.
void reloads(const Clubs::Club &club);
// Each print button's one copy into a PDF file.
void printouts(const Clubs::Club &club);
// The program started in a new process until its main menu is painted: the first start of a
// day (whole-file check and the day's copy) and a later one.
void startup(const Clubs::Club &club);

// In a child process started by startup(): runs and returns the exit code, or -1 when the
// arguments do not ask for a child.
int startupChild(int argc, char *argv[]);

} // namespace Figures
