#include "monthly/gui/scoreentrydialog.h"

#include "monthly/scoreentry.h"

#include "core/gui/errorreport.h"
#include "core/membertable.h"
#include "core/numbertext.h"
#include "core/scoretable.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

QLineEdit *makeField(QWidget *parent, int left, int width, bool rightAligned)
{
    auto *field = new QLineEdit(parent);
    field->setGeometry(Twips::rect(left, 360, width, 270));
    if (rightAligned)
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Numbers only: no input method.
    field->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);
    QFont regular = Ui::formFont();
    regular.setBold(false);
    field->setFont(regular);
    return field;
}

} // namespace

ScoreEntryDialog::ScoreEntryDialog(EntryMode mode, const ScoreRecord &row, const QStringList &entered, QWidget *parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_courseId(row.courseId)
    , m_scoreId(row.id)
{
    setWindowTitle(Ui::captionOf(mode));
    setFont(Ui::formFont());
    setFixedSize(Twips::toPixels(6855), Twips::toPixels(1215));

    struct Caption
    {
        const char16_t *text;
        int left;
    };
    static constexpr std::array<Caption, 8> Captions = {{{u"氏名", 120},
                                                         {u"HC", 2400},
                                                         {u"OB罰金", 2880},
                                                         {u"OUT", 3720},
                                                         {u"IN", 4200},
                                                         {u"GROSS", 4680},
                                                         {u"NET", 5400},
                                                         {u"新ＨＣ", 6120}}};
    for (size_t i = 0; i < Captions.size(); ++i) {
        captions[i] = new QLabel(QString::fromUtf16(Captions[i].text), this);
        captions[i]->move(Twips::toPixels(Captions[i].left), Twips::toPixels(120));
    }

    memberCombo = new QComboBox(this);
    memberCombo->setGeometry(Twips::rect(120, 360, 2175, 300));
    QFont regular = Ui::formFont();
    regular.setBold(false);
    memberCombo->setFont(regular);

    hcEdit = makeField(this, 2400, 375, true);
    hcEdit->setFocusPolicy(Qt::ClickFocus);
    obEdit = makeField(this, 2880, 735, true);
    outEdit = makeField(this, 3720, 375, false);
    inEdit = makeField(this, 4200, 375, false);
    grossEdit = makeField(this, 4680, 615, true);
    netEdit = makeField(this, 5400, 615, true);
    newHcEdit = makeField(this, 6120, 615, true);
    for (QLineEdit *computed : {grossEdit, netEdit, newHcEdit}) {
        computed->setReadOnly(true);
        computed->setFocusPolicy(Qt::ClickFocus);
    }

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setGeometry(Twips::rect(4440, 720, 1095, 375));
    okButton->setAutoDefault(false);
    okButton->setEnabled(false);
    cancelButton = new QPushButton(QStringLiteral("CANCEL"), this);
    cancelButton->setGeometry(Twips::rect(5640, 720, 1095, 375));
    cancelButton->setAutoDefault(false);

    setTabOrder(memberCombo, obEdit);
    setTabOrder(obEdit, outEdit);
    setTabOrder(outEdit, inEdit);
    setTabOrder(inEdit, okButton);
    setTabOrder(okButton, cancelButton);
    new EnterMovesFocus(this);

    connect(memberCombo, &QComboBox::currentIndexChanged, this, &ScoreEntryDialog::memberPicked);
    connect(hcEdit, &QLineEdit::textChanged, this, &ScoreEntryDialog::computeTotals);
    connect(outEdit, &QLineEdit::textChanged, this, &ScoreEntryDialog::computeTotals);
    connect(inEdit, &QLineEdit::textChanged, this, &ScoreEntryDialog::computeTotals);
    connect(okButton, &QPushButton::clicked, this, &ScoreEntryDialog::store);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    if (mode == EntryMode::Add)
        offerMembers(entered);
    else
        showRow(row);
    memberCombo->setFocus();
}

void ScoreEntryDialog::offerMembers(const QStringList &entered)
{
    RunReportingErrors(this, [&] {
        const QVector<MemberRecord> members = MemberTable::allByKanaExcept(entered);
        // Filling the list picks nobody: OK waits for the user's choice.
        const QSignalBlocker blocker(memberCombo);
        for (const MemberRecord &member : members)
            memberCombo->addItem(member.name, static_cast<int>(member.id));
        memberCombo->setCurrentIndex(-1);
    });
}

void ScoreEntryDialog::showRow(const ScoreRecord &row)
{
    // The row's member only: a row keeps its member.
    {
        const QSignalBlocker blocker(memberCombo);
        memberCombo->addItem(row.memberName, row.memberId);
        memberCombo->setCurrentIndex(0);
    }
    okButton->setEnabled(true);
    // The row's own handicap, not the member's of today.
    hcEdit->setText(NumberText::plain(row.hc));
    const bool allZero = row.out == 0 && row.in == 0 && row.ob == 0;
    obEdit->setText(allZero ? QString() : NumberText::plain(row.ob));
    outEdit->setText(row.out != 0 ? QString::number(row.out) : QString());
    inEdit->setText(row.out != 0 ? QString::number(row.in) : QString());
    grossEdit->setText(QString::number(row.gross));
    netEdit->setText(NumberText::plain(row.net));
    newHcEdit->setText(NumberText::plain(row.newHc));
}

void ScoreEntryDialog::memberPicked()
{
    if (memberCombo->currentIndex() < 0)
        return;
    okButton->setEnabled(true);
    const int memberId = memberCombo->currentData().toInt();
    RunReportingErrors(this, [&] {
        if (const std::optional<MemberRecord> member = MemberTable::byId(memberId))
            hcEdit->setText(NumberText::plain(member->hc));
    });
}

void ScoreEntryDialog::computeTotals()
{
    // GROSS and NET follow HC, OUT and IN whichever changed last, the member picked after the
    // scores included; what cannot be computed yet stays as it was.
    const ScoreEntry::Totals totals = ScoreEntry::liveTotals(hcEdit->text(), outEdit->text(), inEdit->text());
    if (totals.gross)
        grossEdit->setText(QString::number(*totals.gross));
    if (totals.net)
        netEdit->setText(QString::number(*totals.net));
}

void ScoreEntryDialog::store()
{
    // Every field is checked before anything is stored; the first bad one is named.
    const Checked<ScoreRecord> entered =
        ScoreEntry::check({hcEdit->text(), obEdit->text(), outEdit->text(), inEdit->text(), newHcEdit->text()},
                          m_mode == EntryMode::Edit);
    if (entered.error) {
        const std::array<QLineEdit *, 7> fields = {hcEdit, obEdit, outEdit, inEdit, grossEdit, netEdit, newHcEdit};
        MessageBox::refuseField(fields[static_cast<std::size_t>(entered.error->field)], entered.error->message);
        return;
    }

    ScoreRecord score = entered.values;
    score.courseId = m_courseId;
    score.memberId = memberCombo->currentData().toInt();
    score.memberName = memberCombo->currentText();
    const bool stored = RunReportingErrors(this, [&] {
        if (m_mode == EntryMode::Add) {
            ScoreTable::insert(score);
        } else {
            score.id = m_scoreId;
            ScoreTable::update(score);
        }
    });
    if (!stored)
        return; // reported; the dialog stays open with what was typed

    accept();
}
