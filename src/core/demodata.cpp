#include "core/demodata.h"

#include "core/coursetable.h"
#include "core/database.h"
#include "core/dates.h"
#include "core/membertable.h"
#include "core/scoretable.h"
#include "core/settingsrecord.h"
#include "monthly/ranking.h"

#include <QDate>
#include <QFile>
#include <QSet>
#include <QVector>

#include <algorithm>
#include <array>
#include <random>
#include <stdexcept>

namespace {

struct NamePart
{
    const char *kanji;
    const char *reading; // hiragana
};

// Each written name has the one reading given here, so a member's reading always matches
// the name.
// clang-format off
constexpr std::array<NamePart, 60> FamilyNames = {{
    {"佐藤", "さとう"},     {"鈴木", "すずき"},     {"高橋", "たかはし"},   {"田中", "たなか"},
    {"伊藤", "いとう"},     {"渡辺", "わたなべ"},   {"山本", "やまもと"},   {"中村", "なかむら"},
    {"小林", "こばやし"},   {"加藤", "かとう"},     {"吉田", "よしだ"},     {"山田", "やまだ"},
    {"佐々木", "ささき"},   {"山口", "やまぐち"},   {"松本", "まつもと"},   {"井上", "いのうえ"},
    {"木村", "きむら"},     {"林", "はやし"},       {"斎藤", "さいとう"},   {"清水", "しみず"},
    {"山崎", "やまざき"},   {"森", "もり"},         {"池田", "いけだ"},     {"橋本", "はしもと"},
    {"阿部", "あべ"},       {"石川", "いしかわ"},   {"山下", "やました"},   {"中島", "なかじま"},
    {"石井", "いしい"},     {"小川", "おがわ"},     {"前田", "まえだ"},     {"岡田", "おかだ"},
    {"長谷川", "はせがわ"}, {"藤田", "ふじた"},     {"後藤", "ごとう"},     {"近藤", "こんどう"},
    {"村上", "むらかみ"},   {"遠藤", "えんどう"},   {"青木", "あおき"},     {"坂本", "さかもと"},
    {"斉藤", "さいとう"},   {"福田", "ふくだ"},     {"太田", "おおた"},     {"西村", "にしむら"},
    {"藤井", "ふじい"},     {"金子", "かねこ"},     {"岡本", "おかもと"},   {"藤原", "ふじわら"},
    {"中野", "なかの"},     {"三浦", "みうら"},     {"原田", "はらだ"},     {"中川", "なかがわ"},
    {"松田", "まつだ"},     {"竹内", "たけうち"},   {"小野", "おの"},       {"田村", "たむら"},
    {"中山", "なかやま"},   {"和田", "わだ"},       {"石田", "いしだ"},     {"森田", "もりた"},
}};

constexpr std::array<NamePart, 60> GivenNames = {{
    {"一郎", "いちろう"},   {"健一", "けんいち"},   {"誠", "まこと"},       {"浩", "ひろし"},
    {"修", "おさむ"},       {"茂", "しげる"},       {"博", "ひろし"},       {"隆", "たかし"},
    {"実", "みのる"},       {"清", "きよし"},       {"勇", "いさむ"},       {"明", "あきら"},
    {"進", "すすむ"},       {"和夫", "かずお"},     {"正男", "まさお"},     {"秀樹", "ひでき"},
    {"直樹", "なおき"},     {"大輔", "だいすけ"},   {"拓也", "たくや"},     {"健太", "けんた"},
    {"翔太", "しょうた"},   {"雄一", "ゆういち"},   {"哲也", "てつや"},     {"幸男", "ゆきお"},
    {"光男", "みつお"},     {"義雄", "よしお"},     {"俊介", "しゅんすけ"}, {"達也", "たつや"},
    {"和彦", "かずひこ"},   {"康弘", "やすひろ"},   {"信夫", "のぶお"},     {"昭", "あきら"},
    {"花子", "はなこ"},     {"幸子", "さちこ"},     {"恵子", "けいこ"},     {"洋子", "ようこ"},
    {"京子", "きょうこ"},   {"和子", "かずこ"},     {"久美子", "くみこ"},   {"由美子", "ゆみこ"},
    {"真由美", "まゆみ"},   {"裕子", "ゆうこ"},     {"美智子", "みちこ"},   {"直美", "なおみ"},
    {"明美", "あけみ"},     {"陽子", "ようこ"},     {"智子", "ともこ"},     {"恵美", "えみ"},
    {"香織", "かおり"},     {"麻衣", "まい"},       {"彩", "あや"},         {"美穂", "みほ"},
    {"優子", "ゆうこ"},     {"典子", "のりこ"},     {"純子", "じゅんこ"},   {"節子", "せつこ"},
    {"悦子", "えつこ"},     {"千尋", "ちひろ"},     {"里美", "さとみ"},     {"理恵", "りえ"},
}};
// clang-format on

constexpr std::array<const char *, 8> CourseNames = {
    "富士見ヶ丘カントリー倶楽部", "桜ヶ丘ゴルフクラブ", "湖畔カントリークラブ", "白樺高原ゴルフコース",
    "緑ヶ丘カントリークラブ",     "松風ゴルフ倶楽部",   "南房総ゴルフリンクス", "朝日台カントリー倶楽部",
};

// Family and given name are written with a full-width space between them, as a club's
// roster usually does; the reading likewise, so that the list sorts by family name first.
const QString NameSeparator = QStringLiteral("\u3000");

constexpr int MinHandicap = 0;
constexpr int MaxHandicap = 36;
constexpr int MinNine = 35;
constexpr int MaxNine = 60;
constexpr int MinAttendancePercent = 60;
constexpr int MaxAttendancePercent = 90;
constexpr int OneObFine = 100;

// Ranges from the engine's raw output, so the same seed gives the same club with any
// standard library.
class Dice
{
public:
    explicit Dice(quint32 seed)
        : m_engine(seed)
    {
    }

