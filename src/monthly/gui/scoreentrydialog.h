#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The score entry dialog: one participant's result. Its caption tells the mode: "追加" inserts
// a row of the current competition, any other caption updates the row EditScoreId.
class ScoreEntryDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ScoreEntryDialog(QWidget *parent = nullptr);

    static const QString AddCaption;  // 追加
    static const QString EditCaption; // 編集

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

    // The members not yet on the score sheet, in kana order.
    void offerMembers();

    void memberPicked();
    void store();

private:
    void computeTotals();
    bool isAddMode() const;
};
