#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <stdexcept>

struct sqlite3_stmt;

// A failed statement. Carries the engine's own text so the user can be told what happened.
class DatabaseError : public std::runtime_error
{
public:
    // Not an engine code: the program itself refused the statement, and the text says why in
    // Japanese.
    static constexpr int RefusedByProgram = -1;

    DatabaseError(const QString &engineText, int engineCode);

    QString engineText() const { return m_engineText; }
    // The driver reports SQLite's extended result codes (the primary code is the low byte).
    int extendedCode() const { return m_engineCode; }

private:
    QString m_engineText;
    int m_engineCode;
};

// Why the database could not be taken into use at start-up; the text is ready to show.
class StartupError : public std::runtime_error
{
public:
    explicit StartupError(const QString &message, bool damaged = false);
    QString message() const { return m_message; }
    // The file is the club's database but cannot be read (not a database any more, cut short,
    // pages overwritten): a copy from the backups may take its place.
    bool damaged() const { return m_damaged; }

private:
    QString m_message;
    bool m_damaged = false;
};

// The one connection of the run. Every statement of the program goes through run()/exec(),
// prepared, with values bound, so that no text a user typed can alter a statement.
namespace Database {

inline constexpr int ApplicationId = 1347573313; // "PRVA"
inline constexpr int SchemaVersion = 1;

// How much of the file open() reads through before taking it into use.
enum class FileCheck {
    WholeFile, // every page, with PRAGMA quick_check: a damaged file is refused
    Identity,  // the header and the application ID; damage elsewhere is reported when met
};

// Opens an existing Parvela database. Refuses a missing file, a file of another program and,
// as far as the check reaches, a damaged file, without writing to it. Throws StartupError.
void open(const QString &path, FileCheck check = FileCheck::WholeFile);
void close();
bool isOpen();
QString path();
// True when the open file is no longer at path(): deleted, moved away or replaced by another
// file since it was opened. The connection still holds the old file; nothing it writes is kept.
bool fileMovedOrDeleted();
QSqlDatabase connection();
// The version of the SQLite library the open connection runs on ("3.40.1").
QString engineVersion();

// The shipped schema's statements, one per entry.
QStringList schemaStatements();

// Creates a new, empty database from the shipped schema. Refuses to overwrite.
// Throws StartupError.
void create(const QString &path);

QSqlQuery run(const QString &statement, const QVariantList &values = {});

// The rows of a query, read straight from the engine: each value is taken as the column it is,
// without the QVariant the driver makes of every value, which costs a table of thousands of rows
// more than reading it. The conversions are the driver's (12.5 read as a whole number is 13).
class Rows
{
public:
    Rows(Rows &&other) noexcept;
    ~Rows();
    Rows(const Rows &) = delete;
    Rows &operator=(const Rows &) = delete;
    Rows &operator=(Rows &&) = delete;

    // Steps to the next row; false after the last. Throws DatabaseError.
    bool next();
    bool isNull(int column) const;
    int integer(int column) const;
    double real(int column) const;
    QString text(int column) const;

private:
    friend Rows read(const QString &statement, const QVariantList &values);
    explicit Rows(sqlite3_stmt *statement);

    sqlite3_stmt *m_statement;
};
// A query on the program's connection, its values bound. Throws DatabaseError.
Rows read(const QString &statement, const QVariantList &values = {});
// A statement without result rows (insert, update, delete). Each statement text is prepared
// once per connection and reused.
void exec(const QString &statement, const QVariantList &values = {});
// The first column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QString &statement, const QVariantList &values = {});
// "?,?,…" with one mark for each value of an "in (…)" list, so the values are bound too.
QString placeholders(qsizetype count);

// Row IDs are 16-bit numbers: a new row's ID is the table's largest + 1.
inline constexpr int MaxId = 32767;
// Largest ID of the table ("Member", "Course" or "Score"), 0 for an empty table (or a value that
// does not fit 16 bits).
qint16 maxId(const QString &table);
// The ID of the next row: the largest ID + 1. Refuses (DatabaseError) once the table has used up
// MaxId, since maxId would then give 0 and the insert would reuse ID 1.
qint16 allocateId(const QString &table);

} // namespace Database

// All statements between construction and commit() take effect together or not at all.
// Nested transactions join the outer one.
class Transaction
{
public:
    Transaction();
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    bool m_outermost = false;
    bool m_done = false;
};
