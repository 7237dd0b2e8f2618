#include "core/restore.h"

#include "core/backup.h"
#include "core/database.h"
#include "core/safefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace {

using SafeFiles::Entry;

const QStringList Tables = {QStringLiteral("Member"), QStringLiteral("Course"), QStringLiteral("Score")};

int firstInt(QSqlQuery &query, const QString &statement)
{
    return query.exec(statement) && query.next() ? query.value(0).toInt() : -1;
}

// A table's columns as the file declares them: name and type, in order.
using Columns = QVector<QPair<QString, QString>>;

Columns columnsOf(QSqlQuery &query, const QString &table)
{
    Columns columns;
    query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    while (query.next())
        columns.append({query.value(1).toString(), query.value(2).toString().toUpper()});
    return columns;
}

// The program's tables as its own schema makes them.
const QHash<QString, Columns> &programTables()
{
    static const QHash<QString, Columns> tables = [] {
        QHash<QString, Columns> made;
        const QString name = QStringLiteral("parvela-schema-reference");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(QStringLiteral(":memory:"));
            db.open();
            QSqlQuery query(db);
            for (const QString &statement : Database::schemaStatements())
                query.exec(statement);
            for (const QString &table : Tables)
                made.insert(table, columnsOf(query, table));
        }
        QSqlDatabase::removeDatabase(name);
        return made;
    }();
    return tables;
}

// Why the file's tables are not the program's, as the list shows it; empty when they are. A file
// that carries the program's mark but other tables would end every later start.
QString schemaProblem(QSqlQuery &query)
{
    for (const QString &table : Tables) {
        const Columns have = columnsOf(query, table);
        if (have.isEmpty())
            return QStringLiteral("表「%1」がありません").arg(table);
        const Columns &want = programTables().value(table);
        for (const auto &[column, type] : want) {
            const auto found =
                std::find_if(have.cbegin(), have.cend(), [&](const auto &c) { return c.first == column; });
            if (found == have.cend())
                return QStringLiteral("表「%1」に列「%2」がありません").arg(table, column);
            if (found->second != type)
                return QStringLiteral("表「%1」の列「%2」の型が %3 です（%4 のはず）")
                    .arg(table, column, found->second, type);
        }
        if (have.size() != want.size())
            return QStringLiteral("表「%1」に Parvela の知らない列があります").arg(table);
    }
    return QString();
}

// The open database as a new file of its own under `kept`: read through with VACUUM INTO and
// checked like the daily copy, or, when it is too damaged to be read through, its bytes as they
// are, so nothing of it is lost. Never written through a link.
bool keepCurrent(const QString &databasePath, const QString &kept)
{
    const QString partial = kept + QStringLiteral(".part");
    if (SafeFiles::entryAt(partial) != Entry::Missing)
        QFile::remove(partial); // a leftover of ours, or a link: the name itself goes
    const int fd = SafeFiles::createNew(partial);
    if (fd < 0)
        return false;
    bool made = false;
    try {
        // VACUUM INTO fills the empty file just made for it.
        Database::exec(QStringLiteral("VACUUM INTO ?"), {partial});
        made = SafeFiles::stillAt(fd, partial) && Backup::copyIsSound(partial);
    } catch (const DatabaseError &) {
    }
    ::close(fd);
    if (made && SafeFiles::renameToNewName(partial, kept))
        return true;
    QFile::remove(partial);
    return SafeFiles::copyToNew(databasePath, partial).isEmpty() && SafeFiles::renameToNewName(partial, kept);
}

// The copy's bytes beside the database under a new name, checked; empty when it could not be.
QString staged(const QString &databasePath, const QString &backupPath)
{
    const QString staging = databasePath + QStringLiteral(".restoring");
    if (SafeFiles::entryAt(staging) != Entry::Missing)
        QFile::remove(staging);
    if (SafeFiles::copyToNew(backupPath, staging).isEmpty() && Restore::inspect(staging).sound)
        return staging;
    QFile::remove(staging);
    return QString();
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

QString refusedCopy(const Restore::BackupFile &file)
{
    return QStringLiteral("「%1」は%2ため、復元しません。").arg(QFileInfo(file.path).fileName(), file.problem);
}

} // namespace

