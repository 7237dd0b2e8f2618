// Parvela's benchmarks: each figure of the program beside a floor, the least work that gives
// the same result, measured in the same run so that their ratio holds on a busy machine.
//
//   build/bench/parvela-bench [new-hc|latest-hc|member-list|annual|start-up|history ...]
//   (QT_QPA_PLATFORM=offscreen without a display)
//
// Times are medians of interleaved runs. Memory is the resident set's high-water mark
// (VmHWM of /proc/self/status), reset through /proc/self/clear_refs before the first run of
// each figure and floor: "peak" is the most resident memory while it ran, "+" how much that
// is above the resident set just before it.
#include "history.h"

#include "annual/annualsummary.h"
#include "annual/gui/form9.h"
#include "annual/print/annualprint.h"
#include "core/backup.h"
#include "core/database.h"
#include "core/demodata.h"
#include "core/gui/form1.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "members/gui/form7.h"
#include "members/latesthandicap.h"
#include "monthly/ranking.h"
#include "platform/gui/grid.h"
#include "platform/gui/printcommand.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

namespace {

constexpr int Year = 2026;
constexpr int Runs = 9;
constexpr int StartupRuns = 15;
constexpr int SmallClub = 40;
constexpr int LargeClub = 2000;
constexpr int NewHcParticipants = 200;

// ---- measuring ----------------------------------------------------------------------------

long statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

struct Memory
{
    double peakMiB = 0;
    double growthMiB = 0;
};

Memory memoryOf(const std::function<void()> &action)
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5"); // resets VmHWM to the present resident set
    clear.close();
    const long before = statusKiB("VmRSS");
    action();
    const long peak = statusKiB("VmHWM");
    return {peak / 1024.0, qMax(0L, peak - before) / 1024.0};
}

