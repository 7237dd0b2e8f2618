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

    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLineEdit *Text1;      // 氏名
    QLineEdit *Text2;      // ふりがな
    QLineEdit *Text3;      // 誕生日
    QLineEdit *Text4;      // HC
    QPushButton *Command1; // OK
    QPushButton *Command2; // CANCEL
    QPushButton *Command3; // ...

    void Text_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool addMode() const;
    MemberEntry::Typed typed() const;
};
