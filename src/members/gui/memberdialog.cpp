#include "members/gui/memberdialog.h"

#include "core/gui/errorreport.h"
#include "core/membertable.h"
#include "core/numbertext.h"
#include "members/memberentry.h"
#include "monthly/gui/datepicker.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>

namespace {

const QString Title = QStringLiteral("Parvela");

} // namespace

MemberDialog::MemberDialog(EntryMode mode, const MemberRecord &member, int editYear, QWidget *parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_memberId(member.id)
    , m_editYear(editYear)
{
    setWindowTitle(Ui::captionOf(mode));
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
    nameLabel = makeLabel(QStringLiteral("氏名"), 120, 2175);
    kanaLabel = makeLabel(QStringLiteral("ふりがな"), 2400, 1215);
    birthdayLabel = makeLabel(QStringLiteral("誕生日"), 3720, 1215);
    hcLabel = makeLabel(QStringLiteral("HC"), 5280, 375);
    nameEdit = makeField(120, 2175, true);
    kanaEdit = makeField(2400, 1215, true);
    birthdayEdit = makeField(3720, 1215, false);
    hcEdit = makeField(5280, 375, false);
    hcEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    pickDateButton = new QPushButton(QStringLiteral("..."), this);
    pickDateButton->setGeometry(Twips::rect(4920, 360, 255, 255));
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setGeometry(Twips::rect(3360, 720, 1095, 375));
    okButton->setEnabled(false);
    cancelButton = new QPushButton(QStringLiteral("CANCEL"), this);
    cancelButton->setGeometry(Twips::rect(4560, 720, 1095, 375));
    for (QPushButton *button : {okButton, cancelButton, pickDateButton})
        button->setAutoDefault(false);

    setTabOrder(nameEdit, kanaEdit);
    setTabOrder(kanaEdit, birthdayEdit);
    setTabOrder(birthdayEdit, pickDateButton);
    setTabOrder(pickDateButton, hcEdit);
    setTabOrder(hcEdit, okButton);
    setTabOrder(okButton, cancelButton);

    for (QLineEdit *field : {nameEdit, kanaEdit, birthdayEdit, hcEdit})
        connect(field, &QLineEdit::textChanged, this, &MemberDialog::updateOkButton);
    connect(okButton, &QPushButton::clicked, this, &MemberDialog::store);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::close);
    connect(pickDateButton, &QPushButton::clicked, this, &MemberDialog::pickDate);

    new EnterMovesFocus(this);

    if (mode == EntryMode::Edit) {
        nameEdit->setText(member.name);
        kanaEdit->setText(member.kana);
        birthdayEdit->setText(member.birthday);
        hcEdit->setText(NumberText::plain(member.hc));
    }
}

MemberEntry::Typed MemberDialog::typed() const
{
    return {nameEdit->text(), kanaEdit->text(), birthdayEdit->text(), hcEdit->text()};
}

void MemberDialog::updateOkButton()
{
    okButton->setEnabled(MemberEntry::complete(typed()));
}

void MemberDialog::pickDate()
{
    birthdayEdit->setText(DatePicker::pick(birthdayEdit->text(), m_editYear, this));
}

void MemberDialog::store()
{
    const bool adding = m_mode == EntryMode::Add;
    bool taken = false;
    if (adding && !RunReportingErrors(this, [&] { taken = MemberTable::nameTaken(nameEdit->text()); }))
        return;
    if (taken) {
        MessageBox::information(this, Title, QStringLiteral("既に同じ名前の人がいます\r\n訂正してください"));
        return;
    }
    // Nothing is stored while a field is refused; the dialog stays open on it.
    const Checked<MemberEntry::Values> entered = MemberEntry::check(typed());
    if (entered.error) {
        const std::array<QLineEdit *, 4> fields = {nameEdit, kanaEdit, birthdayEdit, hcEdit};
        MessageBox::refuseField(fields[static_cast<std::size_t>(entered.error->field)], entered.error->message);
        return;
    }

    const MemberEntry::Values &member = entered.values;
    const bool stored = RunReportingErrors(this, [&] {
        if (adding)
            MemberTable::insert(member.name, member.kana, member.birthday, member.hc);
        else
            MemberTable::update(m_memberId, member.name, member.kana, member.birthday, member.hc);
    });
    if (!stored)
        return;
    accept();
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