double millisecondsOf(const std::function<void()> &action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    return timer.nsecsElapsed() / 1e6;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

struct Figure
{
    QString name;
    int members = 0;
    double ms = 0;
    double floorMs = 0;
    Memory memory;
    Memory floorMemory;
    QString target;
    bool met = true;
};

QVector<Figure> g_figures;

// Ratio limit and absolute limit (ms); 0 where the target has none.
struct Target
{
    double ratio = 0;
    double ms = 0;
};

Target targetFor(int members, Target atLarge)
{
    // Every action at the small club's size must feel instant.
    return members <= SmallClub ? Target{0, 50} : atLarge;
}

void record(Figure figure, Target target)
{
    QStringList parts;
    if (target.ratio > 0)
        parts << QStringLiteral("≤ %1× floor").arg(target.ratio);
    if (target.ms > 0)
        parts << QStringLiteral("< %1 ms").arg(target.ms);
    figure.target = parts.join(QStringLiteral(", "));
    const double ratio = figure.ms / figure.floorMs;
    figure.met = (target.ratio <= 0 || ratio <= target.ratio) && (target.ms <= 0 || figure.ms < target.ms);
    std::printf("  %-46s %5d  %9.2f  %9.2f  %6.2f×  %7.1f (+%6.1f)  %7.1f (+%6.1f)  %-22s %s\n",
                qPrintable(figure.name), figure.members, figure.ms, figure.floorMs, ratio, figure.memory.peakMiB,
                figure.memory.growthMiB, figure.floorMemory.peakMiB, figure.floorMemory.growthMiB,
                qPrintable(figure.target), figure.met ? "met" : "MISSED");
    std::fflush(stdout);
    g_figures.append(figure);
}

// Runs the action and its floor alternately, each after `reset` (not timed) when given; the
// first run of each also gives its memory.
void compare(const QString &name, int members, const std::function<void()> &action, const std::function<void()> &floor,
             Target target, const std::function<void()> &reset = {})
{
    const auto resetIfAsked = [&] {
        if (reset)
            reset();
    };
    Figure figure;
    figure.name = name;
    figure.members = members;
    resetIfAsked();
    figure.memory = memoryOf(action);
    resetIfAsked();
    figure.floorMemory = memoryOf(floor);
    QVector<double> times;
    QVector<double> floorTimes;
    for (int run = 0; run < Runs; ++run) {
        resetIfAsked();
        times << millisecondsOf(action);
        resetIfAsked();
        floorTimes << millisecondsOf(floor);
    }
    figure.ms = median(times);
    figure.floorMs = median(floorTimes);
    record(figure, target);
}

// ---- the clubs ----------------------------------------------------------------------------

QString g_folder; // every database of the run lives here

QString clubFolder(int members)
{
    return QDir(g_folder).filePath(QStringLiteral("club%1").arg(members));
}

QString clubPath(int members)
{
    return QDir(clubFolder(members)).filePath(QStringLiteral("parvela.mdb"));
}

void makeClub(int members)
{
    QDir().mkpath(clubFolder(members));
    DemoData::Options options;
    options.members = members;
    options.lastYear = Year;
    Database::create(clubPath(members));
    Database::open(clubPath(members));
    DemoData::generate(options, SettingsRecord());
    Database::close();
}

void useClub(int members)
{
    Database::open(clubPath(members));
    Module1::SetProgramFolder(clubFolder(members));
}

// The club with December cut down to its first `participants` rows, in a copy of its own.
QString useDecemberOf(int members, int participants)
{
    const QString path = QDir(g_folder).filePath(QStringLiteral("december%1.mdb").arg(members));
    QFile::copy(clubPath(members), path);
    Database::open(path);
    const int december =
        Database::scalar(QStringLiteral("select ID from Course where CYEAR=? and CMONTH=12"), {Year}).toInt();
    Database::exec(QStringLiteral("delete from Score where COURSE_ID=? and ID not in "
                                  "(select ID from Score where COURSE_ID=? order by ID limit ?)"),
                   {december, december, participants});
    return path;
}

QVector<int> yearCourses()
{
    QVector<int> ids;
    QSqlQuery query = Database::run(QStringLiteral("select ID from Course where CYEAR=? order by CMONTH"), {Year});
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

// ---- floors -------------------------------------------------------------------------------

struct Update
{
    QVariantList values;
};

// The given updates with one prepared statement each, in one transaction of the bare driver.
void bareUpdates(const QString &scoreStatement, const QVector<Update> &scoreUpdates, const QString &memberStatement,
                 const QVector<Update> &memberUpdates)
{
    QSqlDatabase db = Database::connection();
    db.transaction();
    for (const auto &[statement, updates] :
         {std::pair(scoreStatement, &scoreUpdates), std::pair(memberStatement, &memberUpdates)}) {
        if (updates->isEmpty())
            continue;
        QSqlQuery query(db);
        query.prepare(statement);
        for (const Update &update : *updates) {
            for (int i = 0; i < update.values.size(); ++i)
                query.bindValue(i, update.values.at(i));
            query.exec();
        }
    }
    db.commit();
}

// What the calculation writes to the members: their HC, unchanged here, as the rows already
// carry the results.
QVector<Update> memberUpdatesOfYear()
{
    QVector<Update> updates;
    const QHash<int, HandicapResult> latest = LatestHandicap::find(Year);
    for (auto it = latest.cbegin(); it != latest.cend(); ++it)
        updates.append({{it->newHc, it.key()}});
    return updates;
}

// A statement on the bare driver, read once front to back as the program reads.
QSqlQuery bareQuery(const QString &statement)
{
    QSqlQuery query(Database::connection());
    query.setForwardOnly(true);
    query.exec(statement);
    return query;
}

// One pass over the year's Score rows, reading the columns a handicap search needs.
double readYearHandicaps(const QVector<int> &courses)
{
    QSqlQuery query = bareQuery(
        QStringLiteral("select COURSE_ID,MEMBER_ID,HC,NEW_HC from Score where COURSE_ID in (%1)").arg(idList(courses)));
    double sum = 0;
    while (query.next()) {
        for (int i = 0; i < 4; ++i)
            sum += query.value(i).toDouble();
    }
    return sum;
}

// A bare table of the same size as a window's grid, filled with the given cells.
void fillBareTable(QTableWidget &table, const QVector<QStringList> &rows, const QVector<QVector<QColor>> &colours)
{
    table.setRowCount(0);
    table.setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column) {
            auto *item = new QTableWidgetItem(rows.at(row).at(column));
            if (!colours.isEmpty() && colours.at(row).at(column).isValid())
                item->setBackground(colours.at(row).at(column));
            table.setItem(row, column, item);
        }
    }
    QCoreApplication::processEvents();
}

