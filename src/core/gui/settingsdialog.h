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
    void Fill(const SettingsRecord &settings);

    QLineEdit *Text1;  // 西暦
    QGroupBox *Frame1; // 新HC計算
    QLineEdit *Text2;  // 優勝 ×
    QLineEdit *Text3;  // 準優勝 ×
    QLineEdit *Text4;  // 3位 ×
    QGroupBox *Frame2; // 取り切り出場資格
    QCheckBox *Check1;
    QLineEdit *boxTori1; // 回以上出場
    QCheckBox *Check2;
    QLineEdit *boxTori2;               // 点以上
    QGroupBox *Frame3;                 // 点数
    std::array<QLineEdit *, 4> boxTen; // 出席, 優勝, 準優勝, 3位
    QGroupBox *Frame4;                 // 印刷
    QComboBox *Combo1;                 // 倍率 (%), the entry's data is the scale
    QPushButton *Command1;             // OK
    QPushButton *Command2;             // バックアップから復元…

    void Text1_Change();
    void Command1_Click();
    void Command2_Click(); // the list of backups, to go back to one

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
