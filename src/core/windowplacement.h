#pragma once

#include <QSize>
#include <QString>

class Grid;
class QWidget;

// Placement and column widths of the grid windows, kept in the settings store under the
// window's name ("Form4", "Form7", "Form9").
namespace WindowPlacement {

// Restores state and bounds; without stored values the window is centred at its design size.
// Whatever was stored, the window opens visible (never minimised) and on the screen.
void restore(QWidget *window, const QString &form, const QSize &designSize);
void save(const QWidget *window, const QString &form);

// Columns 0 … count-1 from "ScoreGridColWidth0" …, each defaulting to its current width.
void restoreColumnWidths(Grid &grid, int count);
void saveColumnWidths(const Grid &grid, int count);

} // namespace WindowPlacement
