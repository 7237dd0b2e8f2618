#include "clubs.h"

#include "core/database.h"
#include "core/datalocation.h"
#include "core/demodata.h"
#include "core/settingsrecord.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include <cstdio>
#include <cstdlib>

namespace Clubs {

namespace {

QString g_runFolder;

QString copyPath(const Club &club)
{
    return QDir(g_runFolder).filePath(QStringLiteral("copy-%1x%2.mdb").arg(club.members).arg(club.years));
}

void openOrDie(const QString &path)
{
    try {
        Database::open(path);
    } catch (const StartupError &error) {
        std::fprintf(stderr, "parvela-bench: %s\n", qPrintable(error.message()));
        std::exit(2);
    }
}

} // namespace

QString Club::label() const
{
    return QStringLiteral("%1×%2").arg(members).arg(years);
}

QString Club::dataHome() const
{
    return QDir(g_runFolder).filePath(QStringLiteral("club%1x%2").arg(members).arg(years));
}

QString Club::folder() const
{
    return QDir(dataHome()).filePath(QStringLiteral("Parvela"));
}

QString Club::path() const
{
    return QDir(folder()).filePath(QStringLiteral("parvela.mdb"));
}

QVector<Club> sizes()
{
    return {{40, 1}, {200, 5}, {2000, 1}, {300, 10}};
}

int year()
{
    return DemoData::Options().lastYear;
}

void setRunFolder(const QString &folder)
{
    g_runFolder = folder;
}

QString runFolder()
{
    return g_runFolder;
}

const SettingsRecord &settings()
{
    static const SettingsRecord run = [] {
        SettingsRecord defaults;
        defaults.editYear = static_cast<qint16>(year());
        return defaults;
    }();
    return run;
}

void make(const Club &club)
{
    DemoData::Options options;
    options.members = club.members;
    options.years = club.years;
    QDir().mkpath(club.folder());
    try {
        DemoData::createClub(club.path(), options, settings());
    } catch (const StartupError &error) {
        std::fprintf(stderr, "parvela-bench: %s\n", qPrintable(error.message()));
        std::exit(2);
    }
}

void open(const Club &club)
{
    openOrDie(club.path());
    DataLocation::setProgramFolder(club.folder());
}

void openCopy(const Club &club)
{
    QFile::remove(copyPath(club));
    QFile::copy(club.path(), copyPath(club));
    openOrDie(copyPath(club));
}

void closeCopy(const Club &club)
{
    Database::close();
    QFile::remove(copyPath(club));
}

QVector<int> yearCourseIds()
{
    QVector<int> ids;
    QSqlQuery query = Database::run(QStringLiteral("select ID from Course where CYEAR=? order by CMONTH,ID"), {year()});
    while (query.next())
        ids << query.value(0).toInt();
    return ids;
}

QString idList(const QVector<int> &ids)
{
    QStringList texts;
    for (const int id : ids)
        texts << QString::number(id);
    return texts.join(QLatin1Char(','));
}

} // namespace Clubs
