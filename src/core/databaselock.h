#pragma once

#include <QString>

#include <memory>

class QLockFile;

// One program per database: a lock file beside the database, held for the whole run, as an
// office suite keeps one beside an open document. A lock left by a program that no longer runs on
// this computer (killed, or lost with the power) is taken over.
class DatabaseLock
{
public:
    enum class State {
        Held,     // ours until destroyed
        InUse,    // another Parvela has the database open: the run must not go on
        Unlocked, // the lock cannot be made beside the database: the run may go on, at a risk
    };

    explicit DatabaseLock(const QString &databasePath);
    ~DatabaseLock();
    DatabaseLock(const DatabaseLock &) = delete;
    DatabaseLock &operator=(const DatabaseLock &) = delete;

    State state() const { return m_state; }
    // For InUse and Unlocked, what to tell the user; empty when held.
    QString message() const { return m_message; }

    // "parvela.mdb" → ".parvela.mdb.lock" in the same folder.
    static QString pathFor(const QString &databasePath);

private:
    std::unique_ptr<QLockFile> m_lock;
    State m_state = State::Unlocked;
    QString m_message;
};
