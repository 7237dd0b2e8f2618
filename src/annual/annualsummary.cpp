#include "annualsummary.h"

#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Everything the summary needs of one member's rows in the year's competitions.
struct MemberRows
{
    // The member's first row in each competition, by competition ID.
    QHash<int, ScoreRecord> firstInCourse;
    // Every row, duplicates in one competition included: the totals count them all.
    QVector<ScoreRecord> all;
};

qint16 saturated(int value)
{
    return static_cast<qint16>(std::clamp<int>(value, std::numeric_limits<qint16>::min(),
                                               std::numeric_limits<qint16>::max()));
}

bool ruleOn(qint16 setting)
{
    return setting == 1;
}

// The totals over the rows of the competitions played; `played` is never empty here.
void addTotals(AnnualRow &row, const QVector<ScoreRecord> &rows, const QVector<int> &played)
{
    double obTotal = 0;
    double grossTotal = 0;
    int count = 0;
    int best = std::numeric_limits<int>::max();
    int worst = std::numeric_limits<int>::min();
    for (const ScoreRecord &score : rows) {
        if (!played.contains(score.courseId))
            continue;
        obTotal += score.ob;
        grossTotal += score.gross;
        best = qMin(best, score.gross);
        worst = qMax(worst, score.gross);
        ++count;
    }
    row.obTotal = obTotal;
    // An exact half goes to the even neighbour: 92.5 → 92, 93.5 → 94.
    row.averageGross = saturated(static_cast<int>(std::nearbyint(grossTotal / count)));
    row.bestGross = best;
    row.worstGross = worst;
}

} // namespace

namespace AnnualSummary {

QVector<AnnualRow> compute(int year, const SettingsRecord &settings)
{
    Module1::RebuildMonthCourseIds(year);
    QVector<int> competitions;
    for (const qint16 id : Module1::MonthCourseIds) {
        if (id != 0)
            competitions << id;
    }

    // One pass over the year's rows instead of a dozen look-ups per member.
    QHash<int, MemberRows> rowsOfMember;
    for (const ScoreRecord &score : ScoreTable::ofCourses(competitions)) {
        MemberRows &member = rowsOfMember[score.memberId];
        if (!member.firstInCourse.contains(score.courseId))
            member.firstInCourse.insert(score.courseId, score);
        member.all.append(score);
    }

    const bool attendanceRule = ruleOn(settings.optTori1);
    const bool pointsRule = ruleOn(settings.optTori2);
    const MemberRows noRows;
    QVector<AnnualRow> summary;
    for (const MemberRecord &member : MemberTable::allByKana()) {
        AnnualRow row;
        row.memberId = member.id;
        row.name = member.name;
        row.initialHc = member.firstHc;
        row.finalHc = member.endHc;
        const auto found = rowsOfMember.constFind(member.id);
        const MemberRows &rows = found == rowsOfMember.cend() ? noRows : *found;
        int monthsPlayed = 0;
        int points = 0;
        for (int month = 0; month < 12; ++month) {
            const int courseId = Module1::MonthCourseIds[month];
            const auto first = rows.firstInCourse.constFind(courseId);
            if (courseId == 0 || first == rows.firstInCourse.cend())
                continue;
            if (attendanceRule)
                ++monthsPlayed;
            if (pointsRule)
                points += settings.tenTori[0];
            row.monthGross[month] = first->gross;
            if (first->rank >= 1 && first->rank <= 3) {
                row.monthMark[month] = first->rank;
                if (pointsRule)
                    points += settings.tenTori[first->rank];
            }
            row.playedCourseIds << courseId;
        }
        row.monthsPlayed = saturated(monthsPlayed);
        row.points = saturated(points);
        if (!row.playedCourseIds.isEmpty()) {
            addTotals(row, rows.all, row.playedCourseIds);
            row.eligible = !(attendanceRule && monthsPlayed < settings.optTori1val)
                && !(pointsRule && points < settings.optTori2val);
        }
        summary.append(row);
    }
    return summary;
}

} // namespace AnnualSummary
