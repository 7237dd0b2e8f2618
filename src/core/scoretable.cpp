#include "core/scoretable.h"

#include "core/database.h"
#include "core/dates.h"

#include <algorithm>
#include <vector>

namespace {

const QString Columns = QStringLiteral(
    "Score.ID,Score.COURSE_ID,Score.MEMBER_ID,Score.MEMBER_NAME,Score.HC,Score.OB,Score.OUT_VAL,Score.IN_VAL,"
    "Score.GROSS_VAL,Score.NET_VAL,Score.NEW_HC,Score.RANK");

ScoreRecord recordAt(const Database::Rows &query, bool withBirthday)
{
    ScoreRecord score;
    score.id = static_cast<qint16>(query.integer(0));
    score.courseId = static_cast<qint16>(query.integer(1));
    score.memberId = query.integer(2);
    score.memberName = query.text(3);
    score.hc = query.real(4);
    score.ob = query.real(5);
    score.out = query.integer(6);
    score.in = query.integer(7);
    score.gross = query.integer(8);
    score.net = query.real(9);
    score.newHc = query.real(10);
    score.rank = query.integer(11);
    if (withBirthday)
        score.birthday = query.text(12);
    return score;
}

// The rows `read` makes of the query, in the sheet's order. Birthdays are free text, so the
// engine cannot order them by date: sort here, each text read as a date once rather than at
// every comparison.
template <typename Row, typename Read>
QVector<Row> inSheetOrder(Database::Rows query, int birthdayColumn, Read read)
{
    struct SortedRow
    {
        Row record;
        QDate birthday;
    };
    std::vector<SortedRow> sorted;
    while (query.next())
        sorted.push_back({read(query), Dates::parse(query.text(birthdayColumn))});
    std::sort(sorted.begin(), sorted.end(), [](const SortedRow &a, const SortedRow &b) {
        if (a.record.net != b.record.net)
            return a.record.net < b.record.net;
        if (const int byAge = Dates::compareBirthdays(a.birthday, b.birthday); byAge != 0)
            return byAge < 0;
        return a.record.id < b.record.id;
    });
    QVector<Row> rows;
    rows.reserve(static_cast<qsizetype>(sorted.size()));
    for (SortedRow &row : sorted)
        rows.append(std::move(row.record));
    return rows;
}

// The IDs as the bound values of an "in (…)" list.
QVariantList idValues(const QVector<int> &ids)
{
    QVariantList values;
    values.reserve(ids.size());
    for (const int id : ids)
        values << id;
    return values;
}

// The given columns of every row of the competitions, each row made by `read`, by competition
// and within one lowest ID first: the order of the COURSE_ID index, so the engine needs no sort.
template <typename Row, typename Read>
QVector<Row> ofCoursesInIndexOrder(const QString &columns, const QVector<int> &courseIds, Read read)
{
    QVector<Row> rows;
    if (courseIds.isEmpty())
        return rows;
    Database::Rows query = Database::read(QStringLiteral("select %1 from Score where COURSE_ID in (%2) order by COURSE_ID,ID")
                                        .arg(columns, Database::placeholders(courseIds.size())),
                                    idValues(courseIds));
    while (query.next())
        rows.append(read(query));
    return rows;
}

std::optional<ScoreRecord> first(Database::Rows query)
{
    if (!query.next())
        return std::nullopt;
    return recordAt(query, false);
}

} // namespace

