#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A program started as a new process and timed until its first window has been painted, which
// the plugin in firstpaint/ tells from inside the process; the program itself is not changed.
namespace StartedProcess {

// Built beside the benchmark: the program, and the two floors of its start (barestart.cpp).
inline const QString Program = QStringLiteral(PARVELA_PROGRAM);
inline const QString BareWidgets = QStringLiteral(PARVELA_BARE_WIDGETS);
inline const QString BareLibraries = QStringLiteral(PARVELA_BARE_LIBRARIES);

struct Painted
{
    double ms = 0;          // from starting the process until its first window was painted
    double peakMiB = 0;     // its resident set's high-water mark then
    QByteArray windowClass; // the class of that window
};

// Starts `program` with `dataHome` as its XDG_DATA_HOME (the program finds the club's database
// in its Parvela folder) and waits until it has painted, closed its windows and ended. Nothing
// when no window was painted.
std::optional<Painted> untilFirstPaint(const QString &program, const QString &dataHome);

} // namespace StartedProcess
