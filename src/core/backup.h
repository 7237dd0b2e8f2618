#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

// The daily copy of the club's database, kept in a "backup" folder beside it so that a club can
// go back to an earlier day after a broken disk, a mistaken bulk delete or a damaged file.
namespace Backup {

inline constexpr int KeptCopies = 10;

// "backup" beside the database file.
QString folderFor(const QString &databasePath);
// "parvela-YYYYMMDD.mdb".
QString fileNameFor(const QDate &day);

// True when the file opens read-only and PRAGMA quick_check gives "ok". Safe on any thread: it
// uses a connection of its own that no other code knows of.
bool copyIsSound(const QString &path);

struct Outcome
{
    bool made = false;        // a new copy was written (false also when the day's copy already existed)
    bool failedCheck = false; // the bytes copied fail quick_check: the database itself may be damaged
    QString problem;          // why no copy could be made or kept; empty when all went well
    QStringList future;       // copies dated after today, newest first (kept, never pruned)
};

// What a test puts in the copy's way.
struct Seams
{
    // Runs while the copy holds its read lock on the database, after the bytes are written under
    // the temporary name.
    std::function<void()> whileLocked;
};

// Makes the day's copy of the database at `databasePath` unless it already exists, then keeps
// the KeptCopies newest copies dated up to today (today's among them) and every copy dated
// after today.
//
// The copy is the file's bytes, read through a read-only connection of its own inside a read
// transaction: the shared lock keeps every writer from changing a page meanwhile, and is held
// only while the bytes are copied. They are written to a temporary name created as a new file
// (never through a link, never over an existing file), flushed, checked once with quick_check,
// then renamed to a name that must not exist yet, so a copy under the final name is always a
// sound one. Only a real folder named "backup" in the database's folder is used; pruning removes
// only regular files named exactly "parvela-YYYYMMDD.mdb". A copy that fails its check prunes
// nothing. Never throws, uses neither the program's connection nor the settings: it runs on a
// worker thread while the program is in use.
Outcome makeDaily(const QString &databasePath, const QDate &today, const Seams &seams = {});

// The copies dated after today told once each: empty when all were told before. Remembers in
// the settings which were told.
QString noticeOfFutureCopies(const QString &databasePath, const QDate &today, const QStringList &future);

} // namespace Backup
