// Parvela's benchmarks: what the user waits for, each figure beside its floor (the least work
// that gives the same result, with nothing of the program's own in between), measured in the
// same run so that their ratio holds on a busy machine.
//
//   build/bench/parvela-bench [GROUP ...] [MEMBERSxYEARS ...]
//   GROUP: openings, handlers, reloads, printouts, start-up (all when none is given)
//   MEMBERSxYEARS: 40x1, 200x5, 2000x1, 300x10 (all when none is given)
//   (QT_QPA_PLATFORM=offscreen without a display)
//
// Times are medians of interleaved runs of the figure and its floor; the ratio is the median of
// the ratios of the runs made one beside the other. Memory is the resident set's high-water mark
// (VmHWM of /proc/self/status), reset through /proc/self/clear_refs before the first run of
// each: "peak" is the most resident memory while it ran, "+" how much that is above the resident
// set just before it (a start-up's is its whole process, the most of its runs). Each figure is
// met or MISSED against its target, and the last line says whether all were; the exit code is
// 0 only then.
#include "clubs.h"
#include "figures.h"
#include "measure.h"

#include "core/settingsrecord.h"
#include "platform/gui/printcommand.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>

int main(int argc, char *argv[])
{
    // Nothing of the user's is read or written: settings and databases live in a folder of the
    // run's own, which the started programs inherit.
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", QDir(folder.path()).filePath(QStringLiteral("settings")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", QDir(folder.path()).filePath(QStringLiteral("data")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Without one, Qt warns in every started program.
        const QString runtime = QDir(folder.path()).filePath(QStringLiteral("runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Parvela"));
    QApplication::setApplicationName(QStringLiteral("Parvela"));
    Clubs::setRunFolder(folder.path());

    const std::pair<const char *, std::function<void(const Clubs::Club &)>> groups[] = {
        {"openings", Figures::openings},
        {"handlers", Figures::handlers},
        {"reloads", Figures::reloads},
        {"printouts", Figures::printouts},
        {"start-up", Figures::startup}};
    QStringList pickedGroups;
    QVector<Clubs::Club> clubs;
    const QVector<Clubs::Club> sizes = Clubs::sizes();
    for (const QString &argument : QCoreApplication::arguments().mid(1)) {
        const auto club = std::find_if(sizes.cbegin(), sizes.cend(), [&](const Clubs::Club &size) {
            return argument == QStringLiteral("%1x%2").arg(size.members).arg(size.years);
        });
        const auto group = std::find_if(std::cbegin(groups), std::cend(groups),
                                        [&](const auto &named) { return argument == QLatin1String(named.first); });
        if (club != sizes.cend())
            clubs << *club;
        else if (group != std::cend(groups))
            pickedGroups << argument;
        else {
            std::fprintf(stderr, "parvela-bench: unknown argument %s\n", qPrintable(argument));
            return 2;
        }
    }
    if (clubs.isEmpty())
        clubs = sizes;

    std::printf("Parvela benchmarks, demo clubs (members × years) ending %d; medians of %d runs (start-up %d).\n"
                "Memory: VmHWM in MiB, reset before the first run; (+) above the resident set before it.\n\n",
                Clubs::year(), Measure::Runs, Figures::StartupRuns);
    Measure::printHeader();
    for (const Clubs::Club &club : clubs) {
        Clubs::make(club);
        for (const auto &[name, run] : groups) {
            if (pickedGroups.isEmpty() || pickedGroups.contains(QLatin1String(name)))
                run(club);
        }
    }
    PrintCommand::setChooser({});
    return Measure::printSummary() ? 0 : 1;
}
