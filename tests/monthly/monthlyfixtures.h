#pragma once

// Helpers shared by the monthly tests: rows put straight into the tables, and ways to reach the
// windows a user would see.

#include "core/coursetable.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "platform/gui/grid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QStringList>
#include <QTest>

namespace MonthlyFixtures {

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

inline QStringList columnTexts(Grid &grid, int column)
{
    QStringList texts;
    for (int row = 1; row < grid.rows(); ++row)
        texts << grid.textAt(row, column);
    return texts;
}

inline QStringList rowTexts(Grid &grid, int row)
{
    QStringList texts;
    for (int column = 0; column < grid.cols(); ++column)
        texts << grid.textAt(row, column);
    return texts;
}

// The centre of a data row's name cell, in the grid's viewport.
inline QPoint rowPoint(Grid &grid, int row)
{
    const QModelIndex index = grid.model()->index(row - 1, 0);
    return grid.visualRect(index).center();
}

inline void clickRow(Grid &grid, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, rowPoint(grid, row));
}

inline void doubleClickRow(Grid &grid, int row)
{
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(grid, row));
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(grid, row));
}

} // namespace MonthlyFixtures

#include "core/gui/windowregistry.h"
#include "monthly/gui/form4.h"
#include "parvelatest.h"

#include <QComboBox>
#include <QLineEdit>

namespace MonthlyFixtures {

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

// Windows closed by a test are deleted on the next pass of the event loop; do it now so the
// next test gets fresh windows.
inline void closeAllWindows()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace MonthlyFixtures
