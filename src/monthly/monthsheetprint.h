#pragma once

#include "../core/scoretable.h"

#include <QStringList>
#include <QVector>

class Grid;
class PrintCanvas;
class QWidget;

// The printed month sheet: the window's caption, the play date and course line, and the
// sheet's table with its place labels, framed and ruled.
namespace MonthSheetPrint {

// The label of a sheet row (1 = the first data row): "優勝", "準優勝", "3位", then "4", "5", ...
QString placeLabel(int row);
// The nine cell texts of each row as the sheet shows them, in the order given.
QVector<QStringList> sheetCells(const QVector<ScoreRecord> &rows);
// The data rows of the sheet's grid (row 0, the header, left out). Reads cell by cell by
// making each current, as the window's own readers do, so the last cell read stays current.
QVector<QStringList> gridCells(Grid &grid);

// Draws one copy; the caller ends the document. printSize is the percentage of the settings.
void printpage(PrintCanvas &canvas, const QString &caption, const QString &playDate,
               const QString &courseName, const QVector<QStringList> &cells, int printSize);

// The print button: reads the month's rows, shows the printer dialog, prints each copy.
void print(QWidget *parent, int courseId, const QString &caption, const QString &playDate,
           const QString &courseName);
// The same from the window's grid as it stands.
void print(QWidget *parent, Grid &grid, const QString &caption, const QString &playDate,
           const QString &courseName);

} // namespace MonthSheetPrint
