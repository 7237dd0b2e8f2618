#include "core/backup.h"

#include "core/database.h"
#include "core/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Backup {

namespace {

enum class Entry { Missing, RegularFile, Folder, Other };

// What the name itself is; a link is never followed (it is Other).
Entry entryAt(const QString &path, struct stat *status = nullptr)
{
    struct stat local = {};
    struct stat &s = status ? *status : local;
    if (::lstat(QFile::encodeName(path).constData(), &s) != 0)
        return errno == ENOENT ? Entry::Missing : Entry::Other;
    if (S_ISREG(s.st_mode))
        return Entry::RegularFile;
    return S_ISDIR(s.st_mode) ? Entry::Folder : Entry::Other;
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The day of a name the program itself writes; nothing for any other name, which is never pruned.
std::optional<QDate> dayOfCopy(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^parvela-(\\d{8})\\.mdb$"));
    const QRegularExpressionMatch match = pattern.match(name);
    const QDate day = match.hasMatch() ? QDate::fromString(match.captured(1), QStringLiteral("yyyyMMdd")) : QDate();
    return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
}

// The real backup folder, made when missing; a link or a file under its name is refused.
QString folderProblem(const QString &folder)
{
    switch (entryAt(folder)) {
    case Entry::Folder:
        return QString();
    case Entry::Missing:
        if (::mkdir(QFile::encodeName(folder).constData(), 0777) == 0)
            return QString();
        return QStringLiteral("フォルダ「%1」を作成できません（%2）。").arg(native(folder), systemError());
    default:
        return QStringLiteral("「%1」がフォルダではありません（リンクやファイルです）。バックアップはデータベースと同じ"
                              "フォルダの中の「backup」フォルダにだけ作ります。これを別の場所に移してください。")
            .arg(native(folder));
    }
}

// A name that must not exist yet: a file system without the no-replace rename gets a hard link,
// which is made only under a new name too.
bool renameToNewName(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::link(source.constData(), target.constData()) != 0)
        return false;
    ::unlink(source.constData());
    return true;
}

// VACUUM INTO writes wherever a link under the name points: the temporary name is first made as a
// new, empty regular file of ours (VACUUM INTO accepts an empty file), and afterwards must still
// be that file.
QString writeCopy(const QString &partial)
{
    const QByteArray name = QFile::encodeName(partial);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return QStringLiteral("「%1」を作成できません（%2）。").arg(native(partial), systemError());
    QString problem;
    try {
        // The file name is bound, never spliced into the statement.
        Database::exec(QStringLiteral("VACUUM INTO ?"), {partial});
    } catch (const DatabaseError &error) {
        problem = QStringLiteral("「%1」に書き込めません（%2）。").arg(native(partial), error.engineText());
    }
    struct stat made = {};
    struct stat now = {};
    const bool same = ::fstat(fd, &made) == 0 && entryAt(partial, &now) == Entry::RegularFile
                      && made.st_dev == now.st_dev && made.st_ino == now.st_ino;
    ::close(fd);
    if (!same)
        return QStringLiteral("「%1」が書き込みの途中で別のものに置き換えられました。").arg(native(partial));
    if (!problem.isEmpty())
        ::unlink(name.constData());
    return problem;
}

struct Pruned
{
    QString problem;
    QStringList future; // copies dated after today, newest first
};

// Keeps the KeptCopies newest by the date in the name, and always today's.
Pruned pruneOldCopies(const QString &folder, const QDate &today)
{
    std::map<QDate, QString> copies;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::NoSymLinks)) {
        const std::optional<QDate> day = dayOfCopy(name);
        if (day && entryAt(QDir(folder).filePath(name)) == Entry::RegularFile)
            copies.emplace(*day, name);
    }
    Pruned pruned;
    QStringList notRemoved;
    int kept = 0;
    for (auto copy = copies.rbegin(); copy != copies.rend(); ++copy) {
        const auto &[day, name] = *copy;
        if (day > today)
            pruned.future << name;
        if (kept++ < KeptCopies || day == today)
            continue;
        if (::unlink(QFile::encodeName(QDir(folder).filePath(name)).constData()) != 0)
            notRemoved << name;
    }
    if (!notRemoved.isEmpty())
        pruned.problem =
            QStringLiteral("古いバックアップ（%1）を削除できません。").arg(notRemoved.join(QStringLiteral("、")));
    return pruned;
}

