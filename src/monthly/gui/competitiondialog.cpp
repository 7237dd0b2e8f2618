#include "monthly/gui/competitiondialog.h"

#include "monthly/competitionentry.h"
#include "monthly/coursehistory.h"
#include "monthly/gui/datepicker.h"

#include "core/coursetable.h"
#include "core/gui/errorreport.h"
#include "platform/gui/widgets.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CompetitionDialog::CompetitionDialog(int year, int month, QWidget *parent)
    : QDialog(parent)
{
    m_competition.year = year;
    m_competition.month = month;
    setWindowTitle(QStringLiteral("新規入力-%1年%2月").arg(year).arg(month));
    setFont(Ui::formFont());
    setFixedSize(Twips::toPixels(4095), Twips::toPixels(1215));

    playDateLabel = new QLabel(QStringLiteral("プレイ日"), this);
    playDateLabel->move(Twips::toPixels(120), Twips::toPixels(120));
    courseLabel = new QLabel(QStringLiteral("コース名"), this);
    courseLabel->move(Twips::toPixels(1560), Twips::toPixels(120));

    QFont fieldFont = Ui::formFont();
    fieldFont.setBold(false);

    playDateEdit = new QLineEdit(this);
    playDateEdit->setGeometry(Twips::rect(120, 360, 1095, 270));
    playDateEdit->setFont(fieldFont);
    playDateEdit->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);

    pickDateButton = new QPushButton(QStringLiteral("..."), this);
    pickDateButton->setGeometry(Twips::rect(1200, 360, 255, 255));
    pickDateButton->setAutoDefault(false);

    courseCombo = new QComboBox(this);
    courseCombo->setEditable(true);
    courseCombo->setInsertPolicy(QComboBox::NoInsert);
    courseCombo->setGeometry(Twips::toPixels(1560), Twips::toPixels(360), Twips::toPixels(2415),
                             courseCombo->sizeHint().height());
    courseCombo->setFont(fieldFont);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setGeometry(Twips::rect(1680, 720, 1095, 375));
    okButton->setAutoDefault(false);
    okButton->setEnabled(false);

    cancelButton = new QPushButton(QStringLiteral("CANCEL"), this);
    cancelButton->setGeometry(Twips::rect(2880, 720, 1095, 375));
    cancelButton->setAutoDefault(false);

    setTabOrder(playDateEdit, pickDateButton);
    setTabOrder(pickDateButton, courseCombo);
    setTabOrder(courseCombo, okButton);
    setTabOrder(okButton, cancelButton);

    // The remembered names newest first; both boxes start empty.
    courseCombo->addItems(CourseHistory::names());
    courseCombo->setCurrentIndex(-1);
    courseCombo->clearEditText();

    connect(playDateEdit, &QLineEdit::textChanged, this, &CompetitionDialog::updateOkButton);
    connect(courseCombo, &QComboBox::editTextChanged, this, &CompetitionDialog::updateOkButton);
    connect(courseCombo, &QComboBox::activated, this, &CompetitionDialog::updateOkButton);
    connect(okButton, &QPushButton::clicked, this, &CompetitionDialog::store);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(pickDateButton, &QPushButton::clicked, this, &CompetitionDialog::pickDate);
    new EnterPressesButtons(this);
    playDateEdit->setFocus();
}

void CompetitionDialog::updateOkButton()
{
    okButton->setEnabled(!CompetitionEntry::check(playDateEdit->text(), courseCombo->currentText()).error);
}

void CompetitionDialog::keyPressEvent(QKeyEvent *event)
{
    // Esc has no function here: only CANCEL and the close box leave without storing.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CompetitionDialog::pickDate()
{
    playDateEdit->setText(
        DatePicker::pickPlayDate(playDateEdit->text(), m_competition.year, m_competition.month, this));
}

void CompetitionDialog::store()
{
    const Checked<CompetitionEntry::Values> entered =
        CompetitionEntry::check(playDateEdit->text(), courseCombo->currentText());
    if (entered.error)
        return; // OK is not offered then
    if (!DatePicker::confirmPlayDate(this, *playDateEdit, m_competition.year, m_competition.month))
        return;
    const QString &date = entered.values.playDate;
    const QString &name = entered.values.courseName;
    std::optional<CourseRecord> course;
    bool historySaved = true;
    const bool stored = RunReportingErrors(this, [&] {
        historySaved = CourseHistory::remember(name);
        CourseTable::insert(m_competition.year, m_competition.month, date, name);
        course = CourseTable::firstOfMonth(m_competition.year, m_competition.month);
    });
    if (!stored || !course)
        return; // told the user; the dialog stays open with what was typed
    if (!historySaved)
        ReportSettingsNotSaved(this);
    m_competition = *course;
    accept();
}
