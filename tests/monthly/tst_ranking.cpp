// The club's handicap rules: a month's places and new handicaps, and each member's latest
// handicap of the year.
#include "databasefixture.h"

using ParvelaTest::value;

namespace {

constexpr int Year = 2026;

qint16 competition(int month, int year = Year)
{
    return CourseTable::insert(year, month, QStringLiteral("%1/%2/10").arg(year).arg(month), "北");
}

// A row of the member's; a new HC of 0 leaves it uncalculated.
qint16 result(qint16 courseId, qint16 memberId, double playedWith, double newHc = 0, int out = 45, int in = 45)
{
    return ParvelaTest::addScore(courseId, memberId, QString(), playedWith, out, in, 0, newHc ? 1 : 0, newHc);
}

// Each member's HC, F_HC and E_HC.
QVariantList handicaps()
{
    return ParvelaTest::column("select HC||' '||F_HC||' '||E_HC from Member order by ID");
}

void calculate(qint16 courseId, int month)
{
    Ranking::calculateMonth(courseId, month, Year, ParvelaTest::settings());
}

} // namespace

class TestRanking : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

    static qint16 member(double hc, const char *birthday = "1960/4/1")
    {
        static int number = 0;
        return MemberTable::insert(QStringLiteral("会員%1").arg(++number), "か", QString::fromUtf8(birthday), hc);
    }

private slots:
    void init() { m_db = ParvelaTest::freshSettingsAndDatabase(Year); }
    void cleanup() { m_db.reset(); }

    // HC × multiplier at a place: the single-precision products land on exact halves, which go to
    // the even side; from the fourth place on the HC is kept, rounded.
    void newHandicapRounding()
    {
        QStringList rounded;
        for (const auto &[hc, place, multiplier] :
             {std::tuple(25.0, 1, 0.7f), {15.0, 3, 0.9f}, {25.0, 3, 0.9f}, {-3.0, 1, 0.7f}, {12.5, 9, 1.0f}}) {
            SettingsRecord settings;
            settings.winnerMultiplier = settings.runnerUpMultiplier = settings.thirdMultiplier = multiplier;
            rounded << QString::number(Ranking::newHandicap(hc, place, settings));
        }
        QCOMPARE(rounded, (QStringList{"18", "14", "22", "-2", "12"}));
    }

    void aMonthIsRankedByNetThenByAge()
    {
        const qint16 may = competition(5);
        // Equal nets of 70: by birthday as a date (as text "1960/10/5" sorts first), undated last.
        const qint16 younger = result(may, member(20, "1960/10/5"), 20);
        const qint16 undated = result(may, member(20, "不明"), 20);
        const qint16 elder = result(may, member(20, "1960/02/03"), 20);
        const qint16 plus = result(may, member(-3), -3, 0, 34, 34); // net 71
        const qint16 bulk = result(may, member(14), 14, 0, 0, 0);   // as bulk added, with NET 0
        Database::exec("update Score set NET_VAL=0 where ID=?", {bulk});
        calculate(may, 5);
        QStringList places;
        for (const qint16 id : {bulk, elder, younger, undated, plus})
            places << value("select RANK||':'||NEW_HC from Score where ID=?", {id}).toString();
        QCOMPARE(places, (QStringList{"1:10.0", "2:16.0", "3:18.0", "4:20.0", "5:-3.0"}));
        // May: the year's first and last handicaps stay.
        QCOMPARE(handicaps(), (QVariantList{"18.0 20.0 20.0", "20.0 20.0 20.0", "16.0 20.0 20.0", "-3.0 -3.0 -3.0",
                                            "10.0 14.0 14.0"}));
    }

    void everyMemberFollowsTheirLatestMonthAndTheYearsEnds()
    {
        const qint16 regular = member(20);
        const qint16 absent = member(30);
        // Carried over from March already, the year's first and last HC still last year's: the
        // January and December sheets set them though the HC does not change.
        const qint16 steady = member(18);
        result(competition(3), steady, 18, 18);
        Database::exec("update Member set F_HC=30,E_HC=31 where ID=?", {steady});
        const qint16 january = competition(1);
        result(january, regular, 20, 0, 40, 40);
        result(january, absent, 30, 0, 50, 50);
        calculate(january, 1);
        // Reset by hand; May's calculation brings the absent member back to January's result.
        MemberTable::updateHc(absent, 25);
        const qint16 may = competition(5);
        result(may, regular, 14, 0, 45, 45);
        calculate(may, 5);
        const qint16 december = competition(12);
        result(december, regular, 14, 0, 40, 40);
        calculate(december, 12);
        // 14 × 0.7 = 9.8; 30 × 0.8 = 24; the first handicaps are those played with in January.
        QCOMPARE(handicaps(), (QVariantList{"10.0 20.0 10.0", "24.0 30.0 24.0", "18.0 18.0 18.0"}));
    }

    void theLatestHandicapIsTheLatestCalculatedMonthsFirstRow()
    {
        const qint16 april = competition(4);
        const qint16 september = competition(9);
        const qint16 october = competition(10);
        const qint16 juneFirst = competition(6);
        const qint16 juneSecond = competition(6); // not the month's
        QList<qint16> members;
        for (int i = 0; i < 7; ++i)
            members << member(15);
        result(september, members[1], 12, 10);
        result(october, members[1], 10, 0); // not calculated
        result(september, members[2], 12, 10);
        Database::exec("update Score set NEW_HC=NULL where ID=?", {result(october, members[2], 10, 9)});
        result(competition(12, Year - 1), members[3], 20, 5); // other years
        result(competition(1, Year + 1), members[3], 20, 7);
        result(april, members[4], 20, 12);
        result(juneSecond, members[4], 12, 8);
        result(april, members[5], 20, 12);
        result(juneFirst, members[5], 12, 0); // the member's first row of June counts, not the second
        result(juneFirst, members[5], 12, 8);
        result(october, members[6], 10, 9); // June entered after October: the month decides
        result(juneFirst, members[6], 12, 8);
        Database::exec("update Member set F_HC=30,E_HC=31");
        LatestHandicap::apply(Year);
        LatestHandicap::apply(Year); // once more changes nothing
        QStringList latest;
        for (const QVariant &member : handicaps())
            latest << member.toString().section(" 30.0 31.0", 0, 0); // the year's first and last stay
        // The first member never played.
        QCOMPARE(latest, (QStringList{"15.0", "10.0", "10.0", "15.0", "12.0", "12.0", "9.0"}));
        QCOMPARE(CourseTable::competitionsOfYear(Year).monthCourseIds[5], juneFirst);
    }
};

PARVELA_CORE_TEST_MAIN(TestRanking)
#include "tst_ranking.moc"
