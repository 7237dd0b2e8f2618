#include "members/latesthandicap.h"

#include "core/coursetable.h"
#include "core/database.h"
#include "core/membertable.h"
#include "core/scoretable.h"

namespace LatestHandicap {

QHash<int, HandicapResult> find(int year)
{
    const CourseTable::YearCompetitions competitions = CourseTable::competitionsOfYear(year);

    // What is known of a member so far: one look-up per row, for a year of a large club.
    struct Search
    {
        quint16 monthsMet = 0; // a bit for each month whose competition had a row of the member
        int latestMonth = -1;  // the latest month with a result, -1 before one is found
        qsizetype latestRow = -1;
    };
    const QVector<HandicapResult> rows = ScoreTable::handicapResultsOfCourses(competitions.courseIds);
    QHash<int, Search> searches;
    int courseId = 0;
    int month = 0;
    for (qsizetype index = 0; index < rows.size(); ++index) {
        const HandicapResult &row = rows.at(index);
        // The rows come competition by competition.
        if (row.courseId != courseId) {
            courseId = row.courseId;
            month = competitions.monthOfCourse.value(courseId);
        }
        Search &search = searches[row.memberId];
        // Only the first row of a member in a competition counts, even if it is uncalculated.
        const quint16 monthBit = quint16(1u << month);
        if (search.monthsMet & monthBit)
            continue;
        search.monthsMet |= monthBit;
        if (row.newHc == 0 || month < search.latestMonth)
            continue;
        search.latestMonth = month;
        search.latestRow = index;
    }
    QHash<int, HandicapResult> latest;
    latest.reserve(searches.size());
    for (auto search = searches.cbegin(); search != searches.cend(); ++search) {
        if (search->latestRow >= 0)
            latest.insert(search.key(), rows.at(search->latestRow));
    }
    return latest;
}

namespace {

// Writes each member's result, and keeps the written handicaps in `members` (MemberHandicaps or
// MemberRecord, as read in the caller's transaction).
template <typename Member>
void writeResults(const QHash<int, HandicapResult> &latest, QVector<Member> &members, AlsoSet alsoSet)
{
    for (Member &member : members) {
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
            member.firstHc = found->hc;
            break;
        case AlsoSet::EndHc:
            if (member.hc != found->newHc || member.endHc != found->newHc)
                MemberTable::updateHcAndEndHc(member.id, found->newHc, found->newHc);
            member.endHc = found->newHc;
            break;
        }
        member.hc = found->newHc;
    }
}

} // namespace

void apply(int year, AlsoSet alsoSet)
{
    const QHash<int, HandicapResult> latest = find(year);
    Transaction transaction;
    QVector<MemberHandicaps> members = MemberTable::allHandicaps();
    writeResults(latest, members, alsoSet);
    transaction.commit();
}

QVector<MemberRecord> applyForList(int year)
{
    const QHash<int, HandicapResult> latest = find(year);
    Transaction transaction;
    QVector<MemberRecord> members = MemberTable::allByKana();
    writeResults(latest, members, AlsoSet::Nothing);
    transaction.commit();
    return members;
}

} // namespace LatestHandicap