namespace ScoreTable {

QVector<HandicapResult> handicapResultsOfCourses(const QVector<int> &courseIds)
{
    return ofCoursesInIndexOrder<HandicapResult>(
        QStringLiteral("COURSE_ID,MEMBER_ID,HC,NEW_HC"), courseIds, [](const Database::Rows &query) {
            return HandicapResult{static_cast<qint16>(query.integer(0)), query.integer(1),
                                  query.real(2), query.real(3)};
        });
}

QVector<YearResult> yearResultsOfCourses(const QVector<int> &courseIds)
{
    QVector<YearResult> rows = ofCoursesInIndexOrder<YearResult>(
        QStringLiteral("ID,COURSE_ID,MEMBER_ID,OB,GROSS_VAL,RANK"), courseIds, [](const Database::Rows &query) {
            return YearResult{static_cast<qint16>(query.integer(0)),
                              static_cast<qint16>(query.integer(1)),
                              query.integer(2),
                              query.real(3),
                              query.integer(4),
                              query.integer(5)};
        });
    // Sorted here rather than by the engine: its sort of a year's rows costs more than the rest
    // of the read, and the rows come nearly in order (wholly, when the months were entered in
    // turn, which is worth looking at before sorting).
    const auto byId = [](const YearResult &a, const YearResult &b) { return a.id < b.id; };
    if (!std::is_sorted(rows.cbegin(), rows.cend(), byId))
        std::sort(rows.begin(), rows.end(), byId);
    return rows;
}

QVector<ScoreRecord> sheetRows(int courseId)
{
    return inSheetOrder<ScoreRecord>(
        Database::read(QStringLiteral("select %1,Member.BIRTHDAY from Score inner join Member on Score.MEMBER_ID = "
                                     "Member.ID where Score.COURSE_ID=?")
                          .arg(Columns),
                      {courseId}),
        12, [](const Database::Rows &query) { return recordAt(query, true); });
}

QVector<ScoreRecord> rankingRows(int courseId)
{
    return inSheetOrder<ScoreRecord>(
        Database::read(QStringLiteral("select %1,Member.BIRTHDAY,Member.ID from Score left join Member on "
                                     "Score.MEMBER_ID = Member.ID where Score.COURSE_ID=?")
                          .arg(Columns),
                      {courseId}),
        12, [](const Database::Rows &query) {
            ScoreRecord record = recordAt(query, true);
            record.memberExists = !query.isNull(13);
            return record;
        });
}

std::optional<ScoreRecord> byId(int id)
{
    return first(Database::read(QStringLiteral("select %1 from Score where ID=?").arg(Columns), {id}));
}

QVector<PlayedRound> roundsOfMember(int memberId)
{
    Database::Rows query = Database::read(
        QStringLiteral("select Course.ID,Course.CYEAR,Course.CMONTH,Course.PLAYDATE,Course.COURSENAME,Score.HC,"
                       "Score.GROSS_VAL,Score.NET_VAL,Score.NEW_HC,Score.RANK from Score INNER JOIN Course ON "
                       "Score.COURSE_ID = Course.ID where Score.MEMBER_ID=? order by Course.CYEAR,Course.CMONTH,"
                       "Course.ID,Score.ID"),
        {memberId});
    QVector<PlayedRound> rounds;
    while (query.next()) {
        rounds.append({static_cast<qint16>(query.integer(0)), query.integer(1), query.integer(2),
                       query.text(3), query.text(4), query.real(5),
                       query.integer(6), query.real(7), query.real(8),
                       query.integer(9)});
    }
    return rounds;
}

qint16 insert(const ScoreRecord &score)
{
    const qint16 id = Database::allocateId(QStringLiteral("Score"));
    Database::exec(QStringLiteral("insert into Score (ID,COURSE_ID,MEMBER_ID,MEMBER_NAME,HC,OB,OUT_VAL,IN_VAL,"
                                  "GROSS_VAL,NET_VAL,NEW_HC,RANK) values (?,?,?,?,?,?,?,?,?,?,0,0)"),
                   {id, score.courseId, score.memberId, score.memberName, score.hc, score.ob, score.out, score.in,
                    score.gross, score.net});
    return id;
}

void update(const ScoreRecord &score)
{
    Database::exec(QStringLiteral("update Score set MEMBER_ID=?,MEMBER_NAME=?,HC=?,OB=?,OUT_VAL=?,IN_VAL=?,"
                                  "GROSS_VAL=?,NET_VAL=?,NEW_HC=? where ID=?"),
                   {score.memberId, score.memberName, score.hc, score.ob, score.out, score.in, score.gross, score.net,
                    score.newHc, score.id});
}

void updateNewHcAndRank(int id, double newHc, int rank)
{
    Database::exec(QStringLiteral("update Score set NEW_HC=?,RANK=? where ID=?"), {newHc, rank, id});
}

void remove(int id)
{
    Database::exec(QStringLiteral("delete from Score where ID=?"), {id});
}

void removeAll(const QVector<qint16> &ids)
{
    Transaction transaction;
    for (const qint16 id : ids)
        remove(id);
    transaction.commit();
}

} // namespace ScoreTable
