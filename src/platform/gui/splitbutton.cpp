#include "platform/gui/splitbutton.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace {

// A text box claims the keys it edits with, Ctrl+E (to the end of the line) and Ctrl+H (erase)
// among them, before any shortcut of the window is looked up: a command the window's arrow shows
// with such a key would then do nothing until the focus left the box. This filter, one for the
// application, lets an enabled command of an arrow in the focus's window take its key first.
class ArrowShortcuts : public QObject
{
public:
    using QObject::QObject;

    static void watch()
    {
        static ArrowShortcuts *filter = nullptr;
        if (!filter) {
            filter = new ArrowShortcuts(qApp);
            qApp->installEventFilter(filter);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        // A text box keeps its own undo and redo while it has typing to take back.
        if (const auto *box = qobject_cast<const QLineEdit *>(watched);
            box && ((key->matches(QKeySequence::Undo) && box->isUndoAvailable())
                    || (key->matches(QKeySequence::Redo) && box->isRedoAvailable())))
            return false;
        const QKeySequence pressed(key->keyCombination());
        const QWidget *window = static_cast<QWidget *>(watched)->window();
        for (const SplitButton *button : window->findChildren<SplitButton *>()) {
            for (const QAction *command : button->menu()->actions()) {
                // Left unclaimed, the key goes on to the window's shortcuts.
                if (command->isEnabled() && command->shortcuts().contains(pressed))
                    return true;
            }
        }
        return false;
    }
};

} // namespace

SplitButton::SplitButton(const QString &caption, QWidget *window)
    : QToolButton(window)
{
    setText(caption);
    setPopupMode(QToolButton::MenuButtonPopup);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto *commands = new QMenu(this);
    commands->setToolTipsVisible(true);
    setMenu(commands);
    commands->installEventFilter(this);
    ArrowShortcuts::watch();
}

QAction *SplitButton::addCommand(const QString &caption, const QString &toolTip, const QKeySequence &shortcut,
                                 std::function<void()> run)
{
    auto *action = new QAction(caption, this);
    action->setToolTip(toolTip);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    menu()->addAction(action);
    return action;
}

bool SplitButton::eventFilter(QObject *watched, QEvent *event)
{
    // Whatever enters the menu is added to the window as well, so its shortcut works while the
    // menu is closed.
    if (watched == menu() && event->type() == QEvent::ActionAdded) {
        QAction *command = static_cast<QActionEvent *>(event)->action();
        command->setShortcutContext(Qt::WindowShortcut);
        window()->addAction(command);
    }
    return QToolButton::eventFilter(watched, event);
}
