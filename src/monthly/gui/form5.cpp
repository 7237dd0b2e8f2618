#include "monthly/gui/form5.h"

#include "monthly/gui/form4.h"
#include "monthly/scoretext.h"

#include "core/gui/errorreport.h"
#include "core/gui/windowregistry.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

const QString Form5::AddCaption = QStringLiteral("追加");
const QString Form5::EditCaption = QStringLiteral("編集");

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

// The message for a field that does not hold what it must; names the field as captioned.
void refuse(QWidget *parent, QLineEdit *field, const QString &fieldName, const QString &what)
{
    MessageBox::warning(parent, QStringLiteral("Parvela"),
                        QStringLiteral("%1には%2を入力してください。").arg(fieldName, what));
    field->setFocus();
    field->selectAll();
}

} // namespace

Form5::Form5(QWidget *parent)
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

    connect(Combo1, &QComboBox::currentIndexChanged, this, &Form5::Combo1_Click);
    connect(Text3, &QLineEdit::textChanged, this, &Form5::Text3_Change);
    connect(Text4, &QLineEdit::textChanged, this, &Form5::Text4_Change);
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form5::Command2_Click);

    // Form_Load: the caption is not set yet when the sheet creates the dialog, so the list is
    // filled for adding; an edit replaces it at once.
    if (windowTitle() != EditCaption)
        Setname();
    Combo1->setFocus();
}

bool Form5::isAddMode() const
{
    return windowTitle() == AddCaption;
}

void Form5::Setname()
{
    // Who is on the sheet already is what the sheet shows.
    QStringList entered;
    if (Form4 *sheet = WindowRegistry::instance().existing<Form4>()) {
        for (int row = 1; row < sheet->ScoreGrid->rows(); ++row)
            entered << sheet->ScoreGrid->textAt(row, 1);
        sheet->ScoreGrid->setRow(0);
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

void Form5::Combo1_Click()
{
    if (Combo1->currentIndex() < 0)
        return;
    Command1->setEnabled(true);
    const int memberId = Combo1->currentData().toInt();
    RunReportingErrors(this, [&] {
        if (const std::optional<MemberRecord> member = MemberTable::byId(memberId))
            Text1->setText(ScoreText::number(member->hc));
    });
}

void Form5::Text3_Change()
{
    computeTotals();
}

void Form5::Text4_Change()
{
    computeTotals();
}

void Form5::computeTotals()
{
    if (Text3->text().isEmpty() || Text4->text().isEmpty())
        return;
    // Anything that is not a number, or a total beyond 16 bits, leaves the totals as they were.
    const std::optional<qint16> out = ScoreText::toInt16(Text3->text());
    const std::optional<qint16> in = ScoreText::toInt16(Text4->text());
    if (!out || !in)
        return;
    const std::optional<qint16> gross = ScoreText::roundToInt16(double(*out) + double(*in));
    if (!gross)
        return;
    Text5->setText(QString::number(*gross));
    // An HC not filled in yet counts as 0, as OK would store it.
    const std::optional<qint16> hc =
        Text1->text().trimmed().isEmpty() ? std::optional<qint16>(0) : ScoreText::toInt16(Text1->text());
    if (!hc)
        return;
    const std::optional<qint16> net = ScoreText::roundToInt16(double(*gross) - double(*hc));
    if (!net)
        return;
    Text6->setText(QString::number(*net));
}

void Form5::Command1_Click()
{
    for (QLineEdit *field : {Text1, Text2, Text3, Text4}) {
        if (field->text().isEmpty())
            field->setText(QStringLiteral("0"));
    }

    // Every field is checked before anything is stored; the first bad one is named.
    const std::optional<double> hc = ScoreText::toNumber(Text1->text());
    if (!hc || !ScoreText::roundToInt16(*hc))
        return refuse(this, Text1, QStringLiteral("HC"), QStringLiteral("数値"));
    const std::optional<double> ob = ScoreText::toNumber(Text2->text());
    if (!ob)
        return refuse(this, Text2, QStringLiteral("OB罰金"), QStringLiteral("数値"));
    const std::optional<qint16> out = ScoreText::toWhole(Text3->text(), 0);
    if (!out)
        return refuse(this, Text3, QStringLiteral("OUT"), QStringLiteral("0から32767までの整数"));
    const std::optional<qint16> in = ScoreText::toWhole(Text4->text(), 0);
    if (!in)
        return refuse(this, Text4, QStringLiteral("IN"), QStringLiteral("0から32767までの整数"));
    const std::optional<qint16> gross = ScoreText::toWhole(Text5->text(), -32768);
    if (!gross || int(*out) + int(*in) > 32767)
        return refuse(this, Text5, QStringLiteral("GROSS"), QStringLiteral("-32768から32767までの整数"));
    const std::optional<qint16> net = ScoreText::toWhole(Text6->text(), -32768);
    if (!net || !ScoreText::roundToInt16(double(*gross) - double(*ScoreText::roundToInt16(*hc))))
        return refuse(this, Text6, QStringLiteral("NET"), QStringLiteral("-32768から32767までの整数"));
    std::optional<double> newHc = 0.0;
    if (!isAddMode() && !Text7->text().trimmed().isEmpty())
        newHc = ScoreText::toNumber(Text7->text());
    if (!newHc)
        return refuse(this, Text7, QStringLiteral("新ＨＣ"), QStringLiteral("数値"));

    ScoreRecord score;
    score.courseId = Module1::CurrentCourseId;
    score.memberId = Combo1->currentData().toInt();
    score.memberName = Combo1->currentText();
    score.hc = *hc;
    score.ob = *ob;
    score.out = *out;
    score.in = *in;
    score.gross = *gross;
    score.net = *net;
    score.newHc = *newHc;
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
    if (Form4 *sheet = WindowRegistry::instance().existing<Form4>())
        sheet->Showtable();
}

void Form5::Command2_Click()
{
    reject();
}
