#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct ScoreRecord;

// How the score windows write numbers into their fields and read them back.
namespace ScoreText {

// The label of a sheet place (1 = the first data row): "優勝", "準優勝", "3位", then "4", "5", ...
QString placeLabel(int place);
// The nine cells of a sheet row: place label, name, HC, OB, OUT, IN, GROSS, NET, new HC.
QStringList sheetRowTexts(const ScoreRecord &score, int place);

// Plain decimal text: "12", "12.5", "-2".
QString number(double value);

// The number a field's text reads as, blanks around it ignored; nothing for text that is not a
// finite number ("12a", "", "1e999").
std::optional<double> toNumber(const QString &text);

// A number rounded to the nearest whole number (a half to the even neighbour) that fits 16 bits.
std::optional<qint16> toInt16(const QString &text);
std::optional<qint16> roundToInt16(double value);

// A whole number from `minimum` to 32767, as written: "45" and " 45 " yes, "45.5" no.
std::optional<qint16> toWhole(const QString &text, int minimum);

} // namespace ScoreText
