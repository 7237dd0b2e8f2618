#pragma once

#include <QString>

#include <array>
#include <memory>

class QSettings;

// The per-user store: application "Parvela", section "setting", text values.
namespace SettingsStore {

QString read(const QString &key, const QString &defaultText);

// While it lives, reads share one opened store instead of opening it for each key: for loading
// many keys at once (the settings record, a window's placement). Nests; writes are unaffected.
class Reading
{
public:
    Reading();
    ~Reading();
    Reading(const Reading &) = delete;
    Reading &operator=(const Reading &) = delete;

private:
    std::unique_ptr<QSettings> m_store; // only the outermost one opens the store
};
// While it lives, saves go into one opened store and reach the file together, with one sync when
// the outermost one ends: for keys stored together (a window's placement and column widths, the
// settings dialog's OK). Each sync writes and renames the whole file, so one per key would make
// a closing window wait. Nests; reads see the values saved so far.
class Writing
{
public:
    Writing();
    ~Writing();
    Writing(const Writing &) = delete;
    Writing &operator=(const Writing &) = delete;

private:
    std::unique_ptr<QSettings> m_store; // only the outermost one opens the store
};
void save(const QString &key, const QString &text);
// False when the store could not be written (a read-only or broken settings file).
bool lastSaveSucceeded();
QString fileName();

// Why the per-user settings cannot be kept, ready to show the user; empty when they can. The
// program does not run without them: with HOME unset they would land in "/.config" on the root
// file system, and nothing the user set would be kept for the next start.
QString unusableReason();

// Conversions shared by every reader: a value that cannot be converted gives the default.
int readInt(const QString &key, int defaultValue);
qint16 readInt16(const QString &key, qint16 defaultValue);
double readDouble(const QString &key, double defaultValue);
void saveInt(const QString &key, int value);

// Shortest text that reads back as the same single-precision number, always with a decimal
// point and never with a locale's comma ("0.7", "1.0").
QString floatText(float value);

} // namespace SettingsStore

// Names of every key the program keeps, with the record keys' defaults, in one place.
namespace SettingKeys {

inline const QString EditYear = QStringLiteral("EditYear");
inline const QString Par1st = QStringLiteral("par1st");
inline const QString Par2nd = QStringLiteral("par2nd");
inline const QString Par3rd = QStringLiteral("par3rd");
inline const QString OptTori1 = QStringLiteral("optTori1");
inline const QString OptTori1Val = QStringLiteral("optTori1val");
inline const QString OptTori2 = QStringLiteral("optTori2");
inline const QString OptTori2Val = QStringLiteral("optTori2val");
inline const std::array<QString, 4> TenTori = {QStringLiteral("tenTori0"), QStringLiteral("tenTori1"),
                                               QStringLiteral("tenTori2"), QStringLiteral("tenTori3")};
inline const QString PrintSize = QStringLiteral("printSize");
// The month's side prizes, each off (0 or no text) unless set: a yes/no is on only while exactly 1.
inline const QString PrizeBestGross = QStringLiteral("prizeBestGross");
inline const QString PrizeBestGrossLeavesOutPlaces = QStringLiteral("prizeBestGrossOthers");
inline const QString PrizeBooby = QStringLiteral("prizeBB");
inline const QString PrizeBoobyMaker = QStringLiteral("prizeBM");
inline const QString PrizeFlyingPlaces = QStringLiteral("prizeFlying");     // 「5,10,15」
inline const QString PrizeFlyingEvery = QStringLiteral("prizeFlyingEvery"); // N: every N-th place

inline constexpr double DefaultPar1st = 0.7;
inline constexpr double DefaultPar2nd = 0.8;
inline constexpr double DefaultPar3rd = 0.9;
inline constexpr qint16 DefaultOptTori1 = 1;
inline constexpr qint16 DefaultOptTori1Val = 6;
inline constexpr qint16 DefaultOptTori2 = 1;
inline constexpr qint16 DefaultOptTori2Val = 13;
inline constexpr std::array<qint16, 4> DefaultTenTori = {2, 3, 2, 1};
inline constexpr qint16 DefaultPrintSize = 100;

// A new handicap is a 16-bit number: a multiplier above 2 can carry a real handicap out of it,
// and 0 or below takes a winner's handicap away altogether. Accepted: finite, > 0 and <= 2.
inline constexpr double MaxMultiplier = 2.0;
bool multiplierAccepted(double multiplier);
// The edited year is a four-digit Western year.
inline constexpr int MinEditYear = 1000;
inline constexpr int MaxEditYear = 9999;

// The three most recent course names, newest first: "Course1" … "Course3".
QString course(int number);
inline constexpr int CourseHistoryLength = 3;

// Window placement of the grid windows ("Form4", "Form7", "Form9"). The key really is spelt
// "WindowSate": stored files rely on it.
QString windowState(const QString &form);
QString windowTop(const QString &form);
QString windowLeft(const QString &form);
QString windowHeight(const QString &form);
QString windowWidth(const QString &form);
// Column widths shared by the three grids: "ScoreGridColWidth0" and following.
QString gridColumnWidth(int column);
// The score sheet's prize column has a width of its own: the other grids have no such column.
inline const QString PrizeColumnWidth = QStringLiteral("ScoreGridPrizeColWidth");
// The daily copies dated after today that the user has been told about, so they are told once.
inline const QString BackupFutureCopiesTold = QStringLiteral("BackupFutureCopiesTold");

} // namespace SettingKeys