namespace Restore {

BackupFile inspect(const QString &path)
{
    const QFileInfo info(path);
    BackupFile file;
    file.path = path;
    file.modified = info.lastModified();
    file.bytes = info.size();
    if (SafeFiles::entryAt(path) != Entry::RegularFile) {
        file.problem = QStringLiteral("ファイルではありません（リンクなど）");
        return file;
    }
    if (!Backup::copyIsSound(path)) {
        file.problem = QStringLiteral("壊れています");
        return file;
    }
    const QString name = QStringLiteral("parvela-restore-inspect");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            if (firstInt(query, QStringLiteral("PRAGMA application_id")) != Database::ApplicationId)
                file.problem = QStringLiteral("Parvela のデータベースではありません");
            else
                file.problem = schemaProblem(query);
            if (file.problem.isEmpty()) {
                file.members = firstInt(query, QStringLiteral("select count(*) from Member"));
                file.competitions = firstInt(query, QStringLiteral("select count(*) from Course"));
            }
        } else {
            file.problem = QStringLiteral("開けません");
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    file.sound = file.problem.isEmpty();
    return file;
}

QString unusableFolder(const QString &databasePath)
{
    const QString folder = Backup::folderFor(databasePath);
    const Entry entry = SafeFiles::entryAt(folder);
    if (entry == Entry::Folder || entry == Entry::Missing)
        return QString();
    return QStringLiteral(
               "「%1」がフォルダではないため（リンクやファイルです）、使いません。バックアップはデータベースと"
               "同じフォルダの中の「backup」フォルダにだけ置きます。")
        .arg(QDir::toNativeSeparators(folder));
}

QVector<BackupFile> list(const QString &databasePath)
{
    QVector<BackupFile> files;
    const QString folder = Backup::folderFor(databasePath);
    if (SafeFiles::entryAt(folder) != Entry::Folder)
        return files;
    for (const QFileInfo &info :
         QDir(folder).entryInfoList({QStringLiteral("*.mdb")}, QDir::Files | QDir::NoSymLinks, QDir::Time)) {
        if (SafeFiles::entryAt(info.filePath()) == Entry::RegularFile)
            files.append(inspect(info.filePath()));
    }
    return files;
}

const BackupFile *newestSound(const QVector<BackupFile> &files)
{
    const auto found = std::find_if(files.cbegin(), files.cend(), [](const BackupFile &file) { return file.sound; });
    return found == files.cend() ? nullptr : &*found;
}

QString keptCopyName(const QDateTime &now)
{
    return QFileInfo(Backup::fileNameFor(now.date())).completeBaseName() + now.toString(QStringLiteral("-HHmmss"))
           + QStringLiteral("-before-restore.mdb");
}

QString damagedName(const QDateTime &now)
{
    return now.toString(QStringLiteral("'parvela-damaged-'yyyyMMdd-HHmmss'.mdb'"));
}

Outcome restore(const QString &backupPath, const QDateTime &now)
{
    Outcome outcome;
    const BackupFile copy = inspect(backupPath);
    if (!copy.sound) {
        outcome.problem = refusedCopy(copy);
        return outcome;
    }
    const QString databasePath = Database::path();
    const QString folder = Backup::folderFor(databasePath);
    const QString kept = QDir(folder).filePath(keptCopyName(now));
    if (!SafeFiles::realFolderProblem(folder).isEmpty() || SafeFiles::entryAt(kept) != Entry::Missing
        || !keepCurrent(databasePath, kept)) {
        outcome.problem =
            QStringLiteral("今のデータを「%1」に保存できないため、復元しません。").arg(QDir::toNativeSeparators(kept));
        return outcome;
    }
    outcome.keptCopy = kept;

    const QString staging = staged(databasePath, backupPath);
    if (staging.isEmpty()) {
        outcome.problem = QStringLiteral("「%1」を書き込めないため、復元しません。")
                              .arg(QDir::toNativeSeparators(databasePath + QStringLiteral(".restoring")));
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
        std::filesystem::rename(QFile::encodeName(staging).toStdString(), QFile::encodeName(databasePath).toStdString(),
                                error);
    }
    if (!replaced || error) {
        QFile::remove(staging);
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

Outcome replaceDamaged(const QString &databasePath, const QString &backupPath, const QDateTime &now)
{
    Outcome outcome;
    const BackupFile copy = inspect(backupPath);
    if (!copy.sound) {
        outcome.problem = refusedCopy(copy);
        return outcome;
    }
    const QString staging = staged(databasePath, backupPath);
    const QString aside = QFileInfo(databasePath).absoluteDir().filePath(damagedName(now));
    if (staging.isEmpty() || !SafeFiles::renameToNewName(databasePath, aside)) {
        QFile::remove(staging);
        outcome.problem =
            QStringLiteral("「%1」の隣に書き込めないため、復元しません。").arg(QDir::toNativeSeparators(databasePath));
        return outcome;
    }
    // A journal stays with the file it belongs to: left beside the copy, it would be played into it.
    const QString journal = databasePath + QStringLiteral("-journal");
    const bool journalMoved = SafeFiles::entryAt(journal) == Entry::Missing
                              || SafeFiles::renameToNewName(journal, aside + QStringLiteral("-journal"));
    if (!journalMoved || !SafeFiles::renameToNewName(staging, databasePath)) {
        SafeFiles::renameToNewName(aside, databasePath);
        QFile::remove(staging);
        outcome.problem = QStringLiteral("データベースファイルを置けないため、復元しません。");
        return outcome;
    }
    outcome.keptCopy = aside;
    outcome.restored = true;
    return outcome;
}

} // namespace Restore
