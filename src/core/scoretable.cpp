#include "core/scoretable.h"

#include "core/database.h"
#include "core/dates.h"

#include <algorithm>
#include <vector>

namespace {

const QString Columns = QStringLiteral(
    "Score.ID,Score.COURSE_ID,Score.MEMBER_ID,Score.MEMBER_NAME,Score.HC,Score.OB,Score.OUT_VAL,Score.IN_VAL,"
    "Score.GROSS_VAL,Score.NET_VAL,Score.NEW_HC,Score.RANK");

ScoreRecord recordAt(const QSqlQuery &query, bool withBirthday)
{
    ScoreRecord score;
    score.id = static_cast<qint16>(query.value(0).toInt());
    score.courseId = static_cast<qint16>(query.value(1).toInt());
    score.memberId = query.value(2).toInt();
    score.memberName = query.value(3).toString();
    score.hc = query.value(4).toDouble();
    score.ob = query.value(5).toDouble();
    score.out = query.value(6).toInt();
    score.in = query.value(7).toInt();
    score.gross = query.value(8).toInt();
    score.net = query.value(9).toDouble();
    score.newHc = query.value(10).toDouble();
    score.rank = query.value(11).toInt();
    if (withBirthday)
        score.birthday = query.value(12).toString();
    return score;
}

// The rows `read` makes of the query, in the sheet's order. Birthdays are free text, so the
// engine cannot order them by date: sort here, each text read as a date once rather than at
// every comparison.
template <typename Row, typename Read>
QVector<Row> inSheetOrder(QSqlQuery query, int birthdayColumn, Read read)
{
    struct SortedRow
    {
        Row record;
        QDate birthday;
    };
    std::vector<SortedRow> sorted;
    while (query.next())
        sorted.push_back({read(query), Dates::parse(query.value(birthdayColumn).toString())});
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
    QSqlQuery query = Database::run(QStringLiteral("select %1 from Score where COURSE_ID in (%2) order by COURSE_ID,ID")
                                        .arg(columns, Database::placeholders(courseIds.size())),
                                    idValues(courseIds));
    while (query.next())
        rows.append(read(query));
    return rows;
}

std::optional<ScoreRecord> first(QSqlQuery query)
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
        QStringLiteral("COURSE_ID,MEMBER_ID,HC,NEW_HC"), courseIds, [](const QSqlQuery &query) {
            return HandicapResult{static_cast<qint16>(query.value(0).toInt()), query.value(1).toInt(),
                                  query.value(2).toDouble(), query.value(3).toDouble()};
        });
}

QVector<YearResult> yearResultsOfCourses(const QVector<int> &courseIds)
{
    QVector<YearResult> rows = ofCoursesInIndexOrder<YearResult>(
        QStringLiteral("ID,COURSE_ID,MEMBER_ID,OB,GROSS_VAL,RANK"), courseIds, [](const QSqlQuery &query) {
            return YearResult{static_cast<qint16>(query.value(0).toInt()),
                              static_cast<qint16>(query.value(1).toInt()),
                              query.value(2).toInt(),
                              query.value(3).toDouble(),
                              query.value(4).toInt(),
                              query.value(5).toInt()};
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
        Database::run(QStringLiteral("select %1,Member.BIRTHDAY from Score inner join Member on Score.MEMBER_ID = "
                                     "Member.ID where Score.COURSE_ID=?")
                          .arg(Columns),
                      {courseId}),
        12, [](const QSqlQuery &query) { return recordAt(query, true); });
}

QVector<ScoreRecord> rankingRows(int courseId)
{
    return inSheetOrder<ScoreRecord>(
        Database::run(QStringLiteral("select %1,Member.BIRTHDAY,Member.ID from Score left join Member on "
                                     "Score.MEMBER_ID = Member.ID where Score.COURSE_ID=?")
                          .arg(Columns),
                      {courseId}),
        12, [](const QSqlQuery &query) {
            ScoreRecord record = recordAt(query, true);
            record.memberExists = !query.value(13).isNull();
            return record;
        });
}

std::optional<ScoreRecord> byId(int id)
{
    return first(Database::run(QStringLiteral("select %1 from Score where ID=?").arg(Columns), {id}));
}

QVector<PlayedRound> roundsOfMember(int memberId)
{
    QSqlQuery query = Database::run(
        QStringLiteral("select Course.ID,Course.CYEAR,Course.CMONTH,Course.PLAYDATE,Course.COURSENAME,Score.HC,"
                       "Score.GROSS_VAL,Score.NET_VAL,Score.NEW_HC,Score.RANK from Score INNER JOIN Course ON "
                       "Score.COURSE_ID = Course.ID where Score.MEMBER_ID=? order by Course.CYEAR,Course.CMONTH,"
                       "Course.ID,Score.ID"),
        {memberId});
    QVector<PlayedRound> rounds;
    while (query.next()) {
        rounds.append({static_cast<qint16>(query.value(0).toInt()), query.value(1).toInt(), query.value(2).toInt(),
                       query.value(3).toString(), query.value(4).toString(), query.value(5).toDouble(),
                       query.value(6).toInt(), query.value(7).toDouble(), query.value(8).toDouble(),
                       query.value(9).toInt()});
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
