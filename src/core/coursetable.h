#pragma once

#include <QHash>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

struct CourseRecord
{
    qint16 id = 0;
    int year = 0;
    int month = 0;
    QString playDate;
    QString courseName;
};

// Every statement on the Course table (one competition per month). Throws DatabaseError.
namespace CourseTable {

// The month's competition: the first (lowest ID) row of that year and month.
std::optional<CourseRecord> firstOfMonth(int year, int month);
// The competitions of a year: the first row of each month.
struct YearCompetitions
{
    std::array<qint16, 12> monthCourseIds = {}; // January first; 0 for a month without one
    QVector<int> courseIds;                     // the months that have one, January first
    QHash<int, int> monthOfCourse;              // Course.ID → month index 0 … 11
};
YearCompetitions competitionsOfYear(int year);
qint16 insert(int year, int month, const QString &playDate, const QString &courseName);
void updateDateAndName(int id, const QString &playDate, const QString &courseName);

} // namespace CourseTable
