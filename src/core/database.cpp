#include "core/database.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QStringList>

#include <sqlite3.h>

#include <optional>
#include <utility>

#include <sys/stat.h>

// The schema is compiled into the static library; its resources must be registered by hand.
static void registerSchemaResource()
{
    Q_INIT_RESOURCE(data);
}

namespace {

const char ConnectionName[] = "parvela";
int g_transactionDepth = 0;
QString g_path;
// Which file was opened, to tell later whether the path still names it.
struct FileIdentity
{
    dev_t device = 0;
    ino_t inode = 0;
};
std::optional<FileIdentity> g_opened;

std::optional<FileIdentity> identityOf(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino};
}
// Writes prepared once per connection: a calculation runs the same update for every member,
// and preparing costs more than running it.
QHash<QString, QSqlQuery> g_preparedWrites;

DatabaseError errorOf(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return DatabaseError(text, error.nativeErrorCode().toInt());
}

} // namespace

QStringList Database::schemaStatements()
{
    registerSchemaResource();
    QFile file(QStringLiteral(":/parvela/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw StartupError(QStringLiteral("データベースの定義が見つかりません。"));
    QString script;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(QLatin1String("--")))
            script += line + QLatin1Char('\n');
    }
    QStringList statements;
    for (const QString &part : script.split(QLatin1Char(';'))) {
        if (!part.trimmed().isEmpty())
            statements << part.trimmed();
    }
    return statements;
}

namespace {

// SQLITE_READONLY_ROLLBACK: a write interrupted by a crash left its journal, and a read-only
// connection may not roll it back.
constexpr int InterruptedWriteCode = 776;

// Rolls back what an interrupted write left, as the first connection that may write always
// does: the file goes back to its last committed state.
void rollBackInterruptedWrite(const QString &path)
{
    const QString name = QStringLiteral("parvela-rollback");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        if (db.open())
            QSqlQuery(db).exec(QStringLiteral("PRAGMA application_id"));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// Why the file on the open connection is not a Parvela database (or, with WholeFile, not a
// sound one), in the words that follow "データベースファイル「…」は"; empty when it is.
struct Problem
{
    QString text;
    bool damaged = false; // the file is the club's, unreadable: a copy may take its place
};

Problem problemOf(QSqlDatabase &db, const QString &path, Database::FileCheck check)
{
    QSqlQuery query(db);
    // A file another program holds locked is sound: saying it is damaged would send the user to
    // restore a backup for nothing.
    const auto locked = [&query] {
        const int code = query.lastError().nativeErrorCode().toInt() & 0xFF;
        return code == 5 || code == 6;
    };
    bool idRead = query.exec(QStringLiteral("PRAGMA application_id"));
    if (!idRead && query.lastError().nativeErrorCode().toInt() == InterruptedWriteCode) {
        rollBackInterruptedWrite(path);
        idRead = query.exec(QStringLiteral("PRAGMA application_id"));
    }
    if (!idRead || !query.next()) {
        if (locked())
            return {QStringLiteral("他のプログラムに使われているため開けません（%1）")
                        .arg(query.lastError().databaseText())};
        return {QStringLiteral("Parvela のデータベースではないか、壊れています（%1）")
                    .arg(query.lastError().databaseText()),
                true};
    }
    // The program never leaves the file empty: cut to nothing, it is the club's file lost.
    if (QFileInfo(path).size() == 0)
        return {QStringLiteral("空です（0 バイト）"), true};
    if (query.value(0).toInt() != Database::ApplicationId)
        return {QStringLiteral("Parvela のデータベースではありません")};
    if (check == Database::FileCheck::WholeFile) {
        // Mapped, the file's pages are checked where they lie instead of being copied into the
        // cache first: this halves the start-up check of a large club's file.
        query.exec(QStringLiteral("PRAGMA mmap_size=268435456"));
        if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()) {
            if (locked())
                return {QStringLiteral("他のプログラムに使われているため開けません（%1）")
                            .arg(query.lastError().databaseText())};
            return {QStringLiteral("壊れています"), true};
        }
        if (query.value(0).toString() != QLatin1String("ok") || query.next())
            return {QStringLiteral("壊れています"), true};
    }
    return {};
}

StartupError startupError(const QString &path, const Problem &problem)
{
    return StartupError(QStringLiteral("データベースファイル「%1」は%2。").arg(path, problem.text), problem.damaged);
}

// Reads the whole file without writing to it (beyond rolling back an interrupted write): a
// second, read-only connection, whose mapping of the file the program's own connection need not
// keep.
void checkWholeFile(const QString &path)
{
    const QString name = QStringLiteral("parvela-check");
    Problem problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
        problem = db.open() ? problemOf(db, path, Database::FileCheck::WholeFile)
                            : Problem{QStringLiteral("開けません（%1）").arg(db.lastError().text())};
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!problem.text.isEmpty())
        throw startupError(path, problem);
}

} // namespace