// ---- the figures --------------------------------------------------------------------------

void newHandicap(int members, int participants)
{
    const QString path = useDecemberOf(members, participants);
    const int december = yearCourses().value(11);
    const SettingsRecord settings;
    Ranking::calculateMonth(december, 12, Year, settings);
    // The floor writes what the calculation writes: every row's place and new HC, every
    // member's HC.
    QVector<Update> scoreUpdates;
    for (const ScoreRecord &row : ScoreTable::rankingRows(december))
        scoreUpdates.append({{row.newHc, row.rank, row.id}});
    const QVector<Update> memberUpdates = memberUpdatesOfYear();
    const int rows = scoreUpdates.size();
    compare(
        QStringLiteral("new HC, December of %1 (%2 updates)").arg(rows).arg(rows + memberUpdates.size()), members,
        [&] { Ranking::calculateMonth(december, 12, Year, settings); },
        [&] {
            bareUpdates(QStringLiteral("update Score set NEW_HC=?,RANK=? where ID=?"), scoreUpdates,
                        QStringLiteral("update Member set HC=? where ID=?"), memberUpdates);
        },
        targetFor(members, {3, 0}),
        [&] {
            // As before the month's first calculation: nothing placed yet, every member
            // back at the handicap the year started with.
            Database::exec(QStringLiteral("update Score set NEW_HC=0,RANK=0 where COURSE_ID=?"), {december});
            Database::exec(QStringLiteral("update Member set HC=F_HC,E_HC=F_HC"));
        });
    Database::close();
    QFile::remove(path);
}

void latestHandicap(int members)
{
    useClub(members);
    const QVector<int> courses = yearCourses();
    const QVector<Update> memberUpdates = memberUpdatesOfYear();
    compare(
        QStringLiteral("latest HC retrieval (%1 updates)").arg(memberUpdates.size()), members,
        [&] { LatestHandicap::apply(Year); },
        [&] {
            readYearHandicaps(courses);
            bareUpdates(QString(), {}, QStringLiteral("update Member set HC=? where ID=?"), memberUpdates);
        },
        targetFor(members, {}),
        [] { Database::exec(QStringLiteral("update Member set HC=F_HC")); }); // as at the year's start
}

// The window and the bare table of its floor, both shown at the grid's size, so the two fills
// pay the same painting.
void showBeside(QWidget &window, const QWidget &grid, QTableWidget &bare, int columns)
{
    window.show();
    bare.setColumnCount(columns);
    bare.resize(grid.size());
    bare.show();
    QCoreApplication::processEvents();
}

void memberList(int members)
{
    useClub(members);
    Form7 window;
    QTableWidget bare;
    showBeside(window, *window.MemberGrid, bare, 4);
    compare(
        QStringLiteral("member list Showtable"), members,
        [&] {
            window.Showtable();
            QCoreApplication::processEvents();
        },
        [&] {
            QSqlQuery query =
                bareQuery(QStringLiteral("select NAME,HURIKANA,BIRTHDAY,HC from Member order by HURIKANA,ID"));
            QVector<QStringList> cells;
            while (query.next()) {
                cells.append({query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                              QString::number(query.value(3).toDouble())});
            }
            fillBareTable(bare, cells, {});
        },
        targetFor(members, {}));
    Database::close();
}

// The cells of the annual window, as texts and month backgrounds.
void annualCells(QVector<QStringList> &texts, QVector<QVector<QColor>> &colours)
{
    texts.clear();
    colours.clear();
    for (const AnnualPrint::Line &line : AnnualPrint::linesOf(AnnualSummary::compute(Year, Module1::Settings))) {
        texts.append(line.texts);
        QVector<QColor> row(line.texts.size());
        for (int month = 0; month < 12; ++month)
            row[3 + month] = line.monthBackgrounds[month];
        colours.append(row);
    }
}

