#include "databasefixture.h"

#include "core/coursetable.h"
#include "core/database.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "members/latesthandicap.h"

#include <memory>

using ParvelaTest::value;

namespace {

constexpr int Year = 2026;

qint16 competition(int year, int month)
{
    return CourseTable::insert(year, month, QStringLiteral("%1/%2/10").arg(year).arg(month), QStringLiteral("コース"));
}

// A result row of the member; newHc 0 leaves it uncalculated.
qint16 result(qint16 courseId, qint16 memberId, double playedWith, double newHc)
{
    ScoreRecord score;
    score.courseId = courseId;
    score.memberId = memberId;
    score.memberName = MemberTable::byId(memberId)->name;
    score.hc = playedWith;
    const qint16 id = ScoreTable::insert(score);
    if (newHc != 0)
        ScoreTable::updateNewHcAndRank(id, newHc, 1);
    return id;
}

double column(const char *name, qint16 memberId)
{
    return value(QStringLiteral("select %1 from Member where ID=?").arg(QLatin1String(name)), {memberId}).toDouble();
}

} // namespace

class TestLatestHandicap : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;
    qint16 m_member = 0;

private slots:
    void init()
    {
        m_db = std::make_unique<ParvelaTest::TemporaryDatabase>();
        m_member = MemberTable::insert(QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"),
                                       QStringLiteral("1960/4/1"), 20);
    }
    void cleanup() { m_db.reset(); }

    void laterMonthWins()
    {
        result(competition(Year, 4), m_member, 20, 12);
        result(competition(Year, 9), m_member, 12, 10);
        LatestHandicap::apply(Year);
        QCOMPARE(column("HC", m_member), 10.0);
        QCOMPARE(column("F_HC", m_member), 20.0);
        QCOMPARE(column("E_HC", m_member), 20.0);
        // Re-deriving from the same results changes nothing.
        LatestHandicap::apply(Year);
        QCOMPARE(column("HC", m_member), 10.0);
    }

    void laterMonthWinsWhateverOrderEntered()
    {
        // September's competition was entered first (lower IDs): months, not IDs, decide.
        const qint16 september = competition(Year, 9);
        const qint16 april = competition(Year, 4);
        result(september, m_member, 12, 10);
        result(april, m_member, 20, 12);
        QCOMPARE(LatestHandicap::find(Year).value(m_member).courseId, september);
        LatestHandicap::apply(Year);
        QCOMPARE(column("HC", m_member), 10.0);
    }

    void uncalculatedMonthIsSkipped()
    {
        result(competition(Year, 9), m_member, 12, 10);
        result(competition(Year, 10), m_member, 10, 0);
        LatestHandicap::apply(Year);
        QCOMPARE(column("HC", m_member), 10.0);
    }

    void emptyNewHcIsNoResult()
    {
        result(competition(Year, 9), m_member, 12, 10);
        const qint16 october = result(competition(Year, 10), m_member, 10, 0);
        Database::exec(QStringLiteral("update Score set NEW_HC=NULL where ID=?"), {october});
        LatestHandicap::apply(Year);
        QCOMPARE(column("HC", m_member), 10.0);
    }

    void zeroResultCountsAsNone()
    {
        result(competition(Year, 5), m_member, 20, 0);
        const qint16 other =
            MemberTable::insert(QStringLiteral("佐藤"), QStringLiteral("さとう"), QStringLiteral("1970/1/1"), 15);
        LatestHandicap::apply(Year);
        QCOMPARE(column("HC", m_member), 20.0);
        QCOMPARE(column("HC", other), 15.0);
        QVERIFY(LatestHandicap::find(Year).isEmpty());
    }

    void otherYearsAreIgnored()
    {
        result(competition(Year - 1, 12), m_member, 20, 5);
        result(competition(Year + 1, 1), m_member, 20, 7);
        result(competition(Year, 4), m_member, 20, 12);
        LatestHandicap::apply(Year);
        QCOMPARE(column("HC", m_member), 12.0);
        LatestHandicap::apply(Year - 1);
        QCOMPARE(column("HC", m_member), 5.0);
        LatestHandicap::apply(Year + 2);
        QCOMPARE(column("HC", m_member), 5.0);
    }

    void onlyTheFirstCompetitionOfAMonthIsSearched()
    {
        result(competition(Year, 4), m_member, 20, 12);
        const qint16 first = competition(Year, 6);  // the month's first row: the member did not play
        const qint16 second = competition(Year, 6); // a stray second row of June
        result(second, m_member, 12, 8);
        LatestHandicap::apply(Year);
        QCOMPARE(column("HC", m_member), 12.0);
        QCOMPARE(Module1::MonthCourseIds[5], first);
    }

    void onlyTheMembersFirstRowInACompetitionCounts()
    {
        result(competition(Year, 4), m_member, 20, 12);
        const qint16 june = competition(Year, 6);
        result(june, m_member, 12, 0);
        result(june, m_member, 12, 8); // a second row of the same member in June
        LatestHandicap::apply(Year);
        QCOMPARE(column("HC", m_member), 12.0);
    }

    void firstHcTakesTheHandicapPlayedWith()
    {
        Database::exec(QStringLiteral("update Member set F_HC=30,E_HC=31 where ID=?"), {m_member});
        result(competition(Year, 1), m_member, 18, 14);
        LatestHandicap::apply(Year, LatestHandicap::AlsoSet::FirstHc);
        QCOMPARE(column("HC", m_member), 14.0);
        QCOMPARE(column("F_HC", m_member), 18.0);
        QCOMPARE(column("E_HC", m_member), 31.0);
    }

    void endHcTakesTheNewHandicap()
    {
        Database::exec(QStringLiteral("update Member set F_HC=30,E_HC=31 where ID=?"), {m_member});
        result(competition(Year, 12), m_member, 18, 14);
        LatestHandicap::apply(Year, LatestHandicap::AlsoSet::EndHc);
        QCOMPARE(column("HC", m_member), 14.0);
        QCOMPARE(column("F_HC", m_member), 30.0);
        QCOMPARE(column("E_HC", m_member), 14.0);
    }

    void eachMemberGetsTheirOwnResult()
    {
        const qint16 other =
            MemberTable::insert(QStringLiteral("佐藤"), QStringLiteral("さとう"), QStringLiteral("1970/1/1"), 15);
        const qint16 untouched =
            MemberTable::insert(QStringLiteral("鈴木"), QStringLiteral("すずき"), QStringLiteral("1980/1/1"), 25);
        const qint16 march = competition(Year, 3);
        const qint16 august = competition(Year, 8);
        result(march, m_member, 20, 17);
        result(march, other, 15, 13);
        result(august, other, 13, 11);
        result(august, m_member, 17, 0);
        LatestHandicap::apply(Year);
        QCOMPARE(column("HC", m_member), 17.0);
        QCOMPARE(column("HC", other), 11.0);
        QCOMPARE(column("HC", untouched), 25.0);
    }

    void failureLeavesEveryMemberUnchanged()
    {
        const qint16 other =
            MemberTable::insert(QStringLiteral("佐藤"), QStringLiteral("さとう"), QStringLiteral("1970/1/1"), 15);
        const qint16 april = competition(Year, 4);
        result(april, m_member, 20, 12);
        result(april, other, 15, 9);
        // In kana order さとう comes first; the update of やまだ after it is refused, and
        // さとう's must not stay.
        Database::exec(QStringLiteral("create trigger refuse before update of HC on Member when new.ID=%1 "
                                      "begin select raise(abort, 'refused'); end")
                           .arg(m_member));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, LatestHandicap::apply(Year));
        QCOMPARE(column("HC", m_member), 20.0);
        QCOMPARE(column("HC", other), 15.0);
    }
};

PARVELA_CORE_TEST_MAIN(TestLatestHandicap)
#include "tst_latesthandicap.moc"
