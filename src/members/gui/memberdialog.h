#pragma once

#include "members/memberentry.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Adds a member or changes one. The caption tells which: "追加" inserts, any other caption
// updates the member Module1::EditMemberId names.
class MemberDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MemberDialog(QWidget *parent = nullptr);

    static const QString AddCaption;  // 追加
    static const QString EditCaption; // 編集

    QLabel *nameLabel;
    QLabel *kanaLabel;
    QLabel *birthdayLabel;
    QLabel *hcLabel;
    QLineEdit *nameEdit;         // 氏名
    QLineEdit *kanaEdit;         // ふりがな
    QLineEdit *birthdayEdit;     // 誕生日
    QLineEdit *hcEdit;           // HC
    QPushButton *okButton;       // OK
    QPushButton *cancelButton;   // CANCEL
    QPushButton *pickDateButton; // ...

    void updateOkButton();
    void store();
    void pickDate();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool addMode() const;
    MemberEntry::Typed typed() const;
};
