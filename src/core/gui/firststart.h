#pragma once

#include <QString>

struct SettingsRecord;

// A start that finds no database anywhere: rather than only ending, the user may begin the
// club with an empty database, try the program with the made-up club, or end.
namespace FirstStart {

// True when a file stands at `path` (there before, or created now). False when the user chose
// to end, having read in the question that the database is missing, or when it could not be
// created, after saying why. The made-up club ends with the edited year and is ranked by the
// settings' rules.
bool offerDatabase(const QString &path, const SettingsRecord &settings);

} // namespace FirstStart
