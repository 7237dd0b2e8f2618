#include "monthly/gui/datepicker.h"

#include "core/dates.h"
#include "core/module1.h"
#include "platform/gui/widgets.h"

#include <QCalendarWidget>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

DatePicker::DatePicker(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("日付指定"));
    setFixedSize(Twips::toPixels(2400), Twips::toPixels(3015));

    MonthView1 = new QCalendarWidget(this);
    MonthView1->setGeometry(0, 0, width(), Twips::toPixels(2280));
    MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // The font's minimum column is wider than a seventh of the picker: the days would scroll, and
    // the one on the picker's date would hide Sunday or Saturday. Every weekday stays in sight.
    if (auto *days = MonthView1->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview")))
        days->horizontalHeader()->setMinimumSectionSize(1);

    Label1 = new QLabel(QStringLiteral("年をクリックすると、年毎に移動できるボタンが表示されます"), this);
    Label1->setGeometry(Twips::rect(0, 2280, 2380, 735));
    Label1->setWordWrap(true);
    Label1->setFrameShape(QFrame::Box);
    Label1->setAutoFillBackground(true);
    Label1->setStyleSheet(QStringLiteral("background: white;"));

    connect(MonthView1, &QCalendarWidget::clicked, this, &DatePicker::MonthView1_DateClick);
}

void DatePicker::MonthView1_DateClick(const QDate &date)
{
    m_picked = Dates::format(date);
    accept();
}

namespace Module1 {

QString PickDate(const QString &dateText, QWidget *parent)
{
    DatePicker picker(parent);
    const QDate shown = Dates::parse(dateText);
    if (shown.isValid()) {
        picker.MonthView1->setSelectedDate(shown);
    } else {
        const QDate today = QDate::currentDate();
        QDate inEditedYear(Settings.EditYear, today.month(), 1);
        inEditedYear = inEditedYear.addDays(qMin(today.day(), inEditedYear.daysInMonth()) - 1);
        picker.MonthView1->setSelectedDate(inEditedYear.isValid() ? inEditedYear : today);
    }
    picker.MonthView1->setCurrentPage(picker.MonthView1->selectedDate().year(),
                                      picker.MonthView1->selectedDate().month());
    if (picker.exec() != QDialog::Accepted)
        return dateText;
    return picker.pickedText();
}

} // namespace Module1
