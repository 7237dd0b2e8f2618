#include "core/undohistory.h"

#include "core/database.h"

#include <QScopeGuard>
#include <QSqlDriver>

// Debian's libsqlite3, the one Qt's driver runs on, carries the session extension; its header
// declares it only on request.
#define SQLITE_ENABLE_SESSION
#define SQLITE_ENABLE_PREUPDATE_HOOK
#include <sqlite3.h>

#include <memory>

namespace {

// The program's connection, or null when there is none.
sqlite3 *openHandle()
{
    const QVariant handle = Database::connection().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

sqlite3 *connectionHandle()
{
    sqlite3 *const db = openHandle();
    if (!db)
        throw DatabaseError(QStringLiteral("変更の記録にはデータベースの接続が必要です。"), DatabaseError::RefusedByProgram);
    return db;
}

[[noreturn]] void throwEngineError(sqlite3 *db)
{
    throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)), sqlite3_extended_errcode(db));
}

void check(sqlite3 *db, int resultCode)
{
    if (resultCode != SQLITE_OK)
        throwEngineError(db);
}

struct FreeSqlite
{
    void operator()(void *buffer) const { sqlite3_free(buffer); }
};
using SqliteBuffer = std::unique_ptr<void, FreeSqlite>;

// Any row that no longer holds what the step left in it means the records changed behind the
// program's back: the whole step is refused rather than half of it applied.
int refuseOnConflict(void *, int, sqlite3_changeset_iter *)
{
    return SQLITE_CHANGESET_ABORT;
}

QByteArray inverted(sqlite3 *db, const QByteArray &changeset)
{
    int size = 0;
    void *buffer = nullptr;
    check(db, sqlite3changeset_invert(int(changeset.size()), const_cast<char *>(changeset.constData()), &size, &buffer));
    const SqliteBuffer owner(buffer);
    return QByteArray(static_cast<const char *>(buffer), size);
}

} // namespace

UndoHistory::UndoHistory(QObject *parent)
    : QObject(parent)
{
}

UndoHistory::~UndoHistory() = default;

bool UndoHistory::record(const QString &name, const std::function<void()> &action)
{
    return record(action, [&name] { return name; });
}

bool UndoHistory::record(const std::function<void()> &action, const std::function<QString()> &name)
{
    if (m_recording) {
        action();
        return false;
    }
    sqlite3 *db = connectionHandle();
    sqlite3_session *session = nullptr;
    check(db, sqlite3session_create(db, "main", &session));
    std::unique_ptr<sqlite3_session, decltype(&sqlite3session_delete)> owner(session, sqlite3session_delete);
    check(db, sqlite3session_attach(session, nullptr));
    {
        m_recording = true;
        const auto recorded = qScopeGuard([this] { m_recording = false; });
        action();
    }
    // An action that replaced the connection (it reopened the file) left the session on a
    // connection that is gone, possibly with a new one at the same address: only the session's
    // own hook on the live connection tells. Such a session is let go untouched, and no step is
    // kept, since what the action wrote was not seen.
    sqlite3 *const live = openHandle();
    if (live != db || sqlite3_preupdate_hook(live, nullptr, nullptr) != session) {
        static_cast<void>(owner.release());
        return false;
    }
    int size = 0;
    void *buffer = nullptr;
    check(db, sqlite3session_changeset(session, &size, &buffer));
    const SqliteBuffer changes(buffer);
    if (size == 0)
        return false;
    m_done.push_back({name(), QByteArray(static_cast<const char *>(buffer), size)});
    m_undone.clear();
    keepWithinLimits();
    emit changed();
    return true;
}

QString UndoHistory::undoName() const
{
    return m_done.empty() ? QString() : m_done.back().name;
}

QString UndoHistory::redoName() const
{
    return m_undone.empty() ? QString() : m_undone.back().name;
}

QString UndoHistory::undo()
{
    return moveStep(m_done, m_undone, true);
}

QString UndoHistory::redo()
{
    return moveStep(m_undone, m_done, false);
}

// Applies the last step of `from` (its inverse for an undo) and moves it to `to`; on a refusal
// both stay as they were.
QString UndoHistory::moveStep(std::deque<Step> &from, std::deque<Step> &to, bool inverse)
{
    if (from.empty())
        return QString();
    const QString name = from.back().name;
    if (inverse)
        apply(inverted(connectionHandle(), from.back().changeset), QStringLiteral("「%1」を元に戻せません。").arg(name));
    else
        apply(from.back().changeset, QStringLiteral("「%1」をやり直せません。").arg(name));
    to.push_back(std::move(from.back()));
    from.pop_back();
    emit changed();
    emit recordsRestored((inverse ? QStringLiteral("元に戻しました：%1") : QStringLiteral("やり直しました：%1")).arg(name));
    return name;
}

void UndoHistory::clear()
{
    if (m_done.empty() && m_undone.empty())
        return;
    m_done.clear();
    m_undone.clear();
    emit changed();
}

void UndoHistory::apply(const QByteArray &changeset, const QString &refusal)
{
    sqlite3 *db = connectionHandle();
    // The changes are applied inside a savepoint of their own: on a conflict or a failed
    // statement every change of the step made so far is rolled back.
    const int result = sqlite3changeset_apply(db, int(changeset.size()), const_cast<char *>(changeset.constData()),
                                              nullptr, refuseOnConflict, nullptr);
    if (result == SQLITE_ABORT) {
        throw DatabaseError(refusal + QStringLiteral("そのあとで、同じ記録が別のプログラムから変更されています。"
                                                     "何も変更していません。"),
                            DatabaseError::RefusedByProgram);
    }
    if (result != SQLITE_OK)
        throwEngineError(db);
}

void UndoHistory::keepWithinLimits()
{
    qsizetype bytes = 0;
    for (const Step &step : m_done)
        bytes += step.changeset.size();
    while (!m_done.empty() && (int(m_done.size()) > KeptSteps || bytes > KeptBytes)) {
        bytes -= m_done.front().changeset.size();
        m_done.pop_front();
    }
}
