#pragma once

#include <QStringList>

#include <initializer_list>

class Grid;
class QDialog;
class QLabel;
class QPushButton;
class QWidget;

// What the windows added beside the original ones share: a sizable window in the program's
// face, a label over one or more read-only tables, and its buttons at the bottom right.
namespace TableWindow {

void setUp(QDialog &window, const QString &title, int widthTwips, int heightTwips);
// A grid with only its header row: these captions, these widths in twips, the grids' regular face.
Grid *makeGrid(QWidget *parent, const QStringList &headers, std::initializer_list<int> widthsTwips);
QPushButton *makeButton(QWidget *parent, const QString &caption, const QString &toolTip = QString());
// The label on top, the bodies sharing the height, the buttons in a row at the bottom right.
void layOut(QDialog &window, QLabel *label, std::initializer_list<QWidget *> bodies,
            std::initializer_list<QPushButton *> buttons);
// The texts as a new last row.
void appendRow(Grid &grid, const QStringList &texts);

} // namespace TableWindow
