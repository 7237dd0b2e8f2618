#include "monthly/gui/datepicker.h"

#include "core/dates.h"
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

    calendar = new QCalendarWidget(this);
    calendar->setGeometry(0, 0, width(), Twips::toPixels(2280));
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // The font's minimum column is wider than a seventh of the picker: the days would scroll, and
    // the one on the picker's date would hide Sunday or Saturday. Every weekday stays in sight.
    if (auto *days = calendar->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview")))
        days->horizontalHeader()->setMinimumSectionSize(1);

    hintBox = new QLabel(QStringLiteral("年をクリックすると、年毎に移動できるボタンが表示されます"), this);
    hintBox->setGeometry(Twips::rect(0, 2280, 2380, 735));
    hintBox->setWordWrap(true);
    hintBox->setFrameShape(QFrame::Box);
    hintBox->setAutoFillBackground(true);
    hintBox->setStyleSheet(QStringLiteral("background: white;"));

    connect(calendar, &QCalendarWidget::clicked, this, &DatePicker::choose);
}

void DatePicker::choose(const QDate &date)
{
    m_picked = Dates::format(date);
    accept();
}

QString DatePicker::pick(const QString &dateText, int editYear, QWidget *parent)
{
    DatePicker picker(parent);
    const QDate shown = Dates::parse(dateText);
    if (shown.isValid()) {
        picker.calendar->setSelectedDate(shown);
    } else {
        const QDate today = QDate::currentDate();
        QDate inEditedYear(editYear, today.month(), 1);
        inEditedYear = inEditedYear.addDays(qMin(today.day(), inEditedYear.daysInMonth()) - 1);
        picker.calendar->setSelectedDate(inEditedYear.isValid() ? inEditedYear : today);
    }
    picker.calendar->setCurrentPage(picker.calendar->selectedDate().year(), picker.calendar->selectedDate().month());
    if (picker.exec() != QDialog::Accepted)
        return dateText;
    return picker.pickedText();
}
