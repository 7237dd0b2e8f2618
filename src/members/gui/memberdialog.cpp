#include "members/gui/memberdialog.h"

#include "core/gui/errorreport.h"
#include "core/gui/windowregistry.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "members/gui/memberlistwindow.h"
#include "members/memberentry.h"
#include "monthly/gui/datepicker.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>

const QString MemberDialog::AddCaption = QStringLiteral("追加");
const QString MemberDialog::EditCaption = QStringLiteral("編集");

namespace {

const QString Title = QStringLiteral("Parvela");

} // namespace

MemberDialog::MemberDialog(QWidget *parent)
    : QDialog(parent)
{
    setFont(Ui::formFont());
    setFixedSize(Twips::toPixels(5790), Twips::toPixels(1215));

    auto makeLabel = [this](const QString &caption, int left, int width) {
        auto *label = new QLabel(caption, this);
        label->setGeometry(Twips::rect(left, 120, width, 240));
        return label;
    };
    auto makeField = [this](int left, int width, bool inputMethod) {
        auto *field = new QLineEdit(this);
        field->setGeometry(Twips::rect(left, 360, width, 270));
        field->setFont(QFont());
        // Names and readings are typed in Japanese; dates and numbers in plain digits.
        field->setAttribute(Qt::WA_InputMethodEnabled, inputMethod);
        if (!inputMethod)
            field->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
        return field;
    };
    Label1 = makeLabel(QStringLiteral("氏名"), 120, 2175);
    Label2 = makeLabel(QStringLiteral("ふりがな"), 2400, 1215);
    Label3 = makeLabel(QStringLiteral("誕生日"), 3720, 1215);
    Label4 = makeLabel(QStringLiteral("HC"), 5280, 375);
    Text1 = makeField(120, 2175, true);
    Text2 = makeField(2400, 1215, true);
    Text3 = makeField(3720, 1215, false);
    Text4 = makeField(5280, 375, false);
    Text4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Command3 = new QPushButton(QStringLiteral("..."), this);
    Command3->setGeometry(Twips::rect(4920, 360, 255, 255));
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setGeometry(Twips::rect(3360, 720, 1095, 375));
    Command1->setEnabled(false);
    Command2 = new QPushButton(QStringLiteral("CANCEL"), this);
    Command2->setGeometry(Twips::rect(4560, 720, 1095, 375));
    for (QPushButton *button : {Command1, Command2, Command3})
        button->setAutoDefault(false);

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Command3);
    setTabOrder(Command3, Text4);
    setTabOrder(Text4, Command1);
    setTabOrder(Command1, Command2);

    for (QLineEdit *field : {Text1, Text2, Text3, Text4})
        connect(field, &QLineEdit::textChanged, this, &MemberDialog::Text_Change);
    connect(Command1, &QPushButton::clicked, this, &MemberDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MemberDialog::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &MemberDialog::Command3_Click);

    new EnterMovesFocus(this);
}

bool MemberDialog::addMode() const
{
    return windowTitle() == AddCaption;
}

MemberEntry::Typed MemberDialog::typed() const
{
    return {Text1->text(), Text2->text(), Text3->text(), Text4->text()};
}

void MemberDialog::Text_Change()
{
    Command1->setEnabled(MemberEntry::complete(typed()));
}

void MemberDialog::Command3_Click()
{
    Text3->setText(Module1::PickDate(Text3->text(), this));
}

void MemberDialog::Command1_Click()
{
    const bool adding = addMode();
    bool taken = false;
    if (adding && !RunReportingErrors(this, [&] { taken = MemberTable::nameTaken(Text1->text()); }))
        return;
    if (taken) {
        MessageBox::information(this, Title, QStringLiteral("既に同じ名前の人がいます\r\n訂正してください"));
        return;
    }
    // Nothing is stored while a field is refused; the dialog stays open on it.
    const Checked<MemberEntry::Values> entered = MemberEntry::check(typed());
    if (entered.error) {
        const std::array<QLineEdit *, 4> fields = {Text1, Text2, Text3, Text4};
        MessageBox::refuseField(fields[static_cast<std::size_t>(entered.error->field)], entered.error->message);
        return;
    }

    const MemberEntry::Values &member = entered.values;
    const bool stored = RunReportingErrors(this, [&] {
        if (adding)
            MemberTable::insert(member.name, member.kana, member.birthday, member.hc);
        else
            MemberTable::update(Module1::EditMemberId, member.name, member.kana, member.birthday, member.hc);
    });
    if (!stored)
        return;
    close();
    if (MemberListWindow *list = WindowRegistry::instance().existing<MemberListWindow>())
        list->Showtable();
}

void MemberDialog::Command2_Click()
{
    close();
}

void MemberDialog::keyPressEvent(QKeyEvent *event)
{
    // The dialog has no cancel key: Esc leaves it open.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
