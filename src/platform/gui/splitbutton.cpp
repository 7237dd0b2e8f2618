#include "platform/gui/splitbutton.h"

#include <QAction>
#include <QMenu>

SplitButton::SplitButton(const QString &caption, QWidget *window)
    : QToolButton(window)
{
    setText(caption);
    setPopupMode(QToolButton::MenuButtonPopup);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto *commands = new QMenu(this);
    commands->setToolTipsVisible(true);
    setMenu(commands);
}

QAction *SplitButton::addCommand(const QString &caption, const QString &toolTip, const QKeySequence &shortcut,
                                 std::function<void()> run)
{
    auto *action = new QAction(caption, this);
    action->setToolTip(toolTip);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    menu()->addAction(action);
    // Added to the window as well, so the shortcut works while the menu is closed.
    window()->addAction(action);
    return action;
}
