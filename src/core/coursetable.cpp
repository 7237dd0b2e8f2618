#include "core/coursetable.h"

#include "core/database.h"

namespace CourseTable {

std::optional<CourseRecord> firstOfMonth(int year, int month)
{
    Database::Rows query = Database::read(
        QStringLiteral("select ID,CYEAR,CMONTH,PLAYDATE,COURSENAME from Course where CYEAR=? and CMONTH=? order by ID"),
        {year, month});
    if (!query.next())
        return std::nullopt;
    CourseRecord course;
    course.id = static_cast<qint16>(query.integer(0));
    course.year = query.integer(1);
    course.month = query.integer(2);
    course.playDate = query.text(3);
    course.courseName = query.text(4);
    return course;
}

YearCompetitions competitionsOfYear(int year)
{
    YearCompetitions competitions;
    Database::Rows rows =
        Database::read(QStringLiteral("select ID,CMONTH from Course where CYEAR=? order by CMONTH,ID"), {year});
    while (rows.next()) {
        const int month = rows.integer(1);
        if (month >= 1 && month <= 12 && competitions.monthCourseIds[month - 1] == 0)
            competitions.monthCourseIds[month - 1] = static_cast<qint16>(rows.integer(0));
    }
    for (int month = 0; month < 12; ++month) {
        if (const int id = competitions.monthCourseIds[month]) {
            competitions.courseIds << id;
            competitions.monthOfCourse.insert(id, month);
        }
    }
    return competitions;
}

qint16 insert(int year, int month, const QString &playDate, const QString &courseName)
{
    const qint16 id = Database::allocateId(QStringLiteral("Course"));
    Database::exec(QStringLiteral("insert into Course (ID,CYEAR,CMONTH,PLAYDATE,COURSENAME) values (?,?,?,?,?)"),
                   {id, year, month, playDate, courseName});
    return id;
}

void updateDateAndName(int id, const QString &playDate, const QString &courseName)
{
    Database::exec(QStringLiteral("update Course set PLAYDATE=?,COURSENAME=? where ID=?"), {playDate, courseName, id});
}

} // namespace CourseTable
