#pragma once

#include "core/settingsstore.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <array>

// The club's rules and the user's preferences, loaded once at start-up.
struct SettingsRecord
{
    qint16 EditYear = 0; // loaded from the store, this year by default
    float par1st = float(SettingKeys::DefaultPar1st);
    float par2nd = float(SettingKeys::DefaultPar2nd);
    float par3rd = float(SettingKeys::DefaultPar3rd);
    qint16 optTori1 = SettingKeys::DefaultOptTori1;
    qint16 optTori1val = SettingKeys::DefaultOptTori1Val;
    qint16 optTori2 = SettingKeys::DefaultOptTori2;
    qint16 optTori2val = SettingKeys::DefaultOptTori2Val;
    std::array<qint16, 4> tenTori = {SettingKeys::DefaultTenTori[0], SettingKeys::DefaultTenTori[1],
                                     SettingKeys::DefaultTenTori[2], SettingKeys::DefaultTenTori[3]};
    qint16 printSize = SettingKeys::DefaultPrintSize;
};

// State shared by the windows for the whole run, and the record-access operations.
namespace Module1 {

inline constexpr int MaxId = 32767;

extern SettingsRecord Settings;
extern qint16 CurrentMonth;                   // 1 … 12
extern qint16 CurrentCourseId;                // Course.ID of the month being edited
extern qint16 EditScoreId;                    // Score.ID being edited
extern qint16 EditMemberId;                   // Member.ID being edited or deleted
extern std::array<qint16, 12> MonthCourseIds; // Course.ID per month of the edited year, 0 = none

void LoadSettings();
void SaveSettings(); // writes all thirteen record keys

// The folder of the program: parvela.mdb and parvela.hlp are looked for there first.
QString ProgramFolder();
void SetProgramFolder(const QString &folder);
// The per-user data folder ($XDG_DATA_HOME/Parvela, usually ~/.local/share/Parvela), where an
// installed program keeps the club's database, since it cannot write beside itself. Empty when
// the system names no such folder.
QString UserDataFolder();
// parvela.mdb beside the program when it is there (a program run from its own folder, as
// always), otherwise parvela.mdb in the per-user data folder, existing or not: that is where a
// first start creates it. The backup folder lies beside whichever is used.
QString DatabasePath();
// parvela.hlp under exactly that name, letter case included, beside the program or in the
// installed data folder (../share/parvela/ from the program folder); empty when neither has it.
QString HelpFilePath();

// What a first start puts into a new database.
enum class NewDatabase { Empty, DemonstrationClub };
// Creates the database at `path`, with its folder, for a club that starts with nothing or for
// trying the program with the made-up club that parvela-db demo makes. Never overwrites a file.
// Throws StartupError with a message ready to show.
void CreateDatabase(const QString &path, NewDatabase contents);

// Largest ID of the table, 0 for an empty table (or a value that does not fit 16 bits).
qint16 GetMaxId(const QString &table);

// The ID of the next row: the largest ID + 1. Refuses (DatabaseError) once the table has used up 32767,
// since GetMaxId would then give 0 and the insert would reuse ID 1.
qint16 AllocateId(const QString &table);

// The months of a year that have a competition, as MonthCourseIds holds them.
struct YearCompetitions
{
    QVector<int> courseIds;        // January first
    QHash<int, int> monthOfCourse; // Course.ID → month index 0 … 11
};
// Rebuilds MonthCourseIds for the year from the first Course row of each month, and gives the
// competitions found.
YearCompetitions RebuildYearCompetitions(int year);

} // namespace Module1
