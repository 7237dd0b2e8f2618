#include "figures.h"
#include "measure.h"
#include "startedprocess.h"

#include "core/backup.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace Figures {

namespace {

// A process started until its first window has been painted: the program as built, or a floor
// (barestart.cpp says why it is one).
struct Starter
{
    QString program;
    QByteArray windowClass; // the window the process must paint first
    Measure::Memory memory;
    QVector<double> times;
};

QString todaysCopy(const Clubs::Club &club)
{
    return QDir(Backup::folderFor(club.path())).filePath(Backup::fileNameFor(QDate::currentDate()));
}

// Ten copies of earlier days in the backup folder, and none of today: the first start of a day
// makes today's copy and prunes the oldest.
void prepareFirstOfDay(const Clubs::Club &club)
{
    const QDir backups(Backup::folderFor(club.path()));
    backups.mkpath(QStringLiteral("."));
    const QDate today = QDate::currentDate();
    QFile::remove(todaysCopy(club));
    for (int day = 1; day <= Backup::KeptCopies; ++day) {
        const QString older = backups.filePath(Backup::fileNameFor(today.addDays(-day)));
        if (!QFileInfo::exists(older))
            QFile::copy(club.path(), older);
    }
}

void startup(const Clubs::Club &club, bool firstOfDay)
{
    std::array<Starter, 3> starters = {Starter{StartedProcess::Program, "MainMenu", {}, {}},
                                       Starter{StartedProcess::BareLibraries, "QWidget", {}, {}},
                                       Starter{StartedProcess::BareWidgets, "QWidget", {}, {}}};
    for (int run = 0; run < StartupRuns; ++run) {
        if (firstOfDay)
            prepareFirstOfDay(club);
        // Each in turn starts first, so that none always finds the caches as the one before left them.
        for (int i = 0; i < int(starters.size()); ++i) {
            Starter &starter = starters.at((run + i) % starters.size());
            const auto start = StartedProcess::untilFirstPaint(starter.program, club.dataHome());
            if (!start || start->windowClass != starter.windowClass) {
                std::fprintf(stderr, "parvela-bench: %s did not show its window first\n", qPrintable(starter.program));
                std::exit(2);
            }
            // A first start that made no copy of the day would not be one.
            if (firstOfDay && &starter == &starters.front() && !QFileInfo::exists(todaysCopy(club))) {
                std::fprintf(stderr, "parvela-bench: the program made no copy of the day\n");
                std::exit(2);
            }
            starter.times << start->ms;
            // A new process's whole memory is its growth.
            starter.memory.peakMiB = qMax(starter.memory.peakMiB, start->peakMiB);
            starter.memory.growthMiB = starter.memory.peakMiB;
        }
    }
    const QString name =
        firstOfDay ? QStringLiteral("start-up, first of the day") : QStringLiteral("start-up, later in the day");
    const Starter &program = starters.at(0);
    Measure::report({name + QStringLiteral(" / same libraries"), club.label()}, program.times, starters.at(1).times,
                    program.memory, starters.at(1).memory, {firstOfDay ? 1.15 : 1.1, 0});
    Measure::report({name + QStringLiteral(" / Qt Widgets only"), club.label()}, program.times, starters.at(2).times,
                    program.memory, starters.at(2).memory, {firstOfDay ? 1.35 : 1.3, 0});
}

} // namespace

void startup(const Clubs::Club &club)
{
    // The program takes a database beside itself before the user's own.
    if (QFileInfo::exists(QFileInfo(StartedProcess::Program).dir().filePath(QStringLiteral("parvela.mdb")))) {
        std::fprintf(stderr, "parvela-bench: a parvela.mdb beside %s would be started instead of the club\n",
                     qPrintable(StartedProcess::Program));
        std::exit(2);
    }
    startup(club, true);
    startup(club, false);
}

} // namespace Figures