    // Uniform in [low, high]: outputs that would favour the lower values are thrown away.
    int between(int low, int high)
    {
        const quint64 range = static_cast<quint64>(high - low) + 1;
        const quint64 outputs = quint64(1) << 32;
        const quint64 usable = outputs - outputs % range;
        quint64 drawn = 0;
        do {
            drawn = m_engine();
        } while (drawn >= usable);
        return low + static_cast<int>(drawn % range);
    }

    bool percent(int chance) { return between(1, 100) <= chance; }

    // Fisher–Yates, written out for the same reason as between().
    template <typename T>
    void shuffle(QVector<T> &items)
    {
        for (int i = items.size() - 1; i > 0; --i)
            std::swap(items[i], items[between(0, i)]);
    }

private:
    std::mt19937 m_engine;
};

int attendanceCeiling(int members)
{
    return (members * MaxAttendancePercent + 99) / 100;
}

QDate randomBirthday(Dice &dice, int firstYear)
{
    const int year = firstYear - dice.between(25, 80);
    const int month = dice.between(1, 12);
    return QDate(year, month, dice.between(1, QDate(year, month, 1).daysInMonth()));
}

// Most members are mid-handicappers; a few are very good or beginners.
int randomHandicap(Dice &dice)
{
    return (dice.between(MinHandicap, MaxHandicap) + dice.between(MinHandicap, MaxHandicap) + 1) / 2;
}

// Clubs play on Sundays.
QString randomSunday(Dice &dice, int year, int month)
{
    QDate day(year, month, 1);
    while (day.dayOfWeek() != Qt::Sunday)
        day = day.addDays(1);
    QVector<QDate> sundays;
    for (; day.month() == month; day = day.addDays(7))
        sundays << day;
    return Dates::format(sundays.at(dice.between(0, sundays.size() - 1)));
}

// A nine of a player who plays to the handicap: about par 36 plus half the handicap, with
// good and bad days.
int randomNine(Dice &dice, double hc)
{
    const int strokes = 36 + static_cast<int>(hc / 2) + dice.between(-3, 6);
    return std::clamp(strokes, MinNine, MaxNine);
}

int randomOb(Dice &dice)
{
    const int roll = dice.between(1, 100);
    const int balls = roll <= 60 ? 0 : roll <= 85 ? 1 : roll <= 95 ? 2 : 3;
    return balls * OneObFine;
}

void addMembers(Dice &dice, const DemoData::Options &options)
{
    const int firstYear = options.lastYear - options.years + 1;
    QSet<int> taken;
    while (taken.size() < options.members) {
        const int family = dice.between(0, FamilyNames.size() - 1);
        const int given = dice.between(0, GivenNames.size() - 1);
        const int key = family * static_cast<int>(GivenNames.size()) + given;
        if (taken.contains(key))
            continue;
        taken.insert(key);
        const QString name =
            QString::fromUtf8(FamilyNames[family].kanji) + NameSeparator + QString::fromUtf8(GivenNames[given].kanji);
        const QString kana = QString::fromUtf8(FamilyNames[family].reading) + NameSeparator
                             + QString::fromUtf8(GivenNames[given].reading);
        const QString birthday = Dates::format(randomBirthday(dice, firstYear));
        MemberTable::insert(name, kana, birthday, randomHandicap(dice));
    }
}

void playMonth(Dice &dice, const QVector<MemberRecord> &members, int year, int month, const SettingsRecord &settings)
{
    const QString playDate = randomSunday(dice, year, month);
    const QString course = QString::fromUtf8(CourseNames[dice.between(0, CourseNames.size() - 1)]);
    const qint16 courseId = CourseTable::insert(year, month, playDate, course);

    const int percent = dice.between(MinAttendancePercent, MaxAttendancePercent);
    const int players = (members.size() * percent + 99) / 100;
    QVector<int> order(members.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    dice.shuffle(order);
    for (int i = 0; i < players; ++i) {
        const MemberRecord &member = members.at(order.at(i));
        ScoreRecord score;
        score.courseId = courseId;
        score.memberId = member.id;
        score.memberName = member.name;
        score.hc = member.hc;
        score.ob = randomOb(dice);
        score.out = randomNine(dice, member.hc);
        score.in = randomNine(dice, member.hc);
        score.gross = score.out + score.in;
        score.net = score.gross - member.hc;
        ScoreTable::insert(score);
    }
    Ranking::calculateMonth(courseId, month, year, settings);
}

} // namespace

namespace DemoData {

int maxMembers()
{
    return static_cast<int>(FamilyNames.size() * GivenNames.size());
}

QString problemWith(const Options &options)
{
    if (options.members < 1 || options.members > maxMembers())
        return QStringLiteral("会員数は 1 から %1 までです。").arg(maxMembers());
    if (options.years < 1)
        return QStringLiteral("年数は 1 以上です。");
    if (options.lastYear > 9999 || options.lastYear - options.years + 1 < 1900)
        return QStringLiteral("年は 1900 年から 9999 年までです。");
    // Every table numbers its rows with 16-bit IDs.
    const qint64 scoreRows = qint64(options.years) * 12 * attendanceCeiling(options.members);
    if (scoreRows > Database::MaxId)
        return QStringLiteral("成績が最大 %1 件になり、上限の %2 件を超えます。会員数か年数を減らしてください。")
            .arg(scoreRows)
            .arg(Database::MaxId);
    return {};
}

void generate(const Options &options, const SettingsRecord &settings)
{
    const QString problem = problemWith(options);
    if (!problem.isEmpty())
        throw std::invalid_argument(problem.toStdString());
    Dice dice(options.seed);
    Transaction transaction;
    addMembers(dice, options);
    for (int year = options.lastYear - options.years + 1; year <= options.lastYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            // Each month is played with the handicaps the previous month's calculation left.
            playMonth(dice, MemberTable::allByKana(), year, month, settings);
        }
    }
    transaction.commit();
}

void createClub(const QString &path, const Options &options, const SettingsRecord &settings)
{
    const QString problem = problemWith(options);
    if (!problem.isEmpty())
        throw StartupError(problem);
    Database::create(path);
    try {
        Database::open(path);
        generate(options, settings);
        Database::close();
    } catch (const std::runtime_error &error) {
        // Only the file made here is removed: a half-made club is of no use. Both errors that
        // can arrive here (StartupError, DatabaseError) carry their text as what().
        Database::close();
        QFile::remove(path);
        throw StartupError(QString::fromStdString(error.what()));
    }
}

} // namespace DemoData
