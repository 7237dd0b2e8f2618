#include "figures.h"
#include "measure.h"

#include "core/backup.h"
#include "core/gui/mainmenu.h"
#include "core/gui/programstart.h"
#include "platform/gui/widgets.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace Figures {

namespace {

const char ProgramChild[] = "--startup-child";
const char BareChild[] = "--bare-child";

// Once the window has been painted for the first time, says so with the memory's high-water
// mark, and ends the process.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The window's children are painted in the same go: the zero timer runs after them.
            QTimer::singleShot(0, qApp, [] {
                std::printf("shown %ld\n", Measure::statusKiB("VmHWM"));
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

// Time from starting the process to its window painted, and the process's high-water mark then.
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

// The floor of a start: a bare window of the main menu's size with the menu's six captions
// painted in the menu's font. Any start that shows the menu does this much: the fonts are
// found and loaded and the texts laid out for the first paint. It has no buttons, no style
// sheet, no settings and no database.
class BareMenu : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        static const std::pair<const char16_t *, QRect> captions[] = {
            {u"スコア", Twips::rect(120, 120, 1335, 615)},          {u"メンバー", Twips::rect(1560, 120, 1335, 615)},
            {u"設定", Twips::rect(3000, 120, 1335, 615)},           {u"ヘルプ", Twips::rect(120, 840, 1335, 615)},
            {u"バージョン情報", Twips::rect(1560, 840, 1335, 615)}, {u"終了", Twips::rect(3000, 840, 1335, 615)}};
        QPainter painter(this);
        painter.setFont(Ui::formFont());
        for (const auto &[caption, place] : captions)
            painter.drawText(place, Qt::AlignCenter, QString::fromUtf16(caption));
    }
};

void startup(const Clubs::Club &club, bool firstOfDay)
{
    QVector<double> times;
    QVector<double> floorTimes;
    Measure::Memory memory;
    Measure::Memory floorMemory;
    for (int run = 0; run < StartupRuns; ++run) {
        if (firstOfDay)
            QDir(Backup::folderFor(club.path())).removeRecursively();
        const auto program = startOnce({QLatin1String(ProgramChild), club.folder()});
        const auto bare = startOnce({QLatin1String(BareChild)});
        if (!program || !bare) {
            std::printf("  start-up: the child process did not show its window\n");
            return;
        }
        times << program->first;
        floorTimes << bare->first;
        memory.peakMiB = qMax(memory.peakMiB, program->second);
        floorMemory.peakMiB = qMax(floorMemory.peakMiB, bare->second);
    }
    // A new process's whole memory is its growth.
    memory.growthMiB = memory.peakMiB;
    floorMemory.growthMiB = floorMemory.peakMiB;
    Measure::report({firstOfDay ? QStringLiteral("start-up, first of the day (check, copy)")
                                : QStringLiteral("start-up, later in the day"),
                     club.label()},
                    times, floorTimes, memory, floorMemory, {firstOfDay ? 1.6 : 1.1, 0});
}

} // namespace

void startup(const Clubs::Club &club)
{
    startup(club, true);
    startup(club, false);
}

int startupChild(int argc, char *argv[])
{
    const bool program = argc >= 3 && QByteArray(argv[1]) == ProgramChild;
    if (!program && !(argc >= 2 && QByteArray(argv[1]) == BareChild))
        return -1;
    // As the program's main(): the application, then the program's own start.
    QApplication app(argc, argv);
    QWidget *window = nullptr;
    if (program) {
        window = ProgramStart::showMainMenu(QString::fromLocal8Bit(argv[2]));
        if (!window)
            return 1;
    } else {
        window = new BareMenu;
        window->setWindowTitle(QStringLiteral("Parvela"));
        window->resize(Twips::toPixels(4455), Twips::toPixels(2550));
        window->show();
    }
    // Shown, not yet painted: painting waits for the event loop.
    const FirstPaint watcher(window);
    const int result = QApplication::exec();
    delete window;
    return result;
}

} // namespace Figures
