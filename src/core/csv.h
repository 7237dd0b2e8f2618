#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// CSV files as a Japanese spreadsheet program writes and reads them.
namespace Csv {

// What a column of a table holds. A number column holds what the program wrote from a number; a
// text column what a user typed, which may read as a number ("-5" as a name) and is text still.
enum class Column { Text, Number };
using Columns = QVector<Column>; // by column index; a column beyond them is text

// A cell as written into a copy, so that a spreadsheet opening it runs no formula: text that
// begins with =, +, -, @, a tab or a carriage return (what a spreadsheet takes for the start of a
// formula), or with the apostrophe that itself marks "text follows", gets one apostrophe before
// it. A number in a number column stays as it is, so that it stays a number; anything else in
// such a column (an odd stored value) is text.
QString disarmed(const QString &cell, Column column);
// The cell as it was before disarmed(): one leading apostrophe fewer before one of those
// characters; any other cell as it is.
QString rearmed(const QString &cell);

// UTF-8 with a byte-order mark (without one such a program takes the file for Shift_JIS), CRLF
// after every record, RFC 4180 quoting: a field with a comma, a quote or a line break, or with
// blanks at either end, is quoted and its quotes doubled. Every cell disarmed() by its column.
QByteArray encode(const QVector<QStringList> &records, const Columns &columns);

// Writes encode(records, columns) under a temporary name and renames it into place, so an
// existing file is replaced only by a whole one. Returns why it could not, or an empty text.
QString save(const QString &path, const QVector<QStringList> &records, const Columns &columns);

// The text of a file saved as UTF-8 (with or without byte-order mark) or as Shift_JIS in
// Microsoft's variant CP932, which Japanese spreadsheet programs write by default. Nothing
// when the bytes are neither, or hold NUL, which no text file has (a binary or UTF-16 file).
std::optional<QString> decode(const QByteArray &bytes);

struct Record
{
    int line = 0; // the record's row as a spreadsheet numbers it, counting blank rows
    QStringList fields;
};

struct Parsed
{
    QVector<Record> records; // blank rows left out
    int problemLine = 0;     // the row where the text stops being CSV; 0 when it all is
};

// Splits the text into records with libcsv in strict mode. Blanks around an unquoted field are
// dropped, as spreadsheet programs do.
Parsed parse(const QString &text);

} // namespace Csv
