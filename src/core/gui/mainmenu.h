#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class KeyPreview;

// The main menu: the program's first and last window.
class MainMenu : public QWidget
{
    Q_OBJECT

public:
    explicit MainMenu(QWidget *parent = nullptr);

    // Loads the settings, opens the database and makes the day's backup. When there is no
    // database yet the user is offered to create one. When the database cannot be opened the
    // user has been told why and the program must end before the menu is shown; a failed
    // backup is only reported.
    bool start();

    QPushButton *membersButton;  // メンバー
    QPushButton *scoresButton;   // スコア
    QPushButton *settingsButton; // 設定
    QPushButton *helpButton;     // ヘルプ
    QPushButton *versionButton;  // バージョン情報
    QPushButton *quitButton;     // 終了
    QLabel *hintBox;             // hint box

    static const QString KeyHint;

    void openMemberList();
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

    bool m_unloaded = false;
};
