#include "monthly/gui/sideprizedialog.h"

#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLineEdit *makeNumbersBox(QWidget *parent, const QString &example)
{
    QLineEdit *box = Ui::numberBox(parent);
    box->setPlaceholderText(example);
    return box;
}

} // namespace

SidePrizeDialog::SidePrizeDialog(SidePrizes::Rules &rules, QWidget *parent)
    : QDialog(parent)
    , m_rules(rules)
{
    setWindowTitle(QStringLiteral("賞の設定"));
    setFont(Ui::formFont());

    bestGrossCheck = new QCheckBox(QStringLiteral("ベスグロ"), this);
    leaveOutPlacesCheck = new QCheckBox(QStringLiteral("入賞者を除く"), this);
    leaveOutPlacesCheck->setToolTip(
        QStringLiteral("優勝・準優勝・3位の人を除いた中で、グロスのいちばん少ない人にします"));
    boobyCheck = new QCheckBox(QStringLiteral("ブービー (BB)"), this);
    boobyMakerCheck = new QCheckBox(QStringLiteral("ブービーメーカー (BM)"), this);

    auto *flyingFrame = new QGroupBox(QStringLiteral("飛び賞"), this);
    noFlyingRadio = new QRadioButton(QStringLiteral("なし"), flyingFrame);
    flyingPlacesRadio = new QRadioButton(QStringLiteral("順位"), flyingFrame);
    flyingPlacesEdit = makeNumbersBox(flyingFrame, QStringLiteral("5,10,15"));
    flyingEveryRadio = new QRadioButton(QStringLiteral("毎"), flyingFrame);
    flyingEveryEdit = makeNumbersBox(flyingFrame, QStringLiteral("5"));
    auto *flyingGrid = new QGridLayout(flyingFrame);
    flyingGrid->addWidget(noFlyingRadio, 0, 0);
    flyingGrid->addWidget(flyingPlacesRadio, 1, 0);
    flyingGrid->addWidget(flyingPlacesEdit, 1, 1);
    flyingGrid->addWidget(new QLabel(QStringLiteral("位"), flyingFrame), 1, 2);
    flyingGrid->addWidget(flyingEveryRadio, 2, 0);
    flyingGrid->addWidget(flyingEveryEdit, 2, 1);
    flyingGrid->addWidget(new QLabel(QStringLiteral("位ごと"), flyingFrame), 2, 2);

    auto *buttons = new QDialogButtonBox(this);
    okButton = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    cancelButton = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    // Enter in a box must not take half-typed places.
    okButton->setAutoDefault(false);
    cancelButton->setAutoDefault(false);

    auto *bestGrossRow = new QHBoxLayout;
    bestGrossRow->addWidget(bestGrossCheck);
    bestGrossRow->addWidget(leaveOutPlacesCheck);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bestGrossRow);
    layout->addWidget(boobyCheck);
    layout->addWidget(boobyMakerCheck);
    layout->addWidget(flyingFrame);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton, &QPushButton::clicked, this, &SidePrizeDialog::saveRules);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // A radio button turned off is another turned on: these three see every change.
    for (QAbstractButton *choice :
         std::initializer_list<QAbstractButton *>{bestGrossCheck, flyingPlacesRadio, flyingEveryRadio})
        connect(choice, &QAbstractButton::toggled, this, &SidePrizeDialog::updateControls);
    new EnterPressesButtons(this);
    loadRules();
}

void SidePrizeDialog::loadRules()
{
    bestGrossCheck->setChecked(m_rules.bestGross);
    leaveOutPlacesCheck->setChecked(m_rules.bestGrossLeavesOutPlaces);
    boobyCheck->setChecked(m_rules.booby);
    boobyMakerCheck->setChecked(m_rules.boobyMaker);
    flyingPlacesEdit->setText(SidePrizes::placesText(m_rules.flyingPlaces));
    flyingEveryEdit->setText(m_rules.flyingEvery > 0 ? QString::number(m_rules.flyingEvery) : QString());
    if (!m_rules.flyingPlaces.isEmpty())
        flyingPlacesRadio->setChecked(true);
    else if (m_rules.flyingEvery > 0)
        flyingEveryRadio->setChecked(true);
    else
        noFlyingRadio->setChecked(true);
    updateControls();
}

void SidePrizeDialog::updateControls()
{
    leaveOutPlacesCheck->setEnabled(bestGrossCheck->isChecked());
    flyingPlacesEdit->setEnabled(flyingPlacesRadio->isChecked());
    flyingEveryEdit->setEnabled(flyingEveryRadio->isChecked());
}

void SidePrizeDialog::saveRules()
{
    SidePrizes::Rules entered;
    entered.bestGross = bestGrossCheck->isChecked();
    entered.bestGrossLeavesOutPlaces = entered.bestGross && leaveOutPlacesCheck->isChecked();
    entered.booby = boobyCheck->isChecked();
    entered.boobyMaker = boobyMakerCheck->isChecked();
    // Only the 飛び賞 chosen is read: the other box may keep what was typed before.
    if (flyingPlacesRadio->isChecked()) {
        const std::optional<QVector<int>> places = SidePrizes::readPlaces(flyingPlacesEdit->text());
        if (!places || places->isEmpty()) {
            MessageBox::refuseField(
                flyingPlacesEdit,
                QStringLiteral("飛び賞の順位には1から32767までの数を「,」で区切って入力してください（例：5,10,15）。"));
            return;
        }
        entered.flyingPlaces = *places;
    } else if (flyingEveryRadio->isChecked()) {
        const std::optional<QVector<int>> every = SidePrizes::readPlaces(flyingEveryEdit->text());
        if (!every || every->size() != 1) {
            MessageBox::refuseField(flyingEveryEdit,
                                    QStringLiteral("飛び賞の間隔には1から32767までの数を一つ入力してください。"));
            return;
        }
        entered.flyingEvery = every->first();
    }
    m_rules = entered;
    accept();
}
