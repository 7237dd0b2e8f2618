#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
struct SettingsRecord;

// The month selection window: one button per month of the edited year, and the year's summary.
// Modeless beside the main menu; everything it opens is modal.
class MonthWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MonthWindow(const SettingsRecord &settings, QWidget *parent = nullptr);

    QLabel *yearLabel;                          // the edited year when the main menu last showed it
    std::array<QPushButton *, 12> monthButtons; // 1月 … 12月, index + 1 = month
    QPushButton *annualButton;                  // 年間
    QPushButton *closeButton;                   // 閉じる
    QLabel *hintBox;                            // key hint

    static const QString KeyHint;

    // Shows the edited year as it is now.
    void showYear();
    // Opens the score sheet of the month (1 … 12) of the edited year, after the competition
    // dialog when the month has no competition yet.
    void openMonth(int month);
    // The annual summary of the edited year.
    void openAnnualSummary();

private:
    bool shortcutKey(int key);

    const SettingsRecord &m_settings;
};