void annualSummary(int members)
{
    useClub(members);
    QVector<QStringList> texts;
    QVector<QVector<QColor>> colours;
    annualCells(texts, colours);
    const QString courses = idList(yearCourses());
    Form9 window;
    QTableWidget bare;
    showBeside(window, *window.ScoreGrid, bare, Form9::ColumnCount);
    compare(
        QStringLiteral("annual summary Showtable"), members,
        [&] {
            window.Showtable();
            QCoreApplication::processEvents();
        },
        [&] {
            // The same rows in one statement: every member with their year's results.
            QSqlQuery query =
                bareQuery(QStringLiteral("select m.ID,m.NAME,m.F_HC,m.E_HC,s.COURSE_ID,s.OB,s.GROSS_VAL,s.RANK "
                                         "from Member m left join Score s on s.MEMBER_ID=m.ID and s.COURSE_ID in "
                                         "(%1) order by m.HURIKANA,m.ID")
                              .arg(courses));
            double sum = 0;
            while (query.next()) {
                for (int i = 0; i < 8; ++i)
                    sum += query.value(i).toDouble();
            }
            fillBareTable(bare, texts, colours);
        },
        targetFor(members, {2, 150}));

    // The print button of the same window, into a PDF file.
    const QString pdf = QDir(g_folder).filePath(QStringLiteral("annual.pdf"));
    PrintCommand::setChooser([&](QPrinter &printer, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return 1;
    });
    const QString barePdf = QDir(g_folder).filePath(QStringLiteral("bare.pdf"));
    compare(
        QStringLiteral("annual printout to PDF"), members, [&] { window.Command5_Click(); },
        [&] {
            // The same texts at the same columns, without the rules and boxes.
            QPrinter printer(QPrinter::HighResolution);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setPageOrientation(QPageLayout::Landscape);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(barePdf);
            QPainter painter(&printer);
            QFont font(QStringLiteral("IPAGothic"));
            font.setPointSizeF(15);
            painter.setFont(font);
            const double unitX = printer.resolution() / 12.0;
            const double unitY = printer.resolution() / 6.0;
            double y = unitY;
            for (const QStringList &line : texts) {
                for (int column = 0; column < line.size(); ++column)
                    painter.drawText(QPointF(unitX * (1 + 2.5 * column), y), line.at(column));
                y += unitY;
            }
        },
        targetFor(members, {1.5, 0}));
    PrintCommand::setChooser({});
    Database::close();
}

// ---- start-up -----------------------------------------------------------------------------

// In a child process: the program's own start (settings, database, main menu), or a bare
// window; says "shown" at the first paint and ends.
int startupChild(int argc, char *argv[], bool program, const QString &folder)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Parvela"));
    QApplication::setApplicationName(QStringLiteral("Parvela"));
    QWidget *window = nullptr;
    if (program) {
        Module1::SetProgramFolder(folder);
        auto *menu = new Form1;
        if (!menu->Form_Load())
            return 1;
        window = menu;
    } else {
        window = new QWidget;
        window->setWindowTitle(QStringLiteral("Parvela"));
        window->resize(297, 170);
    }
    struct FirstPaint : QObject
    {
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint && !seen) {
                seen = true;
                std::printf("shown %ld\n", statusKiB("VmHWM"));
                std::fflush(stdout);
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            }
            return false;
        }
        bool seen = false;
    } watcher;
    window->installEventFilter(&watcher);
    window->show();
    const int result = app.exec();
    delete window;
    return result;
}

// Time from starting the process to its first paint, and its high-water mark then.
std::optional<std::pair<double, double>> startOnce(const QStringList &arguments)
{
    QProcess child;
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), arguments);
    while (!child.canReadLine()) {
        if (!child.waitForReadyRead(10000))
            return std::nullopt;
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    const QByteArray line = child.readLine().trimmed();
    child.waitForFinished(10000);
    if (!line.startsWith("shown "))
        return std::nullopt;
    return std::pair(ms, line.mid(6).toLong() / 1024.0);
}