DatabaseError::DatabaseError(const QString &engineText, int engineCode)
    : std::runtime_error(engineText.toStdString())
    , m_engineText(engineText)
    , m_engineCode(engineCode)
{
}

StartupError::StartupError(const QString &message, bool damaged)
    : std::runtime_error(message.toStdString())
    , m_message(message)
    , m_damaged(damaged)
{
}

namespace Database {

void open(const QString &path, FileCheck check)
{
    close();
    // The driver would silently create a missing file.
    if (!QFileInfo(path).isFile())
        throw StartupError(QStringLiteral("データベースファイル「%1」が見つかりません。").arg(path));
    if (check == FileCheck::WholeFile)
        checkWholeFile(path);

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(ConnectionName));
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    std::optional<StartupError> refused;
    if (!db.open()) {
        refused = StartupError(
            QStringLiteral("データベースファイル「%1」を開けません（%2）。").arg(path, db.lastError().text()));
    } else if (check == FileCheck::Identity) {
        // The identity alone is read on the program's own connection, which writes nothing for
        // it either: a second connection would cost a later start as much again as the opening.
        if (const Problem problem = problemOf(db, path, check); !problem.text.isEmpty())
            refused = startupError(path, problem);
    }
    if (refused) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QLatin1String(ConnectionName));
        throw *refused;
    }
    g_path = path;
    g_opened = identityOf(path);
    g_transactionDepth = 0;
}

void close()
{
    if (!QSqlDatabase::contains(QLatin1String(ConnectionName)))
        return;
    // The connection cannot be removed while a query of it lives.
    g_preparedWrites.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(QLatin1String(ConnectionName), false);
        db.close();
    }
    QSqlDatabase::removeDatabase(QLatin1String(ConnectionName));
    g_path.clear();
    g_opened.reset();
    g_transactionDepth = 0;
}

bool isOpen()
{
    return QSqlDatabase::contains(QLatin1String(ConnectionName))
           && QSqlDatabase::database(QLatin1String(ConnectionName), false).isOpen();
}

QString path()
{
    return g_path;
}

bool fileMovedOrDeleted()
{
    if (g_path.isEmpty() || !g_opened)
        return false;
    const std::optional<FileIdentity> now = identityOf(g_path);
    return !now || now->device != g_opened->device || now->inode != g_opened->inode;
}

QSqlDatabase connection()
{
    return QSqlDatabase::database(QLatin1String(ConnectionName), false);
}

QString engineVersion()
{
    return scalar(QStringLiteral("select sqlite_version()")).toString();
}

void create(const QString &path)
{
    if (QFileInfo::exists(path))
        throw StartupError(QStringLiteral("「%1」は既にあります。上書きはしません。").arg(path));
    const QStringList statements = schemaStatements();
    const QString name = QStringLiteral("parvela-create");
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            problem = db.lastError().text();
        } else {
            QSqlQuery query(db);
            db.transaction();
            for (const QString &statement : statements) {
                if (!query.exec(statement)) {
                    problem = query.lastError().text();
                    break;
                }
            }
            if (problem.isEmpty())
                db.commit();
            else
                db.rollback();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!problem.isEmpty()) {
        QFile::remove(path);
        throw StartupError(QStringLiteral("「%1」を作成できません（%2）。").arg(path, problem));
    }
}

QSqlQuery run(const QString &statement, const QVariantList &values)
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        throw errorOf(query.lastError());
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw errorOf(query.lastError());
    return query;
}

void exec(const QString &statement, const QVariantList &values)
{
    auto prepared = g_preparedWrites.find(statement);
    if (prepared == g_preparedWrites.end()) {
        QSqlQuery query(connection());
        if (!query.prepare(statement))
            throw errorOf(query.lastError());
        prepared = g_preparedWrites.insert(statement, query);
    }
    QSqlQuery &query = *prepared;
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    const bool done = query.exec();
    const QSqlError error = query.lastError();
    // Reset at once, so that no statement is left unfinished (VACUUM and COMMIT wait for those).
    query.finish();
    if (!done)
        throw errorOf(error);
}

namespace {

// The driver's own connection: what the engine reads on it, it reads in the program's transaction.
sqlite3 *engineConnection()
{
    const QVariant handle = connection().driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0 || !*static_cast<sqlite3 *const *>(handle.constData()))
        throw DatabaseError(QStringLiteral("no database open"), SQLITE_MISUSE);
    return *static_cast<sqlite3 *const *>(handle.constData());
}

// As the driver reports a failed statement: the engine's text and its extended code.
DatabaseError engineError(sqlite3 *db)
{
    return DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)), sqlite3_extended_errcode(db));
}

// A column's value of the current row. Taken once and read with the value functions, which,
// unlike the column functions, need not lock the connection for each call.
sqlite3_value *valueOf(sqlite3_stmt *statement, int column)
{
    return sqlite3_column_value(statement, column);
}

