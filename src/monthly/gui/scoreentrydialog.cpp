#include "monthly/gui/scoreentrydialog.h"

#include "monthly/gui/scoresheetwindow.h"
#include "monthly/scoreentry.h"

#include "core/gui/errorreport.h"
#include "core/gui/windowregistry.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/numbertext.h"
#include "core/scoretable.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

const QString ScoreEntryDialog::AddCaption = QStringLiteral("追加");
const QString ScoreEntryDialog::EditCaption = QStringLiteral("編集");

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

ScoreEntryDialog::ScoreEntryDialog(QWidget *parent)
    : QDialog(parent)
{
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
        Label1[i] = new QLabel(QString::fromUtf16(Captions[i].text), this);
        Label1[i]->move(Twips::toPixels(Captions[i].left), Twips::toPixels(120));
    }

    Combo1 = new QComboBox(this);
    Combo1->setGeometry(Twips::rect(120, 360, 2175, 300));
    QFont regular = Ui::formFont();
    regular.setBold(false);
    Combo1->setFont(regular);

    Text1 = makeField(this, 2400, 375, true);
    Text1->setFocusPolicy(Qt::ClickFocus);
    Text2 = makeField(this, 2880, 735, true);
    Text3 = makeField(this, 3720, 375, false);
    Text4 = makeField(this, 4200, 375, false);
    Text5 = makeField(this, 4680, 615, true);
    Text6 = makeField(this, 5400, 615, true);
    Text7 = makeField(this, 6120, 615, true);
    for (QLineEdit *computed : {Text5, Text6, Text7}) {
        computed->setReadOnly(true);
        computed->setFocusPolicy(Qt::ClickFocus);
    }

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setGeometry(Twips::rect(4440, 720, 1095, 375));
    Command1->setAutoDefault(false);
    Command1->setEnabled(false);
    Command2 = new QPushButton(QStringLiteral("CANCEL"), this);
    Command2->setGeometry(Twips::rect(5640, 720, 1095, 375));
    Command2->setAutoDefault(false);

    setTabOrder(Combo1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Text4);
    setTabOrder(Text4, Command1);
    setTabOrder(Command1, Command2);
    new EnterMovesFocus(this);

    connect(Combo1, &QComboBox::currentIndexChanged, this, &ScoreEntryDialog::Combo1_Click);
    connect(Text1, &QLineEdit::textChanged, this, &ScoreEntryDialog::Text1_Change);
    connect(Text3, &QLineEdit::textChanged, this, &ScoreEntryDialog::Text3_Change);
    connect(Text4, &QLineEdit::textChanged, this, &ScoreEntryDialog::Text4_Change);
    connect(Command1, &QPushButton::clicked, this, &ScoreEntryDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ScoreEntryDialog::Command2_Click);

    // Form_Load: the caption is not set yet when the sheet creates the dialog, so the list is
    // filled for adding; an edit replaces it at once.
    if (windowTitle() != EditCaption)
        Setname();
    Combo1->setFocus();
}

bool ScoreEntryDialog::isAddMode() const
{
    return windowTitle() == AddCaption;
}

void ScoreEntryDialog::Setname()
{
    // Who is on the sheet already: the records behind its rows.
    QStringList entered;
    if (ScoreSheetWindow *sheet = WindowRegistry::instance().existing<ScoreSheetWindow>()) {
        for (const ScoreRecord &score : sheet->rowRecords())
            entered << score.memberName;
    }
    RunReportingErrors(this, [&] {
        const QVector<MemberRecord> members = MemberTable::allByKanaExcept(entered);
        // Filling the list picks nobody: OK waits for the user's choice.
        const QSignalBlocker blocker(Combo1);
        for (const MemberRecord &member : members)
            Combo1->addItem(member.name, static_cast<int>(member.id));
        Combo1->setCurrentIndex(-1);
    });
}

void ScoreEntryDialog::Combo1_Click()
{
    if (Combo1->currentIndex() < 0)
        return;
    Command1->setEnabled(true);
    const int memberId = Combo1->currentData().toInt();
    RunReportingErrors(this, [&] {
        if (const std::optional<MemberRecord> member = MemberTable::byId(memberId))
            Text1->setText(NumberText::plain(member->hc));
    });
}

void ScoreEntryDialog::Text1_Change()
{
    computeTotals();
}

void ScoreEntryDialog::Text3_Change()
{
    computeTotals();
}

void ScoreEntryDialog::Text4_Change()
{
    computeTotals();
}

void ScoreEntryDialog::computeTotals()
{
    // GROSS and NET follow HC, OUT and IN whichever changed last, the member picked after the
    // scores included; what cannot be computed yet stays as it was.
    const ScoreEntry::Totals totals = ScoreEntry::liveTotals(Text1->text(), Text3->text(), Text4->text());
    if (totals.gross)
        Text5->setText(QString::number(*totals.gross));
    if (totals.net)
        Text6->setText(QString::number(*totals.net));
}

void ScoreEntryDialog::Command1_Click()
{
    // Every field is checked before anything is stored; the first bad one is named.
    const Checked<ScoreRecord> entered =
        ScoreEntry::check({Text1->text(), Text2->text(), Text3->text(), Text4->text(), Text7->text()}, !isAddMode());
    if (entered.error) {
        const std::array<QLineEdit *, 7> fields = {Text1, Text2, Text3, Text4, Text5, Text6, Text7};
        MessageBox::refuseField(fields[static_cast<std::size_t>(entered.error->field)], entered.error->message);
        return;
    }

    ScoreRecord score = entered.values;
    score.courseId = Module1::CurrentCourseId;
    score.memberId = Combo1->currentData().toInt();
    score.memberName = Combo1->currentText();
    const bool stored = RunReportingErrors(this, [&] {
        if (isAddMode()) {
            ScoreTable::insert(score);
        } else {
            score.id = Module1::EditScoreId;
            ScoreTable::update(score);
        }
    });
    if (!stored)
        return; // reported; the dialog stays open with what was typed

    accept();
    if (ScoreSheetWindow *sheet = WindowRegistry::instance().existing<ScoreSheetWindow>())
        sheet->Showtable();
}

void ScoreEntryDialog::Command2_Click()
{
    reject();
}
