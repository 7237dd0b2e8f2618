#pragma once

// Starting the reliability tests' child process (crashchild.cpp), which is built beside them.

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStringList>

namespace ChildProcess {

inline QString program()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("reliability_crashchild"));
}

// Starts the child on the database and waits until it has opened it and is about to work.
inline bool startReady(QProcess &process, const QString &databasePath, const QStringList &operation)
{
    process.setProgram(program());
    process.setArguments(QStringList{databasePath} + operation);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start();
    if (!process.waitForStarted(10000))
        return false;
    QByteArray said;
    while (!said.contains("ready\n")) {
        if (!process.waitForReadyRead(10000))
            return false;
        said += process.readAllStandardOutput();
    }
    return true;
}

} // namespace ChildProcess
