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

    QLabel *yearLabel;                          // the edited year, set by the main menu
    std::array<QPushButton *, 12> monthButtons; // 1月 … 12月, index + 1 = month
    QPushButton *annualButton;                  // 年間
    QPushButton *closeButton;                   // 閉じる
    QLabel *hintBox;                            // key hint

    static const QString KeyHint;

    // Opens the month's score sheet, or the competition dialog when the month has none yet.
    void openMonth(int index);
    // The annual summary of the edited year.
    void openAnnualSummary();

private:
    bool shortcutKey(int key);
};
