#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// CSV files as a Japanese spreadsheet program writes and reads them.
namespace Csv {

// UTF-8 with a byte-order mark (without one such a program takes the file for Shift_JIS), CRLF
// after every record, RFC 4180 quoting: a field with a comma, a quote or a line break, or with
// blanks at either end, is quoted and its quotes doubled.
QByteArray encode(const QVector<QStringList> &records);

// Writes encode(records) under a temporary name and renames it into place, so an existing
// file is replaced only by a whole one. Returns why it could not, or an empty text.
QString save(const QString &path, const QVector<QStringList> &records);

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
