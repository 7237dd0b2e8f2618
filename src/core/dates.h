#pragma once

#include <QDate>
#include <QString>

// Dates are kept as the text the user or the calendar wrote ("yyyy/m/d"); these read them back.
namespace Dates {

// Reads "2003/5/18", "2003/05/18" and "2003-05-18"; an invalid QDate for anything else.
QDate parse(const QString &text);
// The form the calendar writes: "yyyy/m/d".
QString format(const QDate &date);

// Orders birthdays, as parse() read them, by age: earlier dates first, texts that were not
// dates (invalid QDates) after every date. Returns <0, 0, >0.
int compareBirthdays(const QDate &left, const QDate &right);

} // namespace Dates
