#pragma once

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class KeyPreview;
class DatabaseLock;

// The main menu: the program's first and last window.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Loads the settings, takes the database's lock for the run and opens the database; the
    // day's backup follows once the menu has been painted. When there is no database yet the
    // user is offered to create one, when it is damaged to go back to a copy. When another
    // Parvela has it open, or it cannot be opened, the user has been told why and the program
    // must end before the menu is shown.
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
    std::unique_ptr<DatabaseLock> m_lock;
};
