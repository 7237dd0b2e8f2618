#pragma once

#include "monthly/sideprizes.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// 賞の設定: which side prizes the club gives. OK puts the choices into the rules it was given,
// after reading the 飛び賞 boxes; キャンセル and the close box leave them as they were. The
// rules are stored with the settings dialog's OK, as every other setting.
class SidePrizeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SidePrizeDialog(SidePrizes::Rules &rules, QWidget *parent = nullptr);

    QCheckBox *bestGrossCheck;      // ベスグロ
    QCheckBox *leaveOutPlacesCheck; // 入賞者を除く
    QCheckBox *boobyCheck;          // ブービー (BB)
    QCheckBox *boobyMakerCheck;     // ブービーメーカー (BM)
    QRadioButton *noFlyingRadio;    // 飛び賞なし
    QRadioButton *flyingPlacesRadio;
    QLineEdit *flyingPlacesEdit; // 位 (「5,10,15」)
    QRadioButton *flyingEveryRadio;
    QLineEdit *flyingEveryEdit; // 位ごと
    QPushButton *okButton;
    QPushButton *cancelButton;

private:
    void loadRules();
    // Reads the boxes into the rules and closes; a box that does not read is named and the
    // dialog stays open with the rules untouched.
    void saveRules();
    void updateControls();

    SidePrizes::Rules &m_rules;
};
