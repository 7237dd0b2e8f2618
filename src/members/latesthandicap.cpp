#include "latesthandicap.h"

#include "core/database.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"

#include <QPair>

namespace LatestHandicap {

QHash<int, ScoreRecord> find(int year)
{
    Module1::RebuildMonthCourseIds(year);
    QVector<int> playedCourses;
    for (const qint16 id : Module1::MonthCourseIds) {
        if (id != 0)
            playedCourses << id;
    }

    // Only the first row of a member in a competition counts, even if it is uncalculated.
    QHash<QPair<int, int>, ScoreRecord> firstRows; // (course, member) → row
    for (const ScoreRecord &row : ScoreTable::ofCourses(playedCourses)) {
        const QPair<int, int> key(row.courseId, row.memberId);
        if (!firstRows.contains(key))
            firstRows.insert(key, row);
    }

    QHash<int, ScoreRecord> latest;
    for (int month = 12; month >= 1; --month) {
        const int courseId = Module1::MonthCourseIds[month - 1];
        if (courseId == 0)
            continue;
        for (auto it = firstRows.cbegin(); it != firstRows.cend(); ++it) {
            if (it.key().first == courseId && it.value().newHc != 0 && !latest.contains(it.key().second))
                latest.insert(it.key().second, it.value());
        }
    }
    return latest;
}

void apply(int year, AlsoSet alsoSet)
{
    const QHash<int, ScoreRecord> latest = find(year);
    Transaction transaction;
    for (const MemberRecord &member : MemberTable::allByKana()) {
        const auto found = latest.constFind(member.id);
        if (found == latest.cend())
            continue;
        switch (alsoSet) {
        case AlsoSet::Nothing:
            MemberTable::updateHc(member.id, found->newHc);
            break;
        case AlsoSet::FirstHc:
            MemberTable::updateHcAndFirstHc(member.id, found->newHc, found->hc);
            break;
        case AlsoSet::EndHc:
            MemberTable::updateHcAndEndHc(member.id, found->newHc, found->newHc);
            break;
        }
    }
    transaction.commit();
}

} // namespace LatestHandicap
