#pragma once

#include "core/membertable.h"
#include "core/scoretable.h"

#include <QHash>
#include <QVector>

// Each member's handicap follows the new handicap of their latest calculated competition of
// the year. Used by "最新HC取得" of the member list and by the new-handicap calculation.
namespace LatestHandicap {

// Member ID → the handicaps of that member's Score row of their latest month of the year
// (December back to January) whose row has a result. A row not yet calculated (NEW_HC 0 or
// empty) is no result. Only the first competition of a month and the member's first row in it
// count.
QHash<int, HandicapResult> find(int year);

// Which year-handicap moves along with HC.
enum class AlsoSet { Nothing, FirstHc, EndHc };

// Sets every member's HC to the NEW_HC of the result found, and F_HC to the handicap that
// result was played with, or E_HC to the new HC, as asked; members without a result keep
// theirs. All members or none: joins the caller's transaction if there is one.
void apply(int year, AlsoSet alsoSet = AlsoSet::Nothing);
// apply(year) for the member list: returns every member in kana order as MemberTable::allByKana
// reads once it is done, so that the list need not be read again.
QVector<MemberRecord> applyForList(int year);

} // namespace LatestHandicap
