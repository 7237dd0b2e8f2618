#pragma once

#include <QDialog>
#include <QString>

class QCalendarWidget;
class QDate;
class QLabel;
class QLineEdit;

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
    // The same for a play date: a box without a date opens the competition's month.
    static QString pickPlayDate(const QString &dateText, int year, int month, QWidget *parent = nullptr);
    // The day the calendar opens on: the box's date, else today's day of the month (the last
    // day of a shorter month) in that year and month, else today.
    static QDate openingDate(const QString &dateText, int year, int month, const QDate &today);

    // Before a play date is stored: one that the calendar reads but that lies outside the
    // competition's year and month is asked about once. False, with the box focused, when the
    // user does not mean it.
    static bool confirmPlayDate(QWidget *window, QLineEdit &box, int year, int month);

    QCalendarWidget *calendar;
    QLabel *hintBox;

    // The day clicked, as "yyyy/m/d"; empty while no day has been clicked.
    QString pickedText() const { return m_picked; }

    void choose(const QDate &date);

private:
    static QString pickFrom(const QString &dateText, const QDate &opening, QWidget *parent);

    QString m_picked;
};
