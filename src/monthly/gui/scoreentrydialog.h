#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The score entry dialog: one participant's result. Its caption tells the mode: "追加" inserts
// a row of the current competition, any other caption updates the row EditScoreId.
class ScoreEntryDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ScoreEntryDialog(QWidget *parent = nullptr);

    static const QString AddCaption;  // 追加
    static const QString EditCaption; // 編集

    std::array<QLabel *, 8> Label1; // captions above the fields
    QComboBox *Combo1;              // member: text NAME, data ID
    QLineEdit *Text1;               // HC
    QLineEdit *Text2;               // OB罰金
    QLineEdit *Text3;               // OUT
    QLineEdit *Text4;               // IN
    QLineEdit *Text5;               // GROSS, computed
    QLineEdit *Text6;               // NET, computed
    QLineEdit *Text7;               // 新ＨＣ
    QPushButton *Command1;          // OK
    QPushButton *Command2;          // CANCEL

    // The members not yet on the score sheet, in kana order.
    void Setname();

    void Combo1_Click();
    void Text1_Change();
    void Text3_Change();
    void Text4_Change();
    void Command1_Click();
    void Command2_Click();

private:
    void computeTotals();
    bool isAddMode() const;
};
