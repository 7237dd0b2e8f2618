#include "core/databaselock.h"

#include "core/safefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

DatabaseLock::DatabaseLock(const QString &databasePath)
    : m_lock(std::make_unique<QLockFile>(pathFor(databasePath)))
{
    // A run lasts as long as the user likes: only a holder that no longer runs makes a lock stale,
    // never its age.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        m_state = State::Held;
        return;
    }
    const QString lockPath = QDir::toNativeSeparators(pathFor(databasePath));
    const QString database = QDir::toNativeSeparators(databasePath);
    qint64 pid = 0;
    QString host;
    QString application;
    const bool regular = SafeFiles::entryAt(pathFor(databasePath)) == SafeFiles::Entry::RegularFile;
    if (m_lock->error() == QLockFile::LockFailedError && regular) {
        m_state = State::InUse;
        const QString where = m_lock->getLockInfo(&pid, &host, &application)
                                  ? QStringLiteral("（コンピュータ「%1」、プロセス番号 %2）").arg(host).arg(pid)
                                  : QString();
        m_message = QStringLiteral("データベース「%1」は、ほかの Parvela で既に開かれています%2。\n\n"
                                   "同じデータベースを二つの Parvela で開くと、互いの変更を消してしまいます。"
                                   "開いている Parvela を使ってください。\n"
                                   "Parvela がどこにも開いていないのにこの表示が出るときは、「%3」を削除してから"
                                   "起動し直してください。")
                        .arg(database, where, lockPath);
        return;
    }
    m_state = State::Unlocked;
    m_message =
        QStringLiteral("データベースのフォルダ「%1」に目印のファイル「%2」を作れないため、Parvela を二つ"
                       "起動しても気付けません。\n\n"
                       "このまま使えますが、同じデータベースをほかの Parvela で同時に開くと、互いの変更を"
                       "消してしまいます。一度に一つだけ開くようにしてください。")
            .arg(QDir::toNativeSeparators(QFileInfo(databasePath).absolutePath()), QFileInfo(lockPath).fileName());
}

DatabaseLock::~DatabaseLock() = default;

QString DatabaseLock::pathFor(const QString &databasePath)
{
    const QFileInfo database(databasePath);
    return database.absoluteDir().filePath(QLatin1Char('.') + database.fileName() + QStringLiteral(".lock"));
}
