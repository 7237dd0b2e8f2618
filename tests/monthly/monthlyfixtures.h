#pragma once

// Helpers shared by the monthly tests: rows put straight into the tables, and the score sheet
// opened as its opener opens it.

#include "monthly/gui/form4.h"
#include "parvelatest.h"

namespace MonthlyFixtures {

using ParvelaTest::addScore;
using ParvelaTest::clickRow;
using ParvelaTest::closeAllWindows;
using ParvelaTest::flushDeletes;

// The competition's sheet, loaded as its opener loads it and shown without a modal loop so the
// test can drive it.
inline Form4 &openSheet(const CourseRecord &course)
{
    Module1::CurrentCourseId = course.id;
    Module1::CurrentMonth = static_cast<qint16>(course.month);
    Form4 &sheet = WindowRegistry::instance().form<Form4>();
    sheet.boxDate->setText(course.playDate);
    sheet.boxCourse->setEditText(course.courseName);
    sheet.Showtable();
    ParvelaTest::showActive(&sheet);
    return sheet;
}

// The remembered course names, newest first.
inline QStringList courseHistory()
{
    QStringList names;
    for (int n = 1; n <= SettingKeys::CourseHistoryLength; ++n)
        names << SettingsStore::read(SettingKeys::course(n), QString());
    return names;
}

} // namespace MonthlyFixtures
