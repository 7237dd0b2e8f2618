#pragma once

#include <QKeySequence>
#include <QToolButton>

#include <functional>

class QAction;

// A button that runs its own command when pressed, as ever, and offers related commands on its
// arrow: a print button keeps printing, and its arrow leads to the preview and the saved
// copies. Every command of the arrow, however it was added, also stays reachable by its shortcut
// wherever the focus is in the window, a text box included.
class SplitButton : public QToolButton
{
    Q_OBJECT

public:
    SplitButton(const QString &caption, QWidget *window);

    // A command of the arrow's menu, with the tooltip the menu shows for it.
    QAction *addCommand(const QString &caption, const QString &toolTip, const QKeySequence &shortcut,
                        std::function<void()> run);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
