#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

// Member selection for the bulk add: every member chosen who is not yet in the current
// competition gets a row with the member's handicap and all scores 0, to be filled in later.
class BulkAddDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BulkAddDialog(QWidget *parent = nullptr);

    QListWidget *List1;    // text NAME, data ID
    QPushButton *Command1; // OK
    QPushButton *Command2; // CANCEL

    // Adds every member, in kana order.
    void Showtable();

    void Command1_Click();
    void Command2_Click();
};