// Each copy dated after today is told about once; the store remembers which were told.
QString noticeOfFutureCopies(const QString &folder, const QDate &today, const QStringList &future)
{
    const QString key = SettingKeys::BackupFutureCopiesTold;
    const QStringList told = SettingsStore::read(key, QString()).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const QString stillThere = future.join(QLatin1Char(','));
    if (stillThere != told.join(QLatin1Char(',')))
        SettingsStore::save(key, stillThere);
    const QSet<QString> toldBefore(told.cbegin(), told.cend());
    for (const QString &name : future) {
        if (!toldBefore.contains(name)) {
            return QStringLiteral("バックアップのフォルダ「%1」に、今日（%2）より後の日付の写しがあります：%3\n"
                                  "コンピュータの時計が戻されたか、別のコンピュータから持ち込まれた写しです。古い写しを"
                                  "整理するときは日付の新しいものとして残します。要らなければ削除してください。")
                .arg(native(folder), today.toString(QStringLiteral("yyyy/M/d")), future.join(QStringLiteral("、")));
        }
    }
    return QString();
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
    const QString folder = folderFor(databasePath);
    return entryAt(folder) != Entry::Folder || entryAt(QDir(folder).filePath(fileNameFor(today))) != Entry::RegularFile;
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
            // Mapped, as the start-up check reads the database itself: pages are checked where
            // they lie instead of being copied into the cache first.
            query.exec(QStringLiteral("PRAGMA mmap_size=268435456"));
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
    const QString folder = folderFor(Database::path());
    outcome.problem = folderProblem(folder);
    if (!outcome.problem.isEmpty())
        return outcome;
    const QString target = QDir(folder).filePath(fileNameFor(today));
    switch (entryAt(target)) {
    case Entry::RegularFile:
        return outcome; // the day's copy is there
    case Entry::Missing:
        break;
    default:
        outcome.problem = QStringLiteral("「%1」はバックアップのファイルではありません（リンクなど）。"
                                         "これを別の場所に移してください。")
                              .arg(native(target));
        return outcome;
    }
    // A copy left half written by an interrupted run is ours and goes; anything else is refused.
    const QString partial = target + QStringLiteral(".part");
    const Entry leftover = entryAt(partial);
    if (leftover == Entry::RegularFile && !QFile::remove(partial)) {
        outcome.problem = QStringLiteral("「%1」を削除できません。").arg(native(partial));
        return outcome;
    }
    if (leftover == Entry::Folder || leftover == Entry::Other) {
        outcome.problem = QStringLiteral("「%1」は Parvela が作りかけた写しではありません（リンクなど）。"
                                         "これを別の場所に移してください。")
                              .arg(native(partial));
        return outcome;
    }
    outcome.problem = writeCopy(partial);
    if (!outcome.problem.isEmpty())
        return outcome;
    if (!check(partial)) {
        QFile::remove(partial);
        outcome.problem = QStringLiteral("作成した写しの検査（quick_check）で誤りが見つかったため、削除しました。");
        return outcome;
    }
    if (!renameToNewName(partial, target)) {
        outcome.problem = QStringLiteral("「%1」を作成できません（%2）。").arg(native(target), systemError());
        QFile::remove(partial);
        return outcome;
    }
    outcome.made = true;
    const Pruned pruned = pruneOldCopies(folder, today);
    outcome.problem = pruned.problem;
    outcome.notice = noticeOfFutureCopies(folder, today, pruned.future);
    return outcome;
}

} // namespace Backup
