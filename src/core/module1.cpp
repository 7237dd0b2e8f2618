#include "core/module1.h"

#include "core/coursetable.h"
#include "core/database.h"
#include "core/demodata.h"
#include "core/settingsstore.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Module1 {

SettingsRecord Settings;
qint16 CurrentMonth = 0;
qint16 CurrentCourseId = 0;
qint16 EditScoreId = 0;
qint16 EditMemberId = 0;
std::array<qint16, 12> MonthCourseIds = {};

namespace {

QString g_programFolder;

qint16 toInt16(int value)
{
    return static_cast<qint16>(value);
}

void checkTableName(const QString &table)
{
    // Table names cannot be bound as values; only the three known names get into a statement.
    if (table != QLatin1String("Member") && table != QLatin1String("Course") && table != QLatin1String("Score"))
        throw DatabaseError(QStringLiteral("unknown table %1").arg(table), 1);
}

// A hand-edited store can hold anything: a multiplier out of range would carry new handicaps
// out of 16 bits (1e39 does not even fit a float), so it gives the default instead.
float readMultiplier(const QString &key, double defaultValue)
{
    const double value = SettingsStore::readDouble(key, defaultValue);
    return static_cast<float>(SettingKeys::multiplierAccepted(value) ? value : defaultValue);
}

} // namespace

void LoadSettings()
{
    using namespace SettingKeys;
    const SettingsStore::Reading reading;
    const qint16 thisYear = toInt16(QDate::currentDate().year());
    Settings.EditYear = SettingsStore::readInt16(EditYear, thisYear);
    if (Settings.EditYear < MinEditYear || Settings.EditYear > MaxEditYear)
        Settings.EditYear = thisYear;
    Settings.par1st = readMultiplier(Par1st, DefaultPar1st);
    Settings.par2nd = readMultiplier(Par2nd, DefaultPar2nd);
    Settings.par3rd = readMultiplier(Par3rd, DefaultPar3rd);
    Settings.optTori1 = SettingsStore::readInt16(OptTori1, DefaultOptTori1);
    Settings.optTori1val = SettingsStore::readInt16(OptTori1Val, DefaultOptTori1Val);
    Settings.optTori2 = SettingsStore::readInt16(OptTori2, DefaultOptTori2);
    Settings.optTori2val = SettingsStore::readInt16(OptTori2Val, DefaultOptTori2Val);
    for (std::size_t i = 0; i < TenTori.size(); ++i)
        Settings.tenTori[i] = SettingsStore::readInt16(TenTori[i], DefaultTenTori[i]);
    Settings.printSize = SettingsStore::readInt16(PrintSize, DefaultPrintSize);
}

void SaveSettings()
{
    using namespace SettingKeys;
    const SettingsStore::Writing batch;
    SettingsStore::saveInt(EditYear, Settings.EditYear);
    SettingsStore::save(Par1st, SettingsStore::floatText(Settings.par1st));
    SettingsStore::save(Par2nd, SettingsStore::floatText(Settings.par2nd));
    SettingsStore::save(Par3rd, SettingsStore::floatText(Settings.par3rd));
    SettingsStore::saveInt(OptTori1, Settings.optTori1);
    SettingsStore::saveInt(OptTori1Val, Settings.optTori1val);
    SettingsStore::saveInt(OptTori2, Settings.optTori2);
    SettingsStore::saveInt(OptTori2Val, Settings.optTori2val);
    for (std::size_t i = 0; i < TenTori.size(); ++i)
        SettingsStore::saveInt(TenTori[i], Settings.tenTori[i]);
    SettingsStore::saveInt(PrintSize, Settings.printSize);
}

QString ProgramFolder()
{
    return g_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : g_programFolder;
}

void SetProgramFolder(const QString &folder)
{
    g_programFolder = folder;
}

QString UserDataFolder()
{
    // Not AppDataLocation: with the organisation and the application both "Parvela" that
    // would be …/Parvela/Parvela. The settings live in $XDG_CONFIG_HOME/Parvela likewise.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("Parvela"));
}

QString DatabasePath()
{
    QString besideProgram = QDir(ProgramFolder()).filePath(QStringLiteral("parvela.mdb"));
    // Whatever stands there under that name is the club's: a damaged file or a broken link must
    // be reported, not passed over for another database.
    const QFileInfo file(besideProgram);
    if (file.exists() || file.isSymLink() || UserDataFolder().isEmpty())
        return besideProgram;
    return QDir(UserDataFolder()).filePath(QStringLiteral("parvela.mdb"));
}

QString HelpFilePath()
{
    const QDir program(ProgramFolder());
    for (const QString &folder : {program.path(), program.filePath(QStringLiteral("../share/parvela"))}) {
        const QDir dir(folder);
        if (dir.entryList(QDir::Files | QDir::Hidden).contains(QStringLiteral("parvela.hlp"), Qt::CaseSensitive))
            return QDir::cleanPath(dir.filePath(QStringLiteral("parvela.hlp")));
    }
    return QString();
}

void CreateDatabase(const QString &path, NewDatabase contents)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw StartupError(QStringLiteral("フォルダー「%1」を作成できません。").arg(folder));
    if (contents == NewDatabase::Empty) {
        Database::create(path);
        return;
    }
    // The club parvela-db demo makes, ending with the year the program opens on.
    DemoData::Options club;
    club.lastYear = Settings.EditYear;
    DemoData::createClub(path, club, Settings);
}

qint16 GetMaxId(const QString &table)
{
    checkTableName(table);
    // An empty table gives NULL, and a value beyond 16 bits cannot be an ID of the program's: 0.
    bool ok = false;
    const qlonglong highest = Database::scalar(QStringLiteral("select max(ID) from ") + table).toLongLong(&ok);
    return ok && highest >= 0 && highest <= MaxId ? toInt16(static_cast<int>(highest)) : 0;
}

qint16 AllocateId(const QString &table)
{
    checkTableName(table);
    const QVariant highest = Database::scalar(QStringLiteral("select max(ID) from ") + table);
    const qlonglong next = highest.isNull() ? 1 : highest.toLongLong() + 1;
    if (next > MaxId) {
        throw DatabaseError(
            QStringLiteral("%1 の ID が上限の %2 に達しているため、これ以上追加できません。").arg(table).arg(MaxId),
            DatabaseError::RefusedByProgram);
    }
    return toInt16(static_cast<int>(next));
}

YearCompetitions RebuildYearCompetitions(int year)
{
    MonthCourseIds = CourseTable::firstIdsOfYear(year);
    YearCompetitions competitions;
    for (int month = 0; month < 12; ++month) {
        const int id = MonthCourseIds[month];
        if (id != 0) {
            competitions.courseIds << id;
            competitions.monthOfCourse.insert(id, month);
        }
    }
    return competitions;
}

} // namespace Module1
