#pragma once

#include <QString>
#include <QVector>

#include <optional>

struct ScoreRecord
{
    qint16 id = 0;
    qint16 courseId = 0;
    int memberId = 0;
    QString memberName; // the member's name when the row was written
    double hc = 0;
    double ob = 0;
    int out = 0;
    int in = 0;
    int gross = 0;
    double net = 0;
    double newHc = 0;
    int rank = 0;
    // The member's birthday, read with the sheet's order only; empty when the member is gone.
    QString birthday;
    // Whether the member still exists, as read with the ranking's order; the sheet shows only
    // the rows whose member does.
    bool memberExists = true;
};

// What a row tells about its member's handicap: the one played with and the one it gave.
struct HandicapResult
{
    qint16 courseId = 0;
    int memberId = 0;
    double hc = 0;
    double newHc = 0; // 0 until the competition has been calculated
};

// What a row adds to its member's year.
struct YearResult
{
    qint16 id = 0;
    qint16 courseId = 0;
    int memberId = 0;
    double ob = 0;
    int gross = 0;
    int rank = 0;
};

// One competition a member played, with the competition's date and course.
struct PlayedRound
{
    qint16 courseId = 0;
    int year = 0;
    int month = 0;
    QString playDate; // as entered, "yyyy/m/d" when picked
    QString courseName;
    double hc = 0;
    int gross = 0;
    double net = 0;
    double newHc = 0;
    int rank = 0; // 0 until the competition has been calculated
};

// Every statement on the Score table. Throws DatabaseError.
namespace ScoreTable {

// The month sheet: rows whose member still exists, by net score, equal nets by age (the
// earlier birthday first, compared as dates), then by ID.
QVector<ScoreRecord> sheetRows(int courseId);
// Every row of the competition, in the sheet's order; rows of deleted members after none
// of the dated ones with the same net. Those whose member exists are sheetRows().
QVector<ScoreRecord> rankingRows(int courseId);
std::optional<ScoreRecord> byId(int id);
// The rows of the given competitions with only the columns a pass over a whole year needs,
// read without the rest. Handicaps by competition, within one lowest ID first; year results
// lowest ID first.
QVector<HandicapResult> handicapResultsOfCourses(const QVector<int> &courseIds);
QVector<YearResult> yearResultsOfCourses(const QVector<int> &courseIds);
// Every row of the member over all years, oldest competition first.
QVector<PlayedRound> roundsOfMember(int memberId);

// Inserts with NEW_HC and RANK 0; returns the new ID.
qint16 insert(const ScoreRecord &score);
// Writes everything but RANK.
void update(const ScoreRecord &score);
void updateNewHcAndRank(int id, double newHc, int rank);
void remove(int id);
// Every row given, or on an error none of them.
void removeAll(const QVector<qint16> &ids);

} // namespace ScoreTable
