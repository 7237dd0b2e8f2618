#pragma once

#include <QStringList>
#include <QVector>

class Grid;
class PrintCanvas;
class QWidget;

// The printed member list: the window's caption over a two-column table, name and handicap.
namespace MemberListPrint {

// Name (column 0) and HC (column 3) of every data row of the member grid, read by making
// each cell current, so the last row read stays current.
QVector<QStringList> gridCells(Grid &grid);

// Draws one copy; the caller ends the document. printSize is the percentage of the settings.
void printpage(PrintCanvas &canvas, const QString &caption, const QVector<QStringList> &cells, int printSize);

// The print button, with the list's grid as it stands: printer dialog, then each copy.
void print(QWidget *parent, Grid &grid, const QString &caption = QStringLiteral("メンバー"));

} // namespace MemberListPrint
