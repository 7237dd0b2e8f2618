#pragma once

#include "core/settingsrecord.h"
#include "core/undohistory.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class DatabaseLock;
class MonthWindow;
class QLabel;
class QPushButton;
class UndoCommands;

// The main menu: the program's first and last window. It holds the settings record and the undo
// history of the run, which the windows it opens are given.
class MainMenu : public QWidget
{
    Q_OBJECT

public:
    // `settings`: the record until start() loads it from the store.
    explicit MainMenu(const SettingsRecord &settings = SettingsRecord(), QWidget *parent = nullptr);
    ~MainMenu() override;

    // Loads the settings, takes the database's lock for the run and opens the database; the
    // day's backup follows once the menu has been painted. When there is no database yet the
    // user is offered to create one, when it is damaged to go back to a copy. When another
    // Parvela has it open, or it cannot be opened, the user has been told why and the program
    // must end before the menu is shown.
    bool start();
    // The same with the database's lock taken beforehand (the program's start takes it while the
    // menu is built); without one it is taken here.
    bool start(std::unique_ptr<DatabaseLock> lock);

    const SettingsRecord &settings() const { return m_settings; }
    // The month window while it is open.
    MonthWindow *monthWindow() const;
    UndoHistory &history() { return m_history; }

    QPushButton *membersButton;  // メンバー
    QPushButton *scoresButton;   // スコア
    QPushButton *settingsButton; // 設定
    QPushButton *helpButton;     // ヘルプ
    QPushButton *versionButton;  // バージョン情報
    QPushButton *quitButton;     // 終了
    QLabel *hintBox;
    UndoCommands *undoCommands; // once a window that changed records has closed

    static const QString KeyHint;

    void openMemberList();
    // Modeless: the menu stays usable, and pressing again shows the year anew and brings the
    // window forward.
    void openMonths();
    void openSettings();
    void openHelp();
    void openVersion();

protected:
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool shortcutKey(int key);
    void shutDown();
    QPushButton *makeButton(const QString &caption, int left, int top, const QString &tooltip);

    SettingsRecord m_settings;
    UndoHistory m_history;
    QPointer<MonthWindow> m_months;
    bool m_shutDown = false;
    std::unique_ptr<DatabaseLock> m_lock;
};
