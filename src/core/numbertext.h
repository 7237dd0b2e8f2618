#pragma once

#include <QString>

#include <optional>

// How numbers are written wherever the user reads them (grids, fields, printouts) and how the
// text the user typed is read back.
namespace NumberText {

// Plain decimal text with every digit of the value and no more: "12", "12.5", "-2",
// "2001684.3". Never an exponent, never rounded to a few digits, never a group separator,
// whatever the user's locale.
QString plain(double value);

// The number a field's text reads as, blanks around it ignored; nothing for text that is not a
// finite number ("12a", "", "1,000", "1e999").
std::optional<double> read(const QString &text);

// A number rounded to the nearest whole number (a half to the even neighbour) that fits 16 bits.
std::optional<qint16> roundToInt16(double value);
std::optional<qint16> readInt16(const QString &text);

// A whole number from `minimum` to 32767, as written: "45" and " 45 " yes, "45.5" no.
std::optional<qint16> readWhole(const QString &text, int minimum);

} // namespace NumberText
