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
    bool Form_Load();

    QPushButton *Command1; // メンバー
    QPushButton *Command2; // スコア
    QPushButton *Command3; // 設定
    QPushButton *Command4; // ヘルプ
    QPushButton *Command5; // バージョン情報
    QPushButton *Command6; // 終了
    QLabel *Label1;        // hint box

    static const QString KeyHint;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool Form_KeyDown(int key);
    void Form_Unload();
    QPushButton *makeButton(const QString &caption, int left, int top, const QString &tooltip);

    bool m_unloaded = false;
};
