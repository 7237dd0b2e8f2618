#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The competition dialog: play date and course name of a month that has no competition yet.
// OK stores the month's Course row and goes on to its score sheet.
class CompetitionDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CompetitionDialog(QWidget *parent = nullptr);

    QLabel *Label3; // プレイ日
    QLineEdit *boxDate;
    QPushButton *Command3; // ...
    QLabel *Label1;        // コース名
    QComboBox *boxCourse;  // free text plus the remembered names
    QPushButton *Command1; // OK
    QPushButton *Command2; // CANCEL

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void updateOkButton();
};
