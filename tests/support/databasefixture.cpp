#include "databasefixture.h"

#include <QSettings>
#include <QSqlQuery>
#include <QSqlRecord>

namespace ParvelaTest {

namespace {
QTemporaryDir *g_settingsDir = nullptr;
}

SettingsRecord &settings()
{
    static SettingsRecord record;
    return record;
}

void prepareEnvironment()
{
    g_settingsDir = new QTemporaryDir;
    qputenv("XDG_CONFIG_HOME", g_settingsDir->path().toLocal8Bit());
    // A start without a database beside the program looks in the per-user data folder.
    qputenv("XDG_DATA_HOME", g_settingsDir->filePath("data").toLocal8Bit());
}

void prepareCoreApplication()
{
    QCoreApplication::setOrganizationName("Parvela");
    QCoreApplication::setApplicationName("Parvela");
    settings() = SettingsRecord::load();
}

void clearSettings()
{
    QSettings store(SettingsStore::fileName(), QSettings::IniFormat);
    store.clear();
    store.sync();
    settings() = SettingsRecord::load();
}

TemporaryDatabase::TemporaryDatabase()
{
    Database::create(path());
    DataLocation::setProgramFolder(m_dir.path());
    Database::open(path());
}

TemporaryDatabase::~TemporaryDatabase()
{
    Database::close();
}

QString TemporaryDatabase::path() const
{
    return m_dir.filePath("parvela.mdb");
}

std::unique_ptr<TemporaryDatabase> freshSettingsAndDatabase(int editYear)
{
    clearSettings();
    settings().editYear = static_cast<qint16>(editYear);
    return std::make_unique<TemporaryDatabase>();
}

qint16 addScore(int courseId, int memberId, const QString &name, double hc, int out, int in, double ob, int rank,
                double newHc)
{
    ScoreRecord score;
    score.courseId = static_cast<qint16>(courseId);
    score.memberId = memberId;
    score.memberName = name;
    score.hc = hc;
    score.ob = ob;
    score.out = out;
    score.in = in;
    score.gross = out + in;
    score.net = out + in - hc;
    const qint16 id = ScoreTable::insert(score);
    if (rank != 0 || newHc != 0)
        ScoreTable::updateNewHcAndRank(id, newHc, rank);
    return id;
}

QVariantList column(const QString &statement, const QVariantList &values)
{
    QSqlQuery query = Database::run(statement, values);
    QVariantList result;
    while (query.next())
        result << query.value(0);
    return result;
}

QVariant value(const QString &statement, const QVariantList &values)
{
    return Database::scalar(statement, values);
}

int count(const QString &from, const QVariantList &values)
{
    return Database::scalar("select count(*) from " + from, values).toInt();
}

QStringList tableRows()
{
    QStringList rows;
    for (const QString table : {"Member", "Course", "Score"}) {
        QSqlQuery query = Database::run("select * from " + table + " order by ID");
        while (query.next()) {
            QStringList fields = {table};
            for (int column = 0; column < query.record().count(); ++column)
                fields << query.value(column).toString();
            rows << fields.join('|');
        }
    }
    return rows;
}

// A connection of its own: SQLite keeps its locks between connections of one process as
// between programs.
OtherProgramsLock::OtherProgramsLock(const QString &path)
{
    QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "otherProgram");
    other.setDatabaseName(path);
    QVERIFY(other.open() && QSqlQuery(other).exec("BEGIN EXCLUSIVE"));
}

void OtherProgramsLock::release()
{
    if (QSqlDatabase::contains("otherProgram")) {
        QSqlDatabase::database("otherProgram").close();
        QSqlDatabase::removeDatabase("otherProgram");
    }
}

QStringList courseHistory()
{
    QStringList names;
    for (int n = 1; n <= SettingKeys::CourseHistoryLength; ++n)
        names << SettingsStore::read(SettingKeys::course(n), QString());
    return names;
}

} // namespace ParvelaTest
