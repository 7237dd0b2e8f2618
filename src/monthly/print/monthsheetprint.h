#pragma once

#include <QStringList>
#include <QVector>

class PrintCanvas;

// The printed month sheet: the window's caption, the play date and course line, and the
// sheet's table with its place labels, framed and ruled.
namespace MonthSheetPrint {

// Draws one copy; the caller ends the document. printSize is the percentage of the settings.
// With prizeColumn the rows' last cell is their side prizes, in a 賞 cell that widens the frame.
void drawCopy(PrintCanvas &canvas, const QString &caption, const QString &playDate, const QString &courseName,
              const QVector<QStringList> &cells, int printSize, bool prizeColumn = false);

} // namespace MonthSheetPrint
