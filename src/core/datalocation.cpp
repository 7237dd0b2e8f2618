#include "core/datalocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace DataLocation {

namespace {

QString &chosenProgramFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString programFolder()
{
    const QString &chosen = chosenProgramFolder();
    return chosen.isEmpty() ? QCoreApplication::applicationDirPath() : chosen;
}

void setProgramFolder(const QString &folder)
{
    chosenProgramFolder() = folder;
}

QString userDataFolder()
{
    // Not AppDataLocation: with the organisation and the application both "Parvela" that
    // would be …/Parvela/Parvela. The settings live in $XDG_CONFIG_HOME/Parvela likewise.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("Parvela"));
}

QString databasePath()
{
    QString besideProgram = QDir(programFolder()).filePath(QStringLiteral("parvela.mdb"));
    // Whatever stands there under that name is the club's: a damaged file or a broken link must
    // be reported, not passed over for another database.
    const QFileInfo file(besideProgram);
    if (file.exists() || file.isSymLink() || userDataFolder().isEmpty())
        return besideProgram;
    return QDir(userDataFolder()).filePath(QStringLiteral("parvela.mdb"));
}

QString helpFilePath()
{
    const QDir program(programFolder());
    for (const QString &folder : {program.path(), program.filePath(QStringLiteral("../share/parvela"))}) {
        const QDir dir(folder);
        if (dir.entryList(QDir::Files | QDir::Hidden).contains(QStringLiteral("parvela.hlp"), Qt::CaseSensitive))
            return QDir::cleanPath(dir.filePath(QStringLiteral("parvela.hlp")));
    }
    return QString();
}

} // namespace DataLocation
