#include "core/backup.h"

#include "core/safefiles.h"
#include "core/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <map>
#include <memory>
#include <optional>

#include <sqlite3.h>
#include <unistd.h>

namespace Backup {

namespace {

using SafeFiles::Entry;
using SafeFiles::entryAt;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The day of a name the program itself writes; nothing for any other name, which is never pruned.
std::optional<QDate> dayOfCopy(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^parvela-(\\d{8})\\.mdb$"));
    const QRegularExpressionMatch match = pattern.match(name);
    const QDate day = match.hasMatch() ? QDate::fromString(match.captured(1), QStringLiteral("yyyyMMdd")) : QDate();
    return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
}

struct Connection
{
    sqlite3 *db = nullptr;
    explicit Connection(const QString &path)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            db = nullptr;
        }
    }
    ~Connection() { sqlite3_close(db); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;
    QString error() const { return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory"); }
};

// The database's bytes into `fd`, read through SQLite's own handle of the file: a descriptor of
// our own on the database, once closed, would drop the locks the program's connection holds on it.
QString copyBytes(const QString &databasePath, int fd, const std::function<void()> &whileLocked)
{
    Connection source(databasePath);
    if (!source.db)
        return source.error();
    sqlite3_busy_timeout(source.db, 5000);
    if (sqlite3_exec(source.db, "BEGIN; SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK)
        return source.error();
    QString problem;
    sqlite3_file *file = nullptr;
    sqlite3_int64 size = 0;
    if (sqlite3_file_control(source.db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file
        || !file->pMethods || file->pMethods->xFileSize(file, &size) != SQLITE_OK) {
        problem = QStringLiteral("cannot read the database file");
    }
    const std::unique_ptr<char[]> buffer(new char[1 << 16]);
    for (sqlite3_int64 offset = 0; problem.isEmpty() && offset < size;) {
        const int chunk = static_cast<int>(qMin<sqlite3_int64>(1 << 16, size - offset));
        if (file->pMethods->xRead(file, buffer.get(), chunk, offset) != SQLITE_OK)
            problem = QStringLiteral("cannot read the database file");
        else if (!SafeFiles::writeAll(fd, buffer.get(), chunk))
            problem = SafeFiles::systemError();
        offset += chunk;
    }
    if (problem.isEmpty() && whileLocked)
        whileLocked();
    sqlite3_exec(source.db, "COMMIT", nullptr, nullptr, nullptr);
    if (problem.isEmpty() && ::fdatasync(fd) != 0)
        problem = SafeFiles::systemError();
    return problem;
}

// Keeps the KeptCopies newest dated up to today (today's is the newest of them) and every copy
// dated after today: a clock set back must not cost the real copies their places.
QString pruneOldCopies(const QString &folder, const QDate &today, QStringList &future)
{
    std::map<QDate, QString> copies;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::NoSymLinks)) {
        const std::optional<QDate> day = dayOfCopy(name);
        if (day && entryAt(QDir(folder).filePath(name)) == Entry::RegularFile)
            copies.emplace(*day, name);
    }
    QStringList notRemoved;
    int kept = 0;
    for (auto copy = copies.rbegin(); copy != copies.rend(); ++copy) {
        const auto &[day, name] = *copy;
        if (day > today)
            future << name;
        else if (kept++ >= KeptCopies && ::unlink(QFile::encodeName(QDir(folder).filePath(name)).constData()) != 0)
            notRemoved << name;
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

bool copyIsSound(const QString &path)
{
    if (entryAt(path) != Entry::RegularFile)
        return false;
    const Connection copy(path);
    sqlite3_stmt *check = nullptr;
    // Mapped, the pages are checked where they lie instead of being copied into the cache first.
    const bool prepared = copy.db
                          && sqlite3_exec(copy.db, "PRAGMA mmap_size=268435456", nullptr, nullptr, nullptr) == SQLITE_OK
                          && sqlite3_prepare_v2(copy.db, "PRAGMA quick_check", -1, &check, nullptr) == SQLITE_OK;
    const bool sound = prepared && sqlite3_step(check) == SQLITE_ROW
                       && qstrcmp(reinterpret_cast<const char *>(sqlite3_column_text(check, 0)), "ok") == 0
                       && sqlite3_step(check) == SQLITE_DONE;
    sqlite3_finalize(check);
    return sound;
}

Outcome makeDaily(const QString &databasePath, const QDate &today, const Seams &seams)
{
    Outcome outcome;
    const QString folder = folderFor(databasePath);
    outcome.problem = SafeFiles::realFolderProblem(folder);
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
    const int fd = SafeFiles::createNew(partial);
    if (fd < 0) {
        outcome.problem =
            QStringLiteral("「%1」を作成できません（%2）。").arg(native(partial), SafeFiles::systemError());
        return outcome;
    }
    const QString copyProblem = copyBytes(databasePath, fd, seams.whileLocked);
    if (!copyProblem.isEmpty()) {
        outcome.problem = QStringLiteral("「%1」に書き込めません（%2）。").arg(native(partial), copyProblem);
    } else if (!copyIsSound(partial)) {
        outcome.failedCheck = true;
        outcome.problem = QStringLiteral("作成した写しの検査（quick_check）で誤りが見つかったため、削除しました。");
    } else if (!SafeFiles::stillAt(fd, partial)) {
        outcome.problem = QStringLiteral("「%1」が書き込みの途中で別のものに置き換えられました。").arg(native(partial));
        ::close(fd);
        return outcome; // not ours any more: left alone
    } else if (!SafeFiles::renameToNewName(partial, target)) {
        outcome.problem =
            QStringLiteral("「%1」を作成できません（%2）。").arg(native(target), SafeFiles::systemError());
    } else {
        outcome.made = true;
    }
    ::close(fd);
    if (!outcome.made) {
        QFile::remove(partial);
        return outcome;
    }
    outcome.problem = pruneOldCopies(folder, today, outcome.future);
    return outcome;
}

QString noticeOfFutureCopies(const QString &databasePath, const QDate &today, const QStringList &future)
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
                                  "整理するときも残し、10 日分の写しの数には入れません。要らなければ削除してください。")
                .arg(native(folderFor(databasePath)), today.toString(QStringLiteral("yyyy/M/d")),
                     future.join(QStringLiteral("、")));
        }
    }
    return QString();
}

} // namespace Backup
