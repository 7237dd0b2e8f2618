#pragma once

#include "core/membertable.h"
#include "core/scoretable.h"

#include <QDate>
#include <QStringList>
#include <QVector>

#include <optional>

// A member's handicap over every competition played, all years together.
namespace HandicapHistory {

struct History
{
    MemberRecord member; // its F_HC and E_HC are those of the edited year
    QVector<PlayedRound> rounds;
};

// Nothing when no member has the ID. Throws DatabaseError.
std::optional<History> of(int memberId);

// The columns of the history table and the text of a round in one of them. Place and new HC
// stay empty until the competition has been calculated.
QStringList headers();
QString cellText(const PlayedRound &round, int column);

// Where a round stands on the time axis: its play date, or the first of its month when the
// date text is not a date.
QDate dateOf(const PlayedRound &round);

// The chart's axes. Time runs from the first to the last day charted: every round's, and the
// edited year's first and last day, where its 初HC and 終HC stand (the whole year when there are
// no rounds). The handicap axis has ticks at whole numbers, a nice step apart (1, 2, 5, 10, 20 …,
// at most MaxHcIntervals of them), its ends the multiples of the step just beyond the lowest and
// highest point charted, so that no point sits on the frame and a steady line gets a range too.
inline constexpr int MaxHcIntervals = 10;
struct ChartAxes
{
    QDate firstDay, lastDay;
    double lowestHc = 0, highestHc = 0, hcStep = 1;
    int hcTicks() const { return qRound((highestHc - lowestHc) / hcStep) + 1; }
};
ChartAxes chartAxes(const History &history, int year);

} // namespace HandicapHistory
