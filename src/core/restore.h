#pragma once

#include <QDateTime>
#include <QString>
#include <QVector>

// Going back to a copy in the backup folder: the copies listed with what they hold, each checked
// before it is offered, and the data it replaces kept, never overwritten.
namespace Restore {

struct BackupFile
{
    QString path;
    QDateTime modified;
    qint64 bytes = 0;
    bool sound = false; // may be restored: a Parvela database with the program's tables that passes quick_check
    QString problem;    // why it may not be, as the list shows it; empty when sound
    int members = 0;
    int competitions = 0;
};

// Reads a copy on a read-only connection of its own.
BackupFile inspect(const QString &path);

// Why the database's backup folder is not used: a link or a file under its name (the daily copy
// refuses it as well); empty when it is a real folder or missing.
QString unusableFolder(const QString &databasePath);
// Every regular "*.mdb" file of the database's real backup folder, newest first, each inspected.
QVector<BackupFile> list(const QString &databasePath);
// The newest of the listed copies that may be restored; nullptr when none may.
const BackupFile *newestSound(const QVector<BackupFile> &files);

// The name of the copy of the current data taken before a restore: the daily copies' pattern
// with the time and "-before-restore" added, which the pruning of daily copies leaves alone.
QString keptCopyName(const QDateTime &now);
// The name a damaged database is renamed to, beside it: "parvela-damaged-YYYYMMDD-HHmmss.mdb".
QString damagedName(const QDateTime &now);

struct Outcome
{
    bool restored = false;
    QString keptCopy; // where the data before the restore now is
    QString problem;  // why nothing was restored; empty when it was
};

// Puts the copy in place of the open database: checks it again; keeps the current data in
// the backup folder (a checked VACUUM INTO copy, or the file's bytes when the database is too
// damaged for that); writes the copy beside the database file, flushed and checked, and renames
// it over the file; reopens it. Until the rename the database file is untouched, and on any
// problem before it the open database stays open. Must not run inside a transaction.
Outcome restore(const QString &backupPath, const QDateTime &now);

// For a database that cannot be opened: the file (and a journal beside it) renamed aside under
// damagedName() in its folder, never over another file, and the copy put in its place, written
// under a new name beside it, flushed and checked first. The database stays closed. On a problem
// the file is where it was.
Outcome replaceDamaged(const QString &databasePath, const QString &backupPath, const QDateTime &now);

} // namespace Restore
