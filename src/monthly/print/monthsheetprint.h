#pragma once

#include <QStringList>
#include <QVector>

class PrintCanvas;

// The printed month sheet: the window's caption, the play date and course line, and the
// sheet's table with its place labels, framed and ruled.
namespace MonthSheetPrint {

// Draws one copy; the caller ends the document. printSize is the percentage of the settings.
void drawCopy(PrintCanvas &canvas, const QString &caption, const QString &playDate, const QString &courseName,
               const QVector<QStringList> &cells, int printSize);

} // namespace MonthSheetPrint
