#pragma once

// Helpers shared by the monthly tests: rows put straight into the tables, and the score sheet
// opened as its opener opens it.

#include "core/coursetable.h"
#include "core/gui/windowregistry.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "monthly/gui/form4.h"
#include "parvelatest.h"
#include "platform/gui/grid.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

namespace MonthlyFixtures {

using ParvelaTest::clickRow;

inline qint16 addScore(int courseId, int memberId, const QString &name, double hc, int out, int in, double ob = 0)
{
    ScoreRecord score;
    score.courseId = static_cast<qint16>(courseId);
    score.memberId = memberId;
    score.memberName = name;
    score.hc = hc;
    score.ob = ob;
    score.out = out;
    score.in = in;
    score.gross = out + in;
    score.net = out + in - hc;
    return ScoreTable::insert(score);
}

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

inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Windows closed by a test are deleted on the next pass of the event loop; do it now so the
// next test gets fresh windows.
inline void closeAllWindows()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->close();
    }
    flushDeletes();
}

} // namespace MonthlyFixtures
