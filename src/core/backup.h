#pragma once

#include <QDate>
#include <QString>

#include <functional>

// The daily copy of the open database, kept in a "backup" folder beside it so that a club can
// go back to an earlier day after a broken disk, a mistaken bulk delete or a damaged file.
namespace Backup {

inline constexpr int KeptCopies = 10;

// "backup" beside the database file.
QString folderFor(const QString &databasePath);
// "parvela-YYYYMMDD.mdb".
QString fileNameFor(const QDate &day);

// True while the given database has no copy of that day yet.
bool isDue(const QString &databasePath, const QDate &today);

// True when the file opens on a connection of its own and PRAGMA quick_check gives "ok".
bool copyIsSound(const QString &path);

struct Outcome
{
    bool made = false; // a new copy was written (false also when the day's copy already existed)
    QString problem;   // why no copy could be made or kept; empty when all went well
};

using CopyCheck = std::function<bool(const QString &path)>;

// Makes the day's copy of the open database unless it already exists: VACUUM INTO a temporary
// name, checked, then renamed, so that a copy under the final name is always a sound one. Then
// keeps the KeptCopies newest "parvela-YYYYMMDD.mdb" of the folder. Never throws; a problem is
// returned for the caller to report. Must not run inside a transaction.
Outcome makeDaily(const QDate &today, const CopyCheck &check = copyIsSound);

} // namespace Backup
