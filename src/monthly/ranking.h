#pragma once

#include "core/scoretable.h"

#include <QVector>

struct SettingsRecord;

// The club's handicap rule: rank a month's field by net score, reduce the first three
// handicaps, and bring every member's handicap up to their latest calculated month.
namespace Ranking {

// The new handicap of a place: HC × the place's multiplier for places 1 to 3, HC itself
// after them. The product is formed in single precision, as the multipliers are held, and an
// exact half goes to the even neighbour (25 × 0.7 → 18, 15 × 0.7 → 10). A new handicap is a
// 16-bit number: one that does not fit is refused (DatabaseError naming the place), never cut.
int newHandicap(double hc, int place, const SettingsRecord &settings);

// Places 1 … N in the sheet's order (net, then age by birthday date, then ID), so the place
// a user sees is the RANK stored. Then every member's HC follows their latest calculated
// month of the year; on the January sheet F_HC and on the December sheet E_HC as well.
// All or nothing: a refused new handicap stores nothing of the run. Throws DatabaseError.
// Returns the sheet as it now reads (ScoreTable::sheetRows): the rows whose member exists,
// with their new places and handicaps.
QVector<ScoreRecord> calculateMonth(int courseId, int sheetMonth, int year, const SettingsRecord &settings);

} // namespace Ranking