QString textOf(sqlite3_value *value)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(value)), sqlite3_value_bytes(value));
}

// The value as the driver would have read it, for a column that holds another type than usual.
QVariant driverValue(sqlite3_value *value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return sqlite3_value_double(value);
    case SQLITE_NULL:
        return QVariant();
    default:
        return textOf(value);
    }
}

} // namespace

Rows::Rows(sqlite3_stmt *statement)
    : m_statement(statement)
{
}

Rows::Rows(Rows &&other) noexcept
    : m_statement(std::exchange(other.m_statement, nullptr))
{
}

Rows::~Rows()
{
    sqlite3_finalize(m_statement);
}

bool Rows::next()
{
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW)
        return true;
    if (result == SQLITE_DONE)
        return false;
    throw engineError(sqlite3_db_handle(m_statement));
}

bool Rows::isNull(int column) const
{
    return sqlite3_value_type(valueOf(m_statement, column)) == SQLITE_NULL;
}

int Rows::integer(int column) const
{
    sqlite3_value *value = valueOf(m_statement, column);
    if (sqlite3_value_type(value) == SQLITE_INTEGER)
        return static_cast<int>(sqlite3_value_int64(value));
    return driverValue(value).toInt();
}

double Rows::real(int column) const
{
    sqlite3_value *value = valueOf(m_statement, column);
    const int type = sqlite3_value_type(value);
    if (type == SQLITE_FLOAT || type == SQLITE_INTEGER)
        return sqlite3_value_double(value);
    return driverValue(value).toDouble();
}

QString Rows::text(int column) const
{
    sqlite3_value *value = valueOf(m_statement, column);
    return sqlite3_value_type(value) == SQLITE_TEXT ? textOf(value) : driverValue(value).toString();
}

Rows read(const QString &statement, const QVariantList &values)
{
    sqlite3 *db = engineConnection();
    sqlite3_stmt *prepared = nullptr;
    const QByteArray text = statement.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &prepared, nullptr) != SQLITE_OK)
        throw engineError(db);
    Rows rows(prepared);
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &value = values.at(i);
        int result = SQLITE_OK;
        switch (value.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
            result = sqlite3_bind_double(prepared, i + 1, value.toDouble());
            break;
        case QMetaType::QString: {
            const QByteArray utf8 = value.toString().toUtf8();
            result = sqlite3_bind_text(prepared, i + 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
            break;
        }
        default:
            result = value.isNull() ? sqlite3_bind_null(prepared, i + 1)
                                    : sqlite3_bind_int64(prepared, i + 1, value.toLongLong());
            break;
        }
        if (result != SQLITE_OK)
            throw engineError(db);
    }
    return rows;
}

QVariant scalar(const QString &statement, const QVariantList &values)
{
    QSqlQuery query = run(statement, values);
    return query.next() ? query.value(0) : QVariant();
}

QString placeholders(qsizetype count)
{
    QStringList marks;
    marks.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QLatin1Char(','));
}

namespace {

void checkTableName(const QString &table)
{
    // Table names cannot be bound as values; only the three known names get into a statement.
    if (table != QLatin1String("Member") && table != QLatin1String("Course") && table != QLatin1String("Score"))
        throw DatabaseError(QStringLiteral("unknown table %1").arg(table), 1);
}

} // namespace

qint16 maxId(const QString &table)
{
    checkTableName(table);
    // An empty table gives NULL, and a value beyond 16 bits cannot be an ID of the program's: 0.
    bool ok = false;
    const qlonglong highest = scalar(QStringLiteral("select max(ID) from ") + table).toLongLong(&ok);
    return ok && highest >= 0 && highest <= MaxId ? static_cast<qint16>(highest) : qint16(0);
}

qint16 allocateId(const QString &table)
{
    checkTableName(table);
    const QVariant highest = scalar(QStringLiteral("select max(ID) from ") + table);
    const qlonglong next = highest.isNull() ? 1 : highest.toLongLong() + 1;
    if (next > MaxId) {
        throw DatabaseError(
            QStringLiteral("%1 の ID が上限の %2 に達しているため、これ以上追加できません。").arg(table).arg(MaxId),
            DatabaseError::RefusedByProgram);
    }
    return static_cast<qint16>(next);
}

} // namespace Database

Transaction::Transaction()
{
    if (g_transactionDepth == 0) {
        QSqlDatabase db = Database::connection();
        if (!db.transaction())
            throw errorOf(db.lastError());
        m_outermost = true;
    }
    ++g_transactionDepth;
}

Transaction::~Transaction()
{
    --g_transactionDepth;
    if (m_outermost && !m_done)
        Database::connection().rollback();
}

void Transaction::commit()
{
    if (m_done)
        return;
    m_done = true;
    if (!m_outermost)
        return;
    QSqlDatabase db = Database::connection();
    if (!db.commit()) {
        const DatabaseError error = errorOf(db.lastError());
        db.rollback();
        throw error;
    }
}
