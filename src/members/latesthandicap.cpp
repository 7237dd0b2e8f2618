#include "members/latesthandicap.h"

#include "core/database.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"

#include <QSet>

#include <array>

namespace LatestHandicap {

QHash<int, HandicapResult> find(int year)
{
    const Module1::YearCompetitions competitions = Module1::RebuildYearCompetitions(year);

    QHash<int, HandicapResult> latest;
    QHash<int, int> latestMonth;
    std::array<QSet<int>, 12> seenInMonth; // members met in each month's competition
    for (const HandicapResult &row : ScoreTable::handicapResultsOfCourses(competitions.courseIds)) {
        const int month = competitions.monthOfCourse.value(row.courseId);
        // Only the first row of a member in a competition counts, even if it is uncalculated.
        if (seenInMonth[month].contains(row.memberId))
            continue;
        seenInMonth[month].insert(row.memberId);
        if (row.newHc == 0)
            continue;
        const auto found = latestMonth.constFind(row.memberId);
        if (found == latestMonth.cend() || *found < month) {
            latestMonth.insert(row.memberId, month);
            latest.insert(row.memberId, row);
        }
    }
    return latest;
}

void apply(int year, AlsoSet alsoSet)
{
    const QHash<int, HandicapResult> latest = find(year);
    Transaction transaction;
    for (const MemberHandicaps &member : MemberTable::allHandicaps()) {
        const auto found = latest.constFind(member.id);
        if (found == latest.cend())
            continue;
        // A member already there is left as is: the same file, with a large club's calculation
        // writing only the handicaps that change.
        switch (alsoSet) {
        case AlsoSet::Nothing:
            if (member.hc != found->newHc)
                MemberTable::updateHc(member.id, found->newHc);
            break;
        case AlsoSet::FirstHc:
            if (member.hc != found->newHc || member.firstHc != found->hc)
                MemberTable::updateHcAndFirstHc(member.id, found->newHc, found->hc);
            break;
        case AlsoSet::EndHc:
            if (member.hc != found->newHc || member.endHc != found->newHc)
                MemberTable::updateHcAndEndHc(member.id, found->newHc, found->newHc);
            break;
        }
    }
    transaction.commit();
}

} // namespace LatestHandicap
