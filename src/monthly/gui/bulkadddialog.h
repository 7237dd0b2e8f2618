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

    QListWidget *memberList;   // text NAME, data ID
    QPushButton *okButton;     // OK
    QPushButton *cancelButton; // CANCEL

    // Adds every member, in kana order.
    void reload();

    void store();
};
