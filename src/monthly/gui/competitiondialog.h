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

    QLabel *playDateLabel; // プレイ日
    QLineEdit *playDateEdit;
    QPushButton *pickDateButton; // ...
    QLabel *courseLabel;         // コース名
    QComboBox *courseCombo;      // free text plus the remembered names
    QPushButton *okButton;       // OK
    QPushButton *cancelButton;   // CANCEL

    void store();
    void pickDate();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void updateOkButton();
};
