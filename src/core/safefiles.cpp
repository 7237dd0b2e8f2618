#include "core/safefiles.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace SafeFiles {

Entry entryAt(const QString &path, struct stat *status)
{
    struct stat local = {};
    struct stat &s = status ? *status : local;
    if (::lstat(QFile::encodeName(path).constData(), &s) != 0)
        return errno == ENOENT ? Entry::Missing : Entry::Other;
    if (S_ISREG(s.st_mode))
        return Entry::RegularFile;
    return S_ISDIR(s.st_mode) ? Entry::Folder : Entry::Other;
}

QString realFolderProblem(const QString &folder)
{
    const QString shown = QDir::toNativeSeparators(folder);
    switch (entryAt(folder)) {
    case Entry::Folder:
        return QString();
    case Entry::Missing:
        if (::mkdir(QFile::encodeName(folder).constData(), 0777) == 0)
            return QString();
        return QStringLiteral("フォルダ「%1」を作成できません（%2）。").arg(shown, systemError());
    default:
        return QStringLiteral("「%1」がフォルダではありません（リンクやファイルです）。バックアップはデータベースと同じ"
                              "フォルダの中の「backup」フォルダにだけ作ります。これを別の場所に移してください。")
            .arg(shown);
    }
}

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

bool writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

int createNew(const QString &path)
{
    return ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

bool stillAt(int fd, const QString &path)
{
    struct stat made = {};
    struct stat now = {};
    return ::fstat(fd, &made) == 0 && entryAt(path, &now) == Entry::RegularFile && made.st_dev == now.st_dev
           && made.st_ino == now.st_ino;
}

QString copyToNew(const QString &from, const QString &to)
{
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (in < 0)
        return QStringLiteral("「%1」を読めません（%2）。").arg(QDir::toNativeSeparators(from), systemError());
    const int out = createNew(to);
    if (out < 0) {
        const QString problem =
            QStringLiteral("「%1」を作成できません（%2）。").arg(QDir::toNativeSeparators(to), systemError());
        ::close(in);
        return problem;
    }
    QString problem;
    char buffer[1 << 16];
    for (ssize_t got = 1; problem.isEmpty() && got != 0;) {
        got = ::read(in, buffer, sizeof buffer);
        if (got < 0 || !writeAll(out, buffer, got))
            problem = systemError();
    }
    if (problem.isEmpty() && (::fdatasync(out) != 0 || !stillAt(out, to)))
        problem = systemError();
    ::close(in);
    ::close(out);
    if (problem.isEmpty())
        return problem;
    ::unlink(QFile::encodeName(to).constData());
    return QStringLiteral("「%1」に書き込めません（%2）。").arg(QDir::toNativeSeparators(to), problem);
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace SafeFiles
