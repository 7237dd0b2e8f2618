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

// True while the given database has no copy of that day yet: a regular file of the day's name
// in a real backup folder. A link there is no copy.
bool isDue(const QString &databasePath, const QDate &today);

// True when the file opens on a connection of its own and PRAGMA quick_check gives "ok".
bool copyIsSound(const QString &path);

struct Outcome
{
    bool made = false; // a new copy was written (false also when the day's copy already existed)
    QString problem;   // why no copy could be made or kept; empty when all went well
    QString notice;    // copies dated after today, told once for each
};

using CopyCheck = std::function<bool(const QString &path)>;

// Makes the day's copy of the open database unless it already exists, then keeps the
// KeptCopies newest copies by the date in their names, and always the day's own.
//
// Only a real folder named "backup" in the database's folder is used, never a link to one
// elsewhere; the copy is written to a temporary name created as a new file (never through a
// link, never over an existing file), checked, then renamed to a name that must not exist yet,
// so that a copy under the final name is always a sound one. Pruning removes only regular files
// named exactly "parvela-YYYYMMDD.mdb". Never throws; a problem is returned for the caller to
// report. Must not run inside a transaction.
Outcome makeDaily(const QDate &today, const CopyCheck &check = copyIsSound);

} // namespace Backup
