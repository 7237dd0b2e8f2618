#pragma once

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
    explicit SettingsDialog(QWidget *parent = nullptr);

    // Puts the record's values into the fields, as the main menu does before showing the dialog.
    void load(const SettingsRecord &settings);

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

    void updateOkButton();
    void store();
    void openRestore(); // the list of backups, to go back to one

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
