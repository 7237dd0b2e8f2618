#pragma once

#include <QString>

// What the user is told about a failed statement: the real cause and what to do about it, in
// Japanese. The engine's own text ("unable to open database file") names neither.
namespace DatabaseErrorText {

struct Context
{
    QString databasePath;
    // The file at databasePath is gone or is another file than the one opened: whatever the
    // engine says then (read-only, cannot open, I/O), that is the cause.
    bool fileMovedOrDeleted = false;
};

// The cause for an extended SQLite result code; empty for DatabaseError::RefusedByProgram,
// whose own text already says why.
QString cause(int extendedCode, const Context &context);

} // namespace DatabaseErrorText
