#pragma once

#include "core/entrycheck.h"

#include <QString>

// What the competition dialog reads from its fields.
namespace CompetitionEntry {

enum Field { PlayDate, CourseName };

struct Values
{
    QString playDate;
    QString courseName;
};

// Both are stored exactly as typed (a date need not be one the calendar knows); only an empty
// field is refused, which keeps OK disabled.
Checked<Values> check(const QString &playDate, const QString &courseName);

} // namespace CompetitionEntry
