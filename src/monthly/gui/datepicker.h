#pragma once

#include <QDialog>
#include <QString>

class QCalendarWidget;
class QLabel;

// The date picker: a one-month calendar; a click on a day picks it and closes the window.
class DatePicker : public QDialog
{
    Q_OBJECT

public:
    explicit DatePicker(QWidget *parent = nullptr);

    // Shows the calendar on the date of the caller's box (today in the edited year when the box
    // is empty or holds no date) and returns what the box should now hold: the day clicked, or
    // the box's own text when the window was closed without a click.
    static QString pick(const QString &dateText, int editYear, QWidget *parent = nullptr);

    QCalendarWidget *calendar;
    QLabel *hintBox;

    // The day clicked, as "yyyy/m/d"; empty while no day has been clicked.
    QString pickedText() const { return m_picked; }

    void choose(const QDate &date);

private:
    QString m_picked;
};
