#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QVector>

// Members read from a spreadsheet's CSV file (columns 氏名, ふりがな, 誕生日, HC), each row
// judged by the rules of the member dialog before anything is stored.
namespace MemberImport {

// A larger file is no roster: refused before it is read into memory.
inline constexpr qint64 MaxFileBytes = qint64(16) * 1024 * 1024;

enum class Verdict {
    New,
    Duplicate, // the name is taken already, or by an earlier row of the file: not stored
    NoName,
    NoKana,
    ControlInName, // as the member dialog refuses it
    ControlInKana,
    BadBirthday,
    BadHc,
};

struct Row
{
    int line = 0; // as the spreadsheet numbers its rows
    QString name;
    QString kana;
    QString birthday; // as written in the file
    QString hcText;
    Verdict verdict = Verdict::New;
    // Set for a new row: what is stored.
    QString storedBirthday; // "yyyy/m/d", as the calendar writes it
    double hc = 0;
};

struct Preview
{
    QVector<Row> rows;
    QString problem; // why the file as a whole cannot be imported; empty when the rows can be judged
};

// Judges one row against the names taken so far (the members' and those of earlier new rows,
// to which a new row's name is added).
void judge(Row &row, QSet<QString> &takenNames);

// A row that stops the import until the file is mended: a field the member dialog would refuse.
bool isFaulty(const Row &row);

// What the preview shows beside a row: "新規", or what is wrong, naming the field.
QString verdictText(const Row &row);

// Decodes, parses and judges the bytes of a file against the members' names. A header row
// is recognised by the four column names in any order; without one the columns are taken in
// that order. A cell that a CSV copy disarmed is read as it was (Csv::rearmed), so the member
// list's copy imports as it was saved. `freeIds` is how many members can still be added. Reads
// the database only.
Preview read(const QByteArray &bytes, const QSet<QString> &memberNames, int freeIds);
// read() for a file, with the members and free IDs of the open database. Throws DatabaseError.
Preview readFile(const QString &path);

// The counts of a preview's verdicts.
struct Counts
{
    int newRows = 0;
    int duplicates = 0;
    int faulty = 0;
};
Counts countsOf(const QVector<Row> &rows);

// Stores every new row, with IDs allocated as for a member added by hand, in one transaction:
// all or, on an error, none. Duplicates are left out; the preview offers this only while no
// row is faulty. Returns how many were stored. Throws DatabaseError.
int store(const QVector<Row> &rows);

} // namespace MemberImport