// The first start of a day also reads the whole file through and takes the day's copy, which
// no bare window does: that figure is shown without a target. Later starts are the common case.
void startup(int members, bool firstOfDay)
{
    QVector<double> times;
    QVector<double> floorTimes;
    Figure figure;
    figure.name = firstOfDay ? QStringLiteral("start-up, first of the day (check, copy)")
                             : QStringLiteral("start-up to the main menu shown");
    figure.members = members;
    for (int run = 0; run < StartupRuns; ++run) {
        if (firstOfDay)
            QDir(Backup::folderFor(clubPath(members))).removeRecursively();
        const auto program = startOnce({QStringLiteral("--startup-child"), clubFolder(members)});
        const auto bare = startOnce({QStringLiteral("--bare-child")});
        if (!program || !bare) {
            std::printf("  start-up: the child process did not show its window\n");
            return;
        }
        times << program->first;
        floorTimes << bare->first;
        figure.memory.peakMiB = qMax(figure.memory.peakMiB, program->second);
        figure.floorMemory.peakMiB = qMax(figure.floorMemory.peakMiB, bare->second);
    }
    figure.ms = median(times);
    figure.floorMs = median(floorTimes);
    // A child's whole memory is its growth.
    figure.memory.growthMiB = figure.memory.peakMiB;
    figure.floorMemory.growthMiB = figure.floorMemory.peakMiB;
    record(figure, firstOfDay ? Target{} : Target{1.3, 0});
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 2 && QByteArray(argv[1]) == "--startup-child" && argc >= 3)
        return startupChild(argc, argv, true, QString::fromLocal8Bit(argv[2]));
    if (argc >= 2 && QByteArray(argv[1]) == "--bare-child")
        return startupChild(argc, argv, false, QString());

    // Nothing of the user's is read or written: settings and databases live in a folder of
    // the run's own, which the start-up children inherit.
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", QDir(folder.path()).filePath(QStringLiteral("settings")).toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Parvela"));
    QApplication::setApplicationName(QStringLiteral("Parvela"));
    g_folder = folder.path();
    Module1::LoadSettings();
    Module1::Settings.EditYear = Year;

    std::printf("Parvela benchmarks: demo clubs of %d and %d members, %d; median of %d runs (%d for start-up).\n"
                "Memory: VmHWM in MiB, reset before the first run; (+) above the resident set before it.\n\n",
                SmallClub, LargeClub, Year, Runs, StartupRuns);
    std::printf("  %-46s %5s  %9s  %9s  %7s  %17s  %17s  %-22s\n", "figure", "club", "ms", "floor ms", "ratio",
                "peak MiB", "floor peak MiB", "target");
    for (const int members : {SmallClub, LargeClub})
        makeClub(members);

    // An argument picks the figures: new-hc, latest-hc, member-list, annual, start-up, history.
    const QStringList picked = QCoreApplication::arguments().mid(1);
    const auto wanted = [&](const char *group) { return picked.isEmpty() || picked.contains(QLatin1String(group)); };
    for (const int members : {SmallClub, LargeClub}) {
        if (wanted("new-hc"))
            newHandicap(members, members == LargeClub ? NewHcParticipants : members);
        if (wanted("latest-hc"))
            latestHandicap(members);
        if (wanted("member-list"))
            memberList(members);
        if (wanted("annual"))
            annualSummary(members);
        if (wanted("start-up")) {
            startup(members, true);
            startup(members, false);
        }
    }

    const bool historyMet = !wanted("history") || historyBenchmark(g_folder);
    const auto missed = std::count_if(g_figures.cbegin(), g_figures.cend(), [](const Figure &f) { return !f.met; })
                        + (historyMet ? 0 : 1);
    std::printf("\n%s\n", missed == 0 ? "Every target met." : "Some targets MISSED.");
    return missed == 0 ? 0 : 1;
}
