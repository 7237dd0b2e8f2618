#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QWidget;

// Timing, memory and the report of the benchmark program.
namespace Measure {

// Interleaved runs of a figure and its floor; the median of each is reported.
inline constexpr int Runs = 11;

struct Memory
{
    double peakMiB = 0;   // VmHWM: the most resident memory while it ran
    double growthMiB = 0; // how far that is above the resident set just before it
};

// The high-water mark is reset (through /proc/self/clear_refs) before the action.
Memory memoryOf(const std::function<void()> &action);
// /proc/self/status field in KiB ("VmHWM", "VmRSS").
long statusKiB(const char *field);

// What the user waits for, in milliseconds.
using Timed = std::function<double()>;
// The whole action's duration.
Timed timed(std::function<void()> action);
// Runs the action, which must make the window paint (it may show it, fill it, or press one of
// its buttons), then lets the pending events run; the time until the window has been painted.
Timed paintedAfter(QWidget *window, std::function<void()> action);
// Runs `press`, which opens a modal window and returns only once that window is closed: the time
// from the press until the window has been painted for the first time, when it is closed.
// `painted`, when given, sees the window then (untimed).
double untilModalPainted(const std::function<void()> &press, const std::function<void(QWidget &)> &painted = {});
// Runs `press` as above and calls `close` on the window once it has been painted: the time from
// that call until the window has gone and `press` has returned, as the user waits for it.
double untilModalClosed(const std::function<void()> &press, const std::function<void(QWidget &)> &close);

struct Target
{
    double ratio = 0; // at most this many times the floor; 0 for no such target
    double ms = 0;    // under this many milliseconds; 0 for no such target
};

// The club a figure was measured on, as "2000×1" (members × years).
struct Figure
{
    QString name;
    QString club;
};

// The medians of the figure's and the floor's times, and the median of the ratios of the runs
// made one beside the other, which holds best while other work on the machine comes and goes;
// met when the ratio is at most the target's and the time under its milliseconds.
struct Verdict
{
    double ms = 0;
    double floorMs = 0;
    double ratio = 0;
    bool met = false;
};
Verdict judge(const QVector<double> &times, const QVector<double> &floorTimes, Target target);

// Runs the figure and its floor alternately, Runs times each, `reset` (untimed) before every
// run when given; the first run of each also gives its memory. Prints one line: both medians,
// the ratio, both memories, the target and whether it was met.
void compare(const Figure &figure, const Timed &action, const Timed &floor, Target target,
             const std::function<void()> &reset = {});
// A figure measured elsewhere (start-up: in new processes), judged and reported the same way.
void report(const Figure &figure, const QVector<double> &times, const QVector<double> &floorTimes, Memory memory,
            Memory floorMemory, Target target);

void printHeader();
// The closing line; returns whether every target was met.
bool printSummary();

} // namespace Measure
