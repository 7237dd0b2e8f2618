#include "annual/annualsummary.h"

#include "core/coursetable.h"
#include "core/membertable.h"
#include "core/scoretable.h"
#include "core/settingsrecord.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// Everything the summary needs of one member's rows in the year's competitions.
struct MemberYear
{
    // The member's first row in each month's competition; null for a month not played.
    std::array<const YearResult *, 12> firstOfMonth{};
    // Over every row, duplicates in one competition included.
    double obTotal = 0;
    double grossTotal = 0;
    int count = 0;
    int best = std::numeric_limits<int>::max();
    int worst = std::numeric_limits<int>::min();
};

qint16 saturated(int value)
{
    return static_cast<qint16>(
        std::clamp<int>(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

bool ruleOn(qint16 setting)
{
    return setting == 1;
}

} // namespace

namespace AnnualSummary {

QVector<AnnualRow> compute(int year, const SettingsRecord &settings)
{
    const CourseTable::YearCompetitions competitions = CourseTable::competitionsOfYear(year);

    // One pass over the year's rows, lowest ID first: the first row of a member in a
    // competition is the first one seen, and the totals add up in the same order as always.
    const QVector<YearResult> scores = ScoreTable::yearResultsOfCourses(competitions.courseIds);
    QHash<int, MemberYear> years;
    int courseId = 0;
    int month = 0;
    for (const YearResult &score : scores) {
        // A competition's rows mostly follow one another: its month is looked up once for them.
        if (score.courseId != courseId) {
            courseId = score.courseId;
            month = competitions.monthOfCourse.value(courseId);
        }
        MemberYear &member = years[score.memberId];
        const YearResult *&first = member.firstOfMonth[month];
        if (!first)
            first = &score;
        member.obTotal += score.ob;
        member.grossTotal += score.gross;
        member.best = qMin(member.best, score.gross);
        member.worst = qMax(member.worst, score.gross);
        ++member.count;
    }

    const bool attendanceRule = ruleOn(settings.attendanceRule);
    const bool pointsRule = ruleOn(settings.pointsRule);
    const MemberYear notPlayed;
    const QVector<MemberRecord> members = MemberTable::allByKana();
    QVector<AnnualRow> summary;
    summary.reserve(members.size());
    for (const MemberRecord &member : members) {
        AnnualRow row;
        row.memberId = member.id;
        row.name = member.name;
        row.initialHc = member.firstHc;
        row.finalHc = member.endHc;
        const auto found = years.constFind(member.id);
        const MemberYear &played = found == years.cend() ? notPlayed : *found;
        int monthsPlayed = 0;
        int points = 0;
        int monthsEntered = 0;
        for (int month = 0; month < 12; ++month) {
            const YearResult *first = played.firstOfMonth[month];
            if (!first)
                continue;
            if (attendanceRule)
                ++monthsPlayed;
            if (pointsRule)
                points += settings.pointsFor[0];
            row.monthGross[month] = first->gross;
            ++monthsEntered;
            if (first->rank >= 1 && first->rank <= 3) {
                row.monthMark[month] = first->rank;
                if (pointsRule)
                    points += settings.pointsFor[first->rank];
            }
        }
        row.monthsPlayed = saturated(monthsPlayed);
        row.points = saturated(points);
        if (monthsEntered > 0) {
            // Every row of the member is in a month played.
            row.obTotal = played.obTotal;
            // An exact half goes to the even neighbour: 92.5 → 92, 93.5 → 94.
            row.averageGross = saturated(static_cast<int>(std::nearbyint(played.grossTotal / played.count)));
            row.bestGross = played.best;
            row.worstGross = played.worst;
            row.eligible = !(attendanceRule && monthsPlayed < settings.minimumAttendance)
                           && !(pointsRule && points < settings.minimumPoints);
        }
        summary.append(std::move(row));
    }
    return summary;
}

} // namespace AnnualSummary
