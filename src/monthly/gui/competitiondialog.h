#pragma once

#include "core/coursetable.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The competition dialog: play date and course name of a month that has no competition yet.
// OK stores the month's Course row and closes accepted; its opener goes on to the score sheet.
class CompetitionDialog : public QDialog
{
    Q_OBJECT

public:
    CompetitionDialog(int year, int month, QWidget *parent = nullptr);

    // The competition stored by OK.
    const CourseRecord &competition() const { return m_competition; }

    QLabel *playDateLabel; // プレイ日
    QLineEdit *playDateEdit;
    QPushButton *pickDateButton; // ...
    QLabel *courseLabel;         // コース名
    QComboBox *courseCombo;      // free text plus the remembered names
    QPushButton *okButton;       // OK
    QPushButton *cancelButton;   // CANCEL

    void store();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void pickDate();
    void updateOkButton();

    CourseRecord m_competition;
};
