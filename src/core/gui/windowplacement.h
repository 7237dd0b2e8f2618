#pragma once

#include <QPair>
#include <QSize>
#include <QString>
#include <QVector>

class GridView;
class QWidget;

// Placement and column widths of the grid windows, kept in the settings store under the
// window's name ("Form4", "Form7", "Form9").
namespace WindowPlacement {

// Restores state and bounds; without stored values the window is centred at its design size.
// Whatever was stored, the window opens visible (never minimised) and on the screen.
void restore(QWidget *window, const QString &form, const QSize &designSize);
void save(const QWidget *window, const QString &form);

// Columns 0 … count-1 from "ScoreGridColWidth0" …, each defaulting to its current width and
// kept to a width that shows the column without hiding the others.
void restoreColumnWidths(GridView &grid, int count);
// One column's width from its key, kept as those are.
void restoreColumnWidth(GridView &grid, int column, const QString &key);
void saveColumnWidths(const GridView &grid, int count);

} // namespace WindowPlacement

// The placement and column widths of one grid window: restored when it loads, saved once
// however it closes (終了 closes the window too, and the second close must not save again).
class GridWindowPlacement
{
public:
    GridWindowPlacement(QWidget *window, QString form);
    // A column beyond the shared ones, its width kept under a key of its own; before restore.
    void keepColumnWidth(int column, const QString &key);
    void restore(GridView &grid, int columns, const QSize &designSize);
    void saveOnce();

private:
    QWidget *m_window;
    QString m_form;
    GridView *m_grid = nullptr;
    int m_columns = 0;
    QVector<QPair<int, QString>> m_ownWidths; // column, key
    bool m_saved = false;
};
