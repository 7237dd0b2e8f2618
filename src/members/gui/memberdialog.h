#pragma once

#include "core/membertable.h"
#include "members/memberentry.h"
#include "platform/gui/widgets.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Adds a member or changes one, as its mode says; the caption (追加 or 編集) follows the mode. It
// closes accepted once the member is stored.
class MemberDialog : public QDialog
{
    Q_OBJECT

public:
    // Edit: `member` as stored, whose row OK updates; Add: empty fields, `member` unused.
    // `editYear`: where the date picker opens on an empty birthday.
    MemberDialog(EntryMode mode, const MemberRecord &member, int editYear, QWidget *parent = nullptr);

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

    // Stores what was typed, unless a field or a taken name is refused.
    void store();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void updateOkButton();
    void pickDate();
    MemberEntry::Typed typed() const;

    EntryMode m_mode;
    qint16 m_memberId;
    int m_editYear;
};
