#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

// The month selection window: one button per month of the edited year, and the year's summary.
// Modeless beside the main menu; everything it opens is modal.
class MonthWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MonthWindow(QWidget *parent = nullptr);

    QLabel *Label1;                         // the edited year, set by the main menu
    std::array<QPushButton *, 12> Command1; // 1月 … 12月, index + 1 = month
    QPushButton *Command3;                  // 年間
    QPushButton *Command2;                  // 閉じる
    QLabel *Label2;                         // key hint

    static const QString KeyHint;

    // Opens the month's score sheet, or the competition dialog when the month has none yet.
    void Command1_Click(int index);
    void Command2_Click();
    // The annual summary of the edited year.
    void Command3_Click();

private:
    bool Form_KeyDown(int key);
};
