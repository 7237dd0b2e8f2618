#include "core/restore.h"

#include "core/backup.h"
#include "core/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <filesystem>
#include <system_error>

namespace {

int firstInt(QSqlQuery &query, const QString &statement)
{
    return query.exec(statement) && query.next() ? query.value(0).toInt() : -1;
}

// The bytes of `from` under the name `to`, written to a temporary file, flushed to the disk
// and renamed, so `to` is never a part of the copy.
bool copyFlushed(const QString &from, const QString &to)
{
    QFile in(from);
    QSaveFile out(to);
    out.setDirectWriteFallback(false);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size())
            return false;
    }
    return out.commit();
}

// The open database as a file of its own: read through and checked like the daily copy, or,
// when it is too damaged to be read through, its bytes as they are, so nothing of it is lost.
bool keepCurrent(const QString &databasePath, const QString &kept)
{
    const QString partial = kept + QStringLiteral(".part");
    QFile::remove(partial);
    try {
        Database::exec(QStringLiteral("VACUUM INTO ?"), {partial});
        if (Backup::copyIsSound(partial) && QFile::rename(partial, kept))
            return true;
    } catch (const DatabaseError &) {
    }
    QFile::remove(partial);
    return QFile::copy(databasePath, kept);
}

// After a problem before the rename the file is the one that was open.
void reopen(const QString &databasePath, Restore::Outcome &outcome)
{
    try {
        Database::open(databasePath, Database::FileCheck::Identity);
    } catch (const StartupError &error) {
        outcome.problem += QLatin1Char('\n') + error.message();
    }
}

} // namespace

namespace Restore {

BackupFile inspect(const QString &path)
{
    const QFileInfo info(path);
    BackupFile file{path, info.lastModified(), info.size()};
    if (info.isSymLink() || !info.isFile() || !Backup::copyIsSound(path))
        return file;
    const QString name = QStringLiteral("parvela-restore-inspect");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            file.members = firstInt(query, QStringLiteral("select count(*) from Member"));
            file.competitions = firstInt(query, QStringLiteral("select count(*) from Course"));
            file.sound = firstInt(query, QStringLiteral("PRAGMA application_id")) == Database::ApplicationId
                         && file.members >= 0 && file.competitions >= 0;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return file;
}

QVector<BackupFile> list(const QString &databasePath)
{
    QVector<BackupFile> files;
    const QDir folder(Backup::folderFor(databasePath));
    for (const QFileInfo &info :
         folder.entryInfoList({QStringLiteral("*.mdb")}, QDir::Files | QDir::NoSymLinks, QDir::Time))
        files.append(inspect(info.filePath()));
    return files;
}

QString keptCopyName(const QDateTime &now)
{
    return QFileInfo(Backup::fileNameFor(now.date())).completeBaseName() + now.toString(QStringLiteral("-HHmmss"))
           + QStringLiteral("-before-restore.mdb");
}

Outcome restore(const QString &backupPath, const QDateTime &now)
{
    Outcome outcome;
    const QString name = QFileInfo(backupPath).fileName();
    if (!inspect(backupPath).sound) {
        outcome.problem =
            QStringLiteral("「%1」は壊れているか、Parvela のデータベースではないため、復元しません。").arg(name);
        return outcome;
    }
    const QString databasePath = Database::path();
    const QString folder = Backup::folderFor(databasePath);
    const QString kept = QDir(folder).filePath(keptCopyName(now));
    if (!QDir().mkpath(folder) || QFileInfo::exists(kept) || !keepCurrent(databasePath, kept)) {
        outcome.problem =
            QStringLiteral("今のデータを「%1」に保存できないため、復元しません。").arg(QDir::toNativeSeparators(kept));
        return outcome;
    }
    outcome.keptCopy = kept;

    const QString staged = databasePath + QStringLiteral(".restoring");
    QFile::remove(staged);
    if (!copyFlushed(backupPath, staged) || !inspect(staged).sound) {
        QFile::remove(staged);
        outcome.problem =
            QStringLiteral("「%1」を書き込めないため、復元しません。").arg(QDir::toNativeSeparators(staged));
        return outcome;
    }

    Database::close();
    // A journal beside the file belongs to the data being replaced (kept above); left there,
    // it would be played back into the restored file.
    bool replaced = true;
    for (const QString &suffix : {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
        replaced = replaced && (!QFileInfo::exists(databasePath + suffix) || QFile::remove(databasePath + suffix));
    // std::filesystem::rename replaces the file in one step, where QFile::rename refuses an
    // existing target.
    std::error_code error;
    if (replaced) {
        std::filesystem::rename(QFile::encodeName(staged).toStdString(), QFile::encodeName(databasePath).toStdString(),
                                error);
    }
    if (!replaced || error) {
        QFile::remove(staged);
        outcome.problem = QStringLiteral("データベースファイルを置き換えられないため、復元しません。");
        reopen(databasePath, outcome);
        return outcome;
    }
    try {
        Database::open(databasePath);
    } catch (const StartupError &openError) {
        outcome.problem = openError.message();
        return outcome;
    }
    outcome.restored = true;
    return outcome;
}

} // namespace Restore
