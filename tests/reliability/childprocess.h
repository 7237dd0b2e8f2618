#pragma once

// Starting the reliability tests' child process (crashchild.cpp), which is built beside them.

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

namespace ChildProcess {

inline QString program()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath("reliability_crashchild");
}

// Starts the child on the database and waits until it has opened it and is about to work.
inline bool startReady(QProcess &process, const QString &databasePath, const QStringList &operation)
{
    process.start(program(), QStringList{databasePath} + operation);
    QByteArray said;
    while (!said.contains("ready\n") && process.waitForReadyRead(10000))
        said += process.readAllStandardOutput();
    return said.contains("ready\n");
}

} // namespace ChildProcess
