#pragma once

#include "monthly/sideprizes.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
struct SettingsRecord;

// The settings dialog: edits every field of the settings record. OK stores them in the record
// and the settings store; the close box leaves both as they were.
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    // Shows the record's values; OK puts what was typed into it.
    explicit SettingsDialog(SettingsRecord &settings, QWidget *parent = nullptr);

    QLineEdit *yearEdit;         // 西暦
    QGroupBox *newHcFrame;       // 新HC計算
    QLineEdit *winnerEdit;       // 優勝 ×
    QLineEdit *runnerUpEdit;     // 準優勝 ×
    QLineEdit *thirdEdit;        // 3位 ×
    QGroupBox *eligibilityFrame; // 取り切り出場資格
    QCheckBox *attendanceCheck;
    QLineEdit *attendanceEdit; // 回以上出場
    QCheckBox *pointsCheck;
    QLineEdit *pointsEdit;                 // 点以上
    QGroupBox *pointsFrame;                // 点数
    std::array<QLineEdit *, 4> pointEdits; // 出席, 優勝, 準優勝, 3位
    QGroupBox *printFrame;                 // 印刷
    QComboBox *printScaleCombo;            // 倍率 (%), the entry's data is the scale
    QPushButton *okButton;                 // OK
    QPushButton *restoreButton;            // バックアップから復元…
    QPushButton *prizesButton;             // 賞の設定…

    void updateOkButton();
    // Reads every field; a refused one is named and nothing changes, otherwise the record and the
    // store get the values and the dialog closes.
    void store();
    void openRestore();    // the list of backups, to go back to one
    void openSidePrizes(); // chosen there, stored here with OK

signals:
    // A restore from the list of backups replaced the records.
    void recordsReplaced();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showSettings();

    SettingsRecord &m_settings;
    SidePrizes::Rules m_sidePrizes; // as the prize dialog last left them, stored by OK
};
