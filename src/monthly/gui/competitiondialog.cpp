#include "monthly/gui/competitiondialog.h"

#include "monthly/competitionentry.h"
#include "monthly/coursehistory.h"
#include "monthly/gui/datepicker.h"
#include "monthly/gui/scoresheetwindow.h"

#include "core/coursetable.h"
#include "core/gui/errorreport.h"
#include "core/module1.h"
#include "platform/gui/widgets.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CompetitionDialog::CompetitionDialog(QWidget *parent)
    : QDialog(parent)
{
    setFont(Ui::formFont());
    setFixedSize(Twips::toPixels(4095), Twips::toPixels(1215));

    Label3 = new QLabel(QStringLiteral("プレイ日"), this);
    Label3->move(Twips::toPixels(120), Twips::toPixels(120));
    Label1 = new QLabel(QStringLiteral("コース名"), this);
    Label1->move(Twips::toPixels(1560), Twips::toPixels(120));

    QFont fieldFont = Ui::formFont();
    fieldFont.setBold(false);

    boxDate = new QLineEdit(this);
    boxDate->setGeometry(Twips::rect(120, 360, 1095, 270));
    boxDate->setFont(fieldFont);
    boxDate->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);

    Command3 = new QPushButton(QStringLiteral("..."), this);
    Command3->setGeometry(Twips::rect(1200, 360, 255, 255));
    Command3->setAutoDefault(false);

    boxCourse = new QComboBox(this);
    boxCourse->setEditable(true);
    boxCourse->setInsertPolicy(QComboBox::NoInsert);
    boxCourse->setGeometry(Twips::toPixels(1560), Twips::toPixels(360), Twips::toPixels(2415),
                           boxCourse->sizeHint().height());
    boxCourse->setFont(fieldFont);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setGeometry(Twips::rect(1680, 720, 1095, 375));
    Command1->setAutoDefault(false);
    Command1->setEnabled(false);

    Command2 = new QPushButton(QStringLiteral("CANCEL"), this);
    Command2->setGeometry(Twips::rect(2880, 720, 1095, 375));
    Command2->setAutoDefault(false);

    setTabOrder(boxDate, Command3);
    setTabOrder(Command3, boxCourse);
    setTabOrder(boxCourse, Command1);
    setTabOrder(Command1, Command2);

    // Form_Load: the remembered names newest first; both boxes start empty.
    boxCourse->addItems(CourseHistory::names());
    boxCourse->setCurrentIndex(-1);
    boxCourse->clearEditText();

    connect(boxDate, &QLineEdit::textChanged, this, &CompetitionDialog::updateOkButton);
    connect(boxCourse, &QComboBox::editTextChanged, this, &CompetitionDialog::updateOkButton);
    connect(boxCourse, &QComboBox::activated, this, &CompetitionDialog::updateOkButton);
    connect(Command1, &QPushButton::clicked, this, &CompetitionDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &CompetitionDialog::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &CompetitionDialog::Command3_Click);
    new EnterPressesButtons(this);
    boxDate->setFocus();
}

void CompetitionDialog::updateOkButton()
{
    Command1->setEnabled(!CompetitionEntry::check(boxDate->text(), boxCourse->currentText()).error);
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

void CompetitionDialog::Command3_Click()
{
    boxDate->setText(Module1::PickDate(boxDate->text(), this));
}

void CompetitionDialog::Command2_Click()
{
    reject();
}

void CompetitionDialog::Command1_Click()
{
    const Checked<CompetitionEntry::Values> entered =
        CompetitionEntry::check(boxDate->text(), boxCourse->currentText());
    if (entered.error)
        return; // OK is not offered then
    const QString &date = entered.values.playDate;
    const QString &name = entered.values.courseName;
    std::optional<CourseRecord> course;
    bool historySaved = true;
    const bool stored = RunReportingErrors(this, [&] {
        historySaved = CourseHistory::remember(name);
        CourseTable::insert(Module1::Settings.EditYear, Module1::CurrentMonth, date, name);
        course = CourseTable::firstOfMonth(Module1::Settings.EditYear, Module1::CurrentMonth);
    });
    if (!stored || !course)
        return; // told the user; the dialog stays open with what was typed
    if (!historySaved)
        ReportSettingsNotSaved(this);
    // The sheet belongs to the month selection window, not to this dialog, which is gone once
    // the sheet opens.
    QWidget *owner = parentWidget();
    accept();
    ScoreSheetWindow::ShowCompetition(owner, *course);
}
