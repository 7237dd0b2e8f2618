#include "monthly/gui/datepicker.h"

#include "core/dates.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QCalendarWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
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

QDate DatePicker::openingDate(const QString &dateText, int year, int month, const QDate &today)
{
    const QDate inBox = Dates::parse(dateText);
    if (inBox.isValid())
        return inBox;
    const QDate first(year, month, 1);
    return first.isValid() ? first.addDays(qMin(today.day(), first.daysInMonth()) - 1) : today;
}

QString DatePicker::pick(const QString &dateText, int editYear, QWidget *parent)
{
    const QDate today = QDate::currentDate();
    return pickFrom(dateText, openingDate(dateText, editYear, today.month(), today), parent);
}

QString DatePicker::pickPlayDate(const QString &dateText, int year, int month, QWidget *parent)
{
    return pickFrom(dateText, openingDate(dateText, year, month, QDate::currentDate()), parent);
}

QString DatePicker::pickFrom(const QString &dateText, const QDate &opening, QWidget *parent)
{
    DatePicker picker(parent);
    picker.calendar->setSelectedDate(opening);
    picker.calendar->setCurrentPage(opening.year(), opening.month());
    if (picker.exec() != QDialog::Accepted)
        return dateText;
    return picker.pickedText();
}

bool DatePicker::confirmPlayDate(QWidget *window, QLineEdit &box, int year, int month)
{
    const QDate date = Dates::parse(box.text());
    if (!date.isValid() || (date.year() == year && date.month() == month))
        return true;
    const QString question =
        QStringLiteral("プレイ日 %1 は、%2年%3月の月例会の月ではありません。\nこの日付で保存しますか？")
            .arg(box.text())
            .arg(year)
            .arg(month);
    if (MessageBox::show(window, QMessageBox::Question, QStringLiteral("Parvela"), question,
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes)
        return true;
    box.setFocus();
    box.selectAll();
    return false;
}
