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

} // namespace HandicapHistory
