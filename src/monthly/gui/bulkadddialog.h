#pragma once

#include "core/membertable.h"
#include "platform/gui/tablemodel.h"

#include <QDialog>

class QListView;
class QPushButton;

// Member selection for the bulk add: every member chosen who is not yet in the competition gets
// a row with the member's handicap and all scores 0, to be filled in later. It closes accepted
// once they are stored.
class BulkAddDialog : public QDialog
{
    Q_OBJECT

public:
    // Lists every member, in kana order.
    explicit BulkAddDialog(qint16 courseId, QWidget *parent = nullptr);

    QListView *memberList;     // the members' names
    QPushButton *okButton;     // OK
    QPushButton *cancelButton; // CANCEL

    void store();

private:
    qint16 m_courseId;
    RowsModel<MemberRecord> m_members;
};
