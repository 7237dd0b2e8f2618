#pragma once

#include <QString>

#include <sys/stat.h>

// Files written beside the club's database and in its backup folder: never through a link, never
// over a file that is there already. A name is judged by what it is itself (lstat), not by what a
// link under it points to.
namespace SafeFiles {

enum class Entry { Missing, RegularFile, Folder, Other };

// What stands under the name; a link is Other, whatever it points to.
Entry entryAt(const QString &path, struct stat *status = nullptr);

// The folder, made when missing; empty when it is (now) a real folder, else why not, ready to
// show. A link or a file under its name is refused.
QString realFolderProblem(const QString &folder);

// Renames to a name that must not exist yet. A file system without the no-replace rename gets a
// hard link, which is made only under a new name too.
bool renameToNewName(const QString &from, const QString &to);

// Creates the name as a new, empty regular file of ours (never following a link) and returns its
// descriptor, or -1 with errno set.
int createNew(const QString &path);

// Writes every byte; false on an error (errno tells which).
bool writeAll(int fd, const char *data, qint64 size);

// True while the descriptor's file is still the one under the name (not replaced, not a link).
bool stillAt(int fd, const QString &path);

// The bytes of the regular file `from` (never read through a link) under the new name `to`
// (created as by createNew), flushed to the disk; on any problem `to` is removed again. Returns
// why it could not, or an empty text.
QString copyToNew(const QString &from, const QString &to);

// The system's text for errno.
QString systemError();

} // namespace SafeFiles
