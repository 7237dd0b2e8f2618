#include "measure.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QVector>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace Measure {

namespace {

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Calls `painted` with each widget as it is painted, anywhere in the application, until it
// returns true.
class PaintWatcher : public QObject
{
public:
    explicit PaintWatcher(std::function<bool(QWidget *)> painted)
        : m_painted(std::move(painted))
    {
        qApp->installEventFilter(this);
    }
    ~PaintWatcher() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType())
            m_done = m_painted(static_cast<QWidget *>(watched));
        return false;
    }

private:
    std::function<bool(QWidget *)> m_painted;
    bool m_done = false;
};

struct Outcome
{
    QString line;
    bool met = true;
    bool hasTarget = false;
};

QVector<Outcome> g_outcomes;

// The text with spaces after it up to `width` terminal columns; Japanese characters take two.
QByteArray padded(const QString &text, int width)
{
    int columns = 0;
    for (const QChar character : text)
        columns += character.unicode() >= 0x2E80 ? 2 : 1;
    return (text + QString(qMax(0, width - columns), QLatin1Char(' '))).toUtf8();
}

QString targetText(Target target)
{
    QStringList parts;
    if (target.ratio > 0)
        parts << QStringLiteral("≤ %1×").arg(target.ratio);
    if (target.ms > 0)
        parts << QStringLiteral("< %1 ms").arg(target.ms);
    return parts.isEmpty() ? QStringLiteral("-") : parts.join(QStringLiteral(", "));
}

} // namespace

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

Timed timed(std::function<void()> action)
{
    return [action = std::move(action)] {
        QElapsedTimer timer;
        timer.start();
        action();
        return timer.nsecsElapsed() / 1e6;
    };
}

Timed paintedAfter(QWidget *window, std::function<void()> action)
{
    return [window, action = std::move(action)] {
        QEventLoop loop;
        QElapsedTimer timer;
        double ms = -1;
        const PaintWatcher watcher([&](QWidget *widget) {
            if (widget->window() != window)
                return false;
            // A window paints all its widgets in one go: the zero timer runs once all have been.
            QTimer::singleShot(0, &loop, [&] {
                ms = timer.nsecsElapsed() / 1e6;
                loop.quit();
            });
            return true;
        });
        timer.start();
        action();
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        if (ms < 0) {
            std::fprintf(stderr, "parvela-bench: the window %s was not painted\n", window->metaObject()->className());
            std::exit(2);
        }
        return ms;
    };
}

namespace {

// Runs `press`, which opens a modal window and returns once it is closed; `painted` is called
// with the window once it has been painted for the first time, and must close it.
void whenModalPainted(const std::function<void()> &press, const std::function<void(QWidget &)> &painted)
{
    QWidget *const before = QApplication::activeModalWidget();
    bool seen = false;
    const PaintWatcher watcher([&](QWidget *widget) {
        QWidget *const modal = QApplication::activeModalWidget();
        if (!modal || modal == before || widget->window() != modal)
            return false;
        seen = true;
        // A window paints all its widgets in one go: the zero timer runs once all have been.
        QTimer::singleShot(0, modal, [&painted, modal] { painted(*modal); });
        return true;
    });
    press();
    // A window that deletes itself on closing goes now, not at some later loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!seen) {
        std::fprintf(stderr, "parvela-bench: the window opened was not painted\n");
        std::exit(2);
    }
}

} // namespace

double untilModalPainted(const std::function<void()> &press, const std::function<void(QWidget &)> &painted)
{
    QElapsedTimer timer;
    double ms = 0;
    timer.start();
    whenModalPainted(press, [&](QWidget &modal) {
        ms = timer.nsecsElapsed() / 1e6;
        if (painted)
            painted(modal);
        modal.close();
    });
    return ms;
}

double untilModalClosed(const std::function<void()> &press, const std::function<void(QWidget &)> &close)
{
    QElapsedTimer timer;
    whenModalPainted(press, [&](QWidget &modal) {
        timer.start();
        close(modal);
    });
    return timer.nsecsElapsed() / 1e6;
}

void compare(const Figure &figure, const Timed &action, const Timed &floor, Target target,
             const std::function<void()> &reset)
{
    const auto resetIfAsked = [&] {
        if (reset)
            reset();
    };
    QVector<double> times;
    QVector<double> floorTimes;
    resetIfAsked();
    const Memory memory = memoryOf([&] { times << action(); });
    resetIfAsked();
    const Memory floorMemory = memoryOf([&] { floorTimes << floor(); });
    // The first runs pay for caches being filled; they give the memory, not the times.
    times.clear();
    floorTimes.clear();
    for (int run = 0; run < Runs; ++run) {
        resetIfAsked();
        times << action();
        resetIfAsked();
        floorTimes << floor();
    }
    report(figure, times, floorTimes, memory, floorMemory, target);
}

Verdict judge(const QVector<double> &times, const QVector<double> &floorTimes, Target target)
{
    QVector<double> ratios;
    for (int run = 0; run < times.size(); ++run)
        ratios << times.at(run) / floorTimes.at(run);
    Verdict verdict{median(times), median(floorTimes), median(ratios), true};
    verdict.met = (target.ratio <= 0 || verdict.ratio <= target.ratio) && (target.ms <= 0 || verdict.ms < target.ms);
    return verdict;
}

void report(const Figure &figure, const QVector<double> &times, const QVector<double> &floorTimes, Memory memory,
            Memory floorMemory, Target target)
{
    const Verdict judged = judge(times, floorTimes, target);
    Outcome outcome;
    outcome.hasTarget = target.ratio > 0 || target.ms > 0;
    outcome.met = judged.met;
    const QString verdict = !outcome.hasTarget ? QString()
                            : outcome.met      ? QStringLiteral("met")
                                               : QStringLiteral("MISSED");
    outcome.line = QStringLiteral("%1 (%2)").arg(figure.name, figure.club);
    std::printf("  %s %s %9.2f %9.2f %6.2f×  %6.1f (+%5.1f)  %6.1f (+%5.1f)  %s %s\n",
                padded(figure.name, 48).constData(), padded(figure.club, 7).constData(), judged.ms, judged.floorMs,
                judged.ratio, memory.peakMiB, memory.growthMiB, floorMemory.peakMiB, floorMemory.growthMiB,
                padded(targetText(target), 14).constData(), qPrintable(verdict));
    std::fflush(stdout);
    g_outcomes.append(outcome);
}

void printHeader()
{
    std::printf("  %-48s %-7s %9s %9s %7s  %15s  %15s  %-14s\n", "figure", "club", "ms", "floor ms", "ratio",
                "peak MiB (+)", "floor MiB (+)", "target");
}

bool printSummary()
{
    QStringList missed;
    int targets = 0;
    for (const Outcome &outcome : std::as_const(g_outcomes)) {
        targets += outcome.hasTarget ? 1 : 0;
        if (!outcome.met)
            missed << outcome.line;
    }
    if (missed.isEmpty())
        std::printf("\nEvery target met (%d of %d).\n", targets, targets);
    else
        std::printf("\n%lld of %d targets MISSED: %s.\n", static_cast<long long>(missed.size()), targets,
                    qPrintable(missed.join(QStringLiteral("; "))));
    return missed.isEmpty();
}

} // namespace Measure
