#include "core/gui/undocommands.h"

#include "core/gui/errorreport.h"
#include "core/undohistory.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

namespace {

const QString UndoCaption = QStringLiteral("元に戻す");
const QString RedoCaption = QStringLiteral("やり直す");

QString captionFor(const QString &command, const QString &step)
{
    return step.isEmpty() ? command : command + QStringLiteral("：") + step;
}

} // namespace

QString StepName(const QStringList &names, const QString &action)
{
    const QString first = QStringLiteral("「%1」").arg(names.value(0));
    if (names.size() < 2)
        return first + QStringLiteral("の") + action;
    return first + QStringLiteral("ほか%1人の").arg(names.size() - 1) + action;
}

void RunAsStep(QWidget *window, UndoHistory &history, const std::function<void()> &action,
               const std::function<QString()> &name)
{
    RunReportingErrors(window, [&] { history.record(action, name); });
}

UndoCommands::UndoCommands(QWidget *window, UndoHistory &history, QLabel *noticeBox, QWidget *over)
    : QObject(window)
    , m_window(window)
    , m_history(history)
    , m_notice(noticeBox)
    , m_over(over)
    , m_timer(new QTimer(this))
{
    undoAction = new QAction(UndoCaption, window);
    undoAction->setToolTip(QStringLiteral("最後に変更した記録を、その前の内容に戻します（Ctrl+Z）"));
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction = new QAction(RedoCaption, window);
    redoAction->setToolTip(QStringLiteral("元に戻した変更を、もう一度行います（Ctrl+Shift+Z、Ctrl+Y）"));
    redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction *action : {undoAction, redoAction}) {
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
    }
    connect(undoAction, &QAction::triggered, this, [this] { RunReportingErrors(m_window, [this] { m_history.undo(); }); });
    connect(redoAction, &QAction::triggered, this, [this] { RunReportingErrors(m_window, [this] { m_history.redo(); }); });
    connect(&history, &UndoHistory::changed, this, &UndoCommands::updateActions);
    connect(&history, &UndoHistory::recordsRestored, this, &UndoCommands::showNotice);
    updateActions();

    if (!m_notice) {
        m_notice = new QLabel(window);
        m_notice->setObjectName(QStringLiteral("undoNotice"));
        m_notice->setAutoFillBackground(true);
        m_notice->setMargin(2);
        m_notice->hide();
    }
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &UndoCommands::hideNotice);
    // A text box sees its keys before the window's shortcuts, and takes Ctrl+Z even with nothing
    // typed to take back.
    for (QLineEdit *box : window->findChildren<QLineEdit *>())
        box->installEventFilter(this);
}

void UndoCommands::updateActions()
{
    undoAction->setText(captionFor(UndoCaption, m_history.undoName()));
    undoAction->setEnabled(m_history.canUndo());
    redoAction->setText(captionFor(RedoCaption, m_history.redoName()));
    redoAction->setEnabled(m_history.canRedo());
}

bool UndoCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto *box = static_cast<QLineEdit *>(watched);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool undo = undoAction->shortcuts().contains(QKeySequence(key->keyCombination()));
    const bool redo = redoAction->shortcuts().contains(QKeySequence(key->keyCombination()));
    // Unclaimed, the key goes on to the window's command.
    if ((undo && !box->isUndoAvailable()) || (redo && !box->isRedoAvailable())) {
        event->ignore();
        return true;
    }
    return false;
}

void UndoCommands::showNotice(const QString &text)
{
    if (!m_showing && !m_over)
        m_hint = m_notice->text();
    m_showing = true;
    m_notice->setText(text);
    if (m_over) {
        const int height = m_notice->sizeHint().height();
        const QRect area = m_over->geometry();
        m_notice->setGeometry(area.left(), area.bottom() + 1 - height, area.width(), height);
        m_notice->show();
        m_notice->raise();
    }
    m_timer->start(NoticeMs);
}

void UndoCommands::hideNotice()
{
    m_showing = false;
    if (m_over)
        m_notice->hide();
    else
        m_notice->setText(m_hint);
}
