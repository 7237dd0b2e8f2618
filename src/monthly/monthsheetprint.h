#pragma once

#include <QStringList>
#include <QVector>

class Grid;
class PrintCanvas;
class QWidget;

// The printed month sheet: the window's caption, the play date and course line, and the
// sheet's table with its place labels, framed and ruled.
namespace MonthSheetPrint {

// The data rows of the sheet's grid (row 0, the header, left out). Reads cell by cell by
// making each current, as the window's own readers do, so the last cell read stays current.
QVector<QStringList> gridCells(Grid &grid);

// Draws one copy; the caller ends the document. printSize is the percentage of the settings.
void printpage(PrintCanvas &canvas, const QString &caption, const QString &playDate,
               const QString &courseName, const QVector<QStringList> &cells, int printSize);

// The print button, with the sheet's grid as it stands: printer dialog, then each copy.
void print(QWidget *parent, Grid &grid, const QString &caption, const QString &playDate,
           const QString &courseName);

} // namespace MonthSheetPrint
