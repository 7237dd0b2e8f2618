#pragma once

#include <QDateTime>
#include <QString>
#include <QVector>

// Going back to a copy in the backup folder from inside the program: the copies listed with
// what they hold, each checked before it is offered, and the current data kept as a copy of
// its own before the file is replaced.
namespace Restore {

struct BackupFile
{
    QString path;
    QDateTime modified;
    qint64 bytes = 0;
    bool sound = false; // a Parvela database that passes PRAGMA quick_check
    int members = 0;
    int competitions = 0;
};

// Reads a copy on a read-only connection of its own.
BackupFile inspect(const QString &path);

// Every "*.mdb" file of the database's backup folder (symbolic links left out), newest first,
// each inspected.
QVector<BackupFile> list(const QString &databasePath);

// The name of the copy of the current data taken before a restore: the daily copies' pattern
// with the time and "-before-restore" added, which the pruning of daily copies leaves alone.
QString keptCopyName(const QDateTime &now);

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

} // namespace Restore
