#pragma once

#include <QString>
#include <QStringList>

// The three most recently used course names, newest first, shared by the competition dialog
// and the score sheet.
namespace CourseHistory {

// The remembered names that are not empty, newest first.
QStringList names();

// A name not yet among the three becomes the newest and pushes the oldest out; a name already
// remembered leaves the history as it is (no reordering). False when the settings store could
// not be written.
bool remember(const QString &name);

} // namespace CourseHistory
