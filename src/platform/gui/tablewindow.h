#pragma once

#include <QStringList>

#include <initializer_list>

class GridView;
class QDialog;
class TableModel;
class QLabel;
class QPushButton;
class QWidget;

// What the windows added beside the original ones share: a sizable window in the program's
// face, a label over one or more read-only tables, and its buttons at the bottom right.
namespace TableWindow {

void setUp(QDialog &window, const QString &title, int widthTwips, int heightTwips);
// A grid over the model, in the grids' regular face, its columns these widths in twips.
GridView *makeGrid(QWidget *parent, TableModel *model, std::initializer_list<int> widthsTwips);
QPushButton *makeButton(QWidget *parent, const QString &caption, const QString &toolTip = QString());
// The label on top, the bodies sharing the height, the buttons in a row at the bottom right.
void layOut(QDialog &window, QLabel *label, std::initializer_list<QWidget *> bodies,
            std::initializer_list<QPushButton *> buttons);

} // namespace TableWindow
