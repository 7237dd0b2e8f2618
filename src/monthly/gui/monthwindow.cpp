#include "monthly/gui/monthwindow.h"

#include "monthly/gui/competitiondialog.h"
#include "monthly/gui/scoresheetwindow.h"

#include "annual/gui/annualsummarywindow.h"

#include "core/coursetable.h"
#include "core/gui/errorreport.h"
#include "core/settingsrecord.h"
#include "platform/gui/widgets.h"

#include <QLabel>
#include <QPushButton>

const QString MonthWindow::KeyHint =
    QStringLiteral("１月～９月は1～9\r\n１０月～１２月はA～C\r\n年間は0のキーに対応しています");

MonthWindow::MonthWindow(const SettingsRecord &settings, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_settings(settings)
{
    setWindowTitle(QStringLiteral("編集月選択"));
    setFont(Ui::formFont());
    setFixedSize(Twips::toPixels(2670), Twips::toPixels(3870));

    yearLabel = new QLabel(this);
    yearLabel->setGeometry(Twips::rect(120, 0, 2385, 285));
    QFont yearFont = Ui::formFont();
    yearFont.setPointSizeF(14.25);
    yearLabel->setFont(yearFont);

    static constexpr std::array<int, 4> Lefts = {120, 720, 1320, 1920};
    static constexpr std::array<int, 3> Tops = {480, 1080, 1680};
    for (int index = 0; index < 12; ++index) {
        auto *button = new QPushButton(QString::number(index + 1) + QStringLiteral("月"), this);
        button->setGeometry(Twips::rect(Lefts[index % 4], Tops[index / 4], 615, 615));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, index] { openMonth(index + 1); });
        monthButtons[index] = button;
    }

    annualButton = new QPushButton(QStringLiteral("年間"), this);
    annualButton->setGeometry(Twips::rect(120, 2400, 1095, 615));
    annualButton->setAutoDefault(false);
    connect(annualButton, &QPushButton::clicked, this, &MonthWindow::openAnnualSummary);

    closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    closeButton->setGeometry(Twips::rect(1320, 2640, 1215, 375));
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    hintBox = new QLabel(this);
    hintBox->setGeometry(Twips::rect(0, 3120, 2655, 735));
    Ui::makeHintBox(*hintBox);
    hintBox->setText(KeyHint);

    // Children were created in tab order: months 1 … 12, 年間, 閉じる.
    new KeyPreview(this, [this](int key) { return shortcutKey(key); });
    new EnterPressesButtons(this);
}

bool MonthWindow::shortcutKey(int key)
{
    // The key code alone decides, so the numeric keypad, Shift+5 and Shift+A count as well.
    if (key >= Qt::Key_1 && key <= Qt::Key_9) {
        monthButtons[key - Qt::Key_1]->click();
        return true;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_C) {
        monthButtons[9 + key - Qt::Key_A]->click();
        return true;
    }
    if (key == Qt::Key_0) {
        annualButton->click();
        return true;
    }
    return false;
}

void MonthWindow::showYear()
{
    yearLabel->setText(QString::number(m_settings.editYear) + QStringLiteral("年度"));
}

void MonthWindow::openMonth(int month)
{
    const int year = m_settings.editYear;
    std::optional<CourseRecord> competition;
    if (!RunReportingErrors(this, [&] { competition = CourseTable::firstOfMonth(year, month); }))
        return;
    if (!competition) {
        CompetitionDialog dialog(year, month, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        competition = dialog.competition();
    }
    ScoreSheetWindow sheet(*competition, m_settings, this);
    sheet.reload();
    sheet.exec();
}

void MonthWindow::openAnnualSummary()
{
    AnnualSummaryWindow summary(m_settings, this);
    {
        WaitCursor hourglass;
        summary.reload();
    }
    summary.exec();
}
