#pragma once

#include "core/scoretable.h"
#include "platform/gui/widgets.h"

#include <QDialog>
#include <QStringList>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The score entry dialog: one participant's result, added to a competition or changed, as its
// mode says; the caption (追加 or 編集) follows the mode. It closes accepted once the row is stored.
class ScoreEntryDialog : public QDialog
{
    Q_OBJECT

public:
    // Add: a new row of the competition `row.courseId` for one of the members not named in
    // `entered` (the sheet's rows), offered in kana order.
    // Edit: `row` as stored, shown as it is; OK updates it and `entered` is not used.
    ScoreEntryDialog(EntryMode mode, const ScoreRecord &row, const QStringList &entered, QWidget *parent = nullptr);

    std::array<QLabel *, 8> captions; // captions above the fields
    QComboBox *memberCombo;           // member: text NAME, data ID
    QLineEdit *hcEdit;                // HC
    QLineEdit *obEdit;                // OB罰金
    QLineEdit *outEdit;               // OUT
    QLineEdit *inEdit;                // IN
    QLineEdit *grossEdit;             // GROSS, computed
    QLineEdit *netEdit;               // NET, computed
    QLineEdit *newHcEdit;             // 新ＨＣ
    QPushButton *okButton;            // OK
    QPushButton *cancelButton;        // CANCEL

    // Checks every field and stores the row; the first refused field is named and nothing is
    // stored.
    void store();

private:
    void offerMembers(const QStringList &entered);
    void showRow(const ScoreRecord &row);
    void memberPicked();
    void computeTotals();

    EntryMode m_mode;
    qint16 m_courseId;
    qint16 m_scoreId;
};
