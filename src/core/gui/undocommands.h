#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QLabel;
class QTimer;
class QWidget;
class UndoHistory;

// Runs a user action as one step of the history, named once it ran; a step that cannot be
// recorded is reported and the action does not run.
void RunAsStep(QWidget *window, UndoHistory &history, const std::function<void()> &action,
               const std::function<QString()> &name);

// A step's name after the rows it acted on: 「山田太郎」の削除, or 「山田太郎」ほか2人の削除 for three.
QString StepName(const QStringList &names, const QString &action);

// 元に戻す and やり直す in one window, over the run's history: Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y
// wherever the focus is, except that a text box with typing to take back keeps them for itself.
// Whenever any window takes a step back or does it again, this window shows what in a one-line
// notice that goes away by itself; the window reloads its rows on recordsRestored.
class UndoCommands : public QObject
{
    Q_OBJECT

public:
    // `noticeBox`: where the notice shows, its own text back afterwards (a menu's hint box);
    // by default a line of its own over the bottom of `over` (the window's grid).
    UndoCommands(QWidget *window, UndoHistory &history, QLabel *noticeBox = nullptr, QWidget *over = nullptr);

    // Captioned with the step they act on (元に戻す：「山田太郎」の削除); disabled when there is none.
    QAction *undoAction;
    QAction *redoAction;

    // How long a notice stays.
    static constexpr int NoticeMs = 4000;

    QLabel *noticeBox() const { return m_notice; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateActions();
    void showNotice(const QString &text);
    void hideNotice();

    QWidget *m_window;
    UndoHistory &m_history;
    QLabel *m_notice;
    QWidget *m_over;
    QTimer *m_timer;
    QString m_hint; // the box's own text while a notice shows
    bool m_showing = false;
};
