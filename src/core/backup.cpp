#include "core/backup.h"

#include "core/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace Backup {

namespace {

// Only names the program itself writes are ever pruned; a file the user put there stays.
bool isDailyCopyName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^parvela-\\d{8}\\.mdb$"));
    return pattern.match(name).hasMatch();
}

QString pruneOldCopies(const QDir &folder)
{
    QStringList copies;
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
        if (isDailyCopyName(name))
            copies << name;
    }
    // The date in the name sorts as text: the newest come last.
    copies.sort();
    QStringList notRemoved;
    for (int i = 0; i < copies.size() - KeptCopies; ++i) {
        if (!QFile::remove(folder.filePath(copies[i])))
            notRemoved << copies[i];
    }
    if (notRemoved.isEmpty())
        return QString();
    return QStringLiteral("古いバックアップ（%1）を削除できません。").arg(notRemoved.join(QStringLiteral("、")));
}

} // namespace

QString folderFor(const QString &databasePath)
{
    return QFileInfo(databasePath).absoluteDir().filePath(QStringLiteral("backup"));
}

QString fileNameFor(const QDate &day)
{
    return QStringLiteral("parvela-%1.mdb").arg(day.toString(QStringLiteral("yyyyMMdd")));
}

bool isDue(const QString &databasePath, const QDate &today)
{
    return !QFileInfo::exists(QDir(folderFor(databasePath)).filePath(fileNameFor(today)));
}

bool copyIsSound(const QString &path)
{
    const QString name = QStringLiteral("parvela-backup-check");
    bool sound = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (QFileInfo(path).isFile() && db.open()) {
            QSqlQuery query(db);
            sound = query.exec(QStringLiteral("PRAGMA quick_check")) && query.next()
                    && query.value(0).toString() == QLatin1String("ok") && !query.next();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return sound;
}

Outcome makeDaily(const QDate &today, const CopyCheck &check)
{
    Outcome outcome;
    if (!isDue(Database::path(), today))
        return outcome;
    const QString folderPath = folderFor(Database::path());
    const QDir folder(folderPath);
    const QString target = folder.filePath(fileNameFor(today));

    if (!QDir().mkpath(folderPath) || !QFileInfo(folderPath).isDir()) {
        outcome.problem = QStringLiteral("フォルダ「%1」を作成できません。").arg(QDir::toNativeSeparators(folderPath));
        return outcome;
    }
    // A copy left half written by an interrupted run would make VACUUM INTO refuse.
    const QString partial = target + QStringLiteral(".part");
    if (QFileInfo::exists(partial) && !QFile::remove(partial)) {
        outcome.problem = QStringLiteral("「%1」を削除できません。").arg(QDir::toNativeSeparators(partial));
        return outcome;
    }
    try {
        // The file name is bound, never spliced into the statement.
        Database::exec(QStringLiteral("VACUUM INTO ?"), {partial});
    } catch (const DatabaseError &error) {
        QFile::remove(partial);
        outcome.problem =
            QStringLiteral("「%1」に書き込めません（%2）。").arg(QDir::toNativeSeparators(target), error.engineText());
        return outcome;
    }
    if (!check(partial)) {
        QFile::remove(partial);
        outcome.problem = QStringLiteral("作成した写しの検査（quick_check）で誤りが見つかったため、削除しました。");
        return outcome;
    }
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        outcome.problem = QStringLiteral("「%1」を作成できません。").arg(QDir::toNativeSeparators(target));
        return outcome;
    }
    outcome.made = true;
    outcome.problem = pruneOldCopies(folder);
    return outcome;
}

} // namespace Backup
