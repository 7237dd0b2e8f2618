#include "platform/gui/tablewindow.h"

#include "platform/gui/gridview.h"
#include "platform/gui/tablemodel.h"
#include "platform/gui/widgets.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace TableWindow {

void setUp(QDialog &window, const QString &title, int widthTwips, int heightTwips)
{
    window.setWindowTitle(title);
    window.setWindowFlags(Ui::SizableWindowFlags);
    window.setFont(Ui::formFont());
    window.resize(Twips::toPixels(widthTwips), Twips::toPixels(heightTwips));
}

GridView *makeGrid(QWidget *parent, TableModel *model, std::initializer_list<int> widthsTwips)
{
    auto *grid = new GridView(parent);
    QFont regular = Ui::formFont();
    regular.setBold(false);
    grid->setFont(regular);
    grid->setModel(model);
    int column = 0;
    for (const int width : widthsTwips)
        grid->setColumnTwips(column++, width);
    return grid;
}

QPushButton *makeButton(QWidget *parent, const QString &caption, const QString &toolTip)
{
    auto *button = new QPushButton(caption, parent);
    button->setToolTip(toolTip);
    button->setAutoDefault(false);
    return button;
}

void layOut(QDialog &window, QLabel *label, std::initializer_list<QWidget *> bodies,
            std::initializer_list<QPushButton *> buttons)
{
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    for (QPushButton *button : buttons)
        buttonRow->addWidget(button);
    auto *layout = new QVBoxLayout(&window);
    label->setWordWrap(true);
    layout->addWidget(label);
    for (QWidget *body : bodies)
        layout->addWidget(body, 1);
    layout->addLayout(buttonRow);
}

} // namespace TableWindow
