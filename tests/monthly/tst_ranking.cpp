#include "monthlyfixtures.h"
#include "parvelatest.h"

#include "core/database.h"
#include "monthly/gui/form4.h"
#include "monthly/ranking.h"
#include "platform/gui/messagebox.h"

#include <QPushButton>

#include <memory>

using MonthlyFixtures::addScore;
using ParvelaTest::value;

namespace {

constexpr int Year = 2026;

qint16 member(const QString &name, double hc, const QString &birthday = QStringLiteral("1960/4/1"))
{
    return MemberTable::insert(name, QStringLiteral("かな") + name, birthday, hc);
}

CourseRecord competition(int month)
{
    CourseTable::insert(Year, month, QStringLiteral("%1/%2/10").arg(Year).arg(month), QStringLiteral("北コース"));
    return *CourseTable::firstOfMonth(Year, month);
}

// A result with the member's current handicap; net = out + in − hc.
qint16 play(const CourseRecord &course, qint16 memberId, int out, int in)
{
    const MemberRecord who = *MemberTable::byId(memberId);
    return addScore(course.id, memberId, who.name, who.hc, out, in);
}

QVariant scoreColumn(const char *column, qint16 scoreId)
{
    return value(QStringLiteral("select %1 from Score where ID=?").arg(QLatin1String(column)), {scoreId});
}

double memberColumn(const char *column, qint16 memberId)
{
    return value(QStringLiteral("select %1 from Member where ID=?").arg(QLatin1String(column)), {memberId}).toDouble();
}

void calculate(const CourseRecord &course)
{
    Ranking::calculateMonth(course.id, course.month, Year, Module1::Settings);
}

} // namespace

class TestRanking : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

private slots:
    void init() { m_db = ParvelaTest::freshSettingsAndDatabase(Year); }
    void cleanup()
    {
        MonthlyFixtures::closeAllWindows();
        m_db.reset();
    }

    void newHandicapRounding_data()
    {
        QTest::addColumn<double>("hc");
        QTest::addColumn<int>("place");
        QTest::addColumn<double>("multiplier");
        QTest::addColumn<int>("expected");
        // The single-precision products land on exact halves, which go to the even side.
        QTest::newRow("25 × 0.7") << 25.0 << 1 << 0.7 << 18;
        QTest::newRow("15 × 0.7") << 15.0 << 1 << 0.7 << 10;
        QTest::newRow("15 × 0.9") << 15.0 << 3 << 0.9 << 14;
        QTest::newRow("25 × 0.9") << 25.0 << 3 << 0.9 << 22;
        QTest::newRow("20 × 0.7") << 20.0 << 1 << 0.7 << 14;
        QTest::newRow("15 × 0.8") << 15.0 << 2 << 0.8 << 12;
        QTest::newRow("11 × 0.9") << 11.0 << 3 << 0.9 << 10;
        QTest::newRow("10 × 0.8") << 10.0 << 2 << 0.8 << 8;
        QTest::newRow("24 × 0.9") << 24.0 << 3 << 0.9 << 22;
        QTest::newRow("-3 × 0.7") << -3.0 << 1 << 0.7 << -2;
        QTest::newRow("0 × 0.7") << 0.0 << 1 << 0.7 << 0;
        QTest::newRow("12.5 × 0.8") << 12.5 << 2 << 0.8 << 10;
        QTest::newRow("fourth keeps 18") << 18.0 << 4 << 1.0 << 18;
        QTest::newRow("fourth keeps 12.5 rounded") << 12.5 << 9 << 1.0 << 12;
    }
    void newHandicapRounding()
    {
        QFETCH(double, hc);
        QFETCH(int, place);
        QFETCH(double, multiplier);
        QFETCH(int, expected);
        SettingsRecord settings;
        settings.par1st = settings.par2nd = settings.par3rd = static_cast<float>(multiplier);
        QCOMPARE(Ranking::newHandicap(hc, place, settings), expected);
    }

    void workedExampleThroughTheSheet()
    {
        const qint16 a = member(QStringLiteral("青木"), 20);
        const qint16 b = member(QStringLiteral("伊藤"), 15);
        const qint16 c = member(QStringLiteral("上田"), 11);
        const qint16 d = member(QStringLiteral("遠藤"), 18);
        const CourseRecord may = competition(5);
        // Nets 70, 72, 75, 76, entered out of order.
        const qint16 scoreD = play(may, d, 47, 47);
        const qint16 scoreB = play(may, b, 43, 44);
        const qint16 scoreA = play(may, a, 45, 45);
        const qint16 scoreC = play(may, c, 43, 43);

        Form4 &sheet = MonthlyFixtures::openSheet(may);
        QTest::mouseClick(sheet.Command4, Qt::LeftButton);

        QCOMPARE(MonthlyFixtures::columnTexts(*sheet.ScoreGrid, 1),
                 QStringList(
                     {QStringLiteral("青木"), QStringLiteral("伊藤"), QStringLiteral("上田"), QStringLiteral("遠藤")}));
        QCOMPARE(MonthlyFixtures::columnTexts(*sheet.ScoreGrid, 0),
                 QStringList(
                     {QStringLiteral("優勝"), QStringLiteral("準優勝"), QStringLiteral("3位"), QStringLiteral("4")}));
        QCOMPARE(MonthlyFixtures::columnTexts(*sheet.ScoreGrid, 8),
                 QStringList({QStringLiteral("14"), QStringLiteral("12"), QStringLiteral("10"), QStringLiteral("18")}));
        QCOMPARE(scoreColumn("RANK", scoreA).toInt(), 1);
        QCOMPARE(scoreColumn("RANK", scoreB).toInt(), 2);
        QCOMPARE(scoreColumn("RANK", scoreC).toInt(), 3);
        QCOMPARE(scoreColumn("RANK", scoreD).toInt(), 4);
        QCOMPARE(memberColumn("HC", a), 14.0);
        QCOMPARE(memberColumn("HC", b), 12.0);
        QCOMPARE(memberColumn("HC", c), 10.0);
        QCOMPARE(memberColumn("HC", d), 18.0);
        // May is neither the first nor the last sheet: the year handicaps stay.
        QCOMPARE(memberColumn("F_HC", a), 20.0);
        QCOMPARE(memberColumn("E_HC", a), 20.0);
        QVERIFY(!QApplication::overrideCursor());
    }

    void fieldOfTwoAndTheNegativeWinner()
    {
        const qint16 plus = member(QStringLiteral("名人"), -3);
        const qint16 other = member(QStringLiteral("次点"), 10);
        const CourseRecord june = competition(6);
        const qint16 second = play(june, other, 42, 42); // net 74 against 73
        const qint16 first = play(june, plus, 35, 35);
        calculate(june);
        QCOMPARE(scoreColumn("RANK", first).toInt(), 1);
        QCOMPARE(scoreColumn("NEW_HC", first).toInt(), -2);
        QCOMPARE(scoreColumn("RANK", second).toInt(), 2);
        QCOMPARE(scoreColumn("NEW_HC", second).toInt(), 8);
        QCOMPARE(memberColumn("HC", plus), -2.0);
        QCOMPARE(memberColumn("HC", other), 8.0);
    }

    void equalNetsGoByBirthdayDate()
    {
        // As text "1960/10/5" sorts first; as dates 1960/2/3 is the elder.
        const qint16 younger = member(QStringLiteral("十月生"), 20, QStringLiteral("1960/10/5"));
        const qint16 elder = member(QStringLiteral("二月生"), 20, QStringLiteral("1960/02/03"));
        const qint16 undated = member(QStringLiteral("不明"), 20, QStringLiteral("不明"));
        const CourseRecord july = competition(7);
        const qint16 undatedScore = play(july, undated, 45, 45);
        const qint16 youngerScore = play(july, younger, 45, 45);
        const qint16 elderScore = play(july, elder, 45, 45);
        calculate(july);
        QCOMPARE(scoreColumn("RANK", elderScore).toInt(), 1);
        QCOMPARE(scoreColumn("RANK", youngerScore).toInt(), 2);
        QCOMPARE(scoreColumn("RANK", undatedScore).toInt(), 3);
    }

    void bulkRowsAtZeroTakeTheFirstPlaces()
    {
        const qint16 played = member(QStringLiteral("完走"), 10);
        const qint16 pending = member(QStringLiteral("未入力"), 20);
        const CourseRecord august = competition(8);
        const qint16 playedScore = play(august, played, 40, 40);
        ScoreRecord bulk; // as the bulk add stores a participant: nothing but the handicap
        bulk.courseId = august.id;
        bulk.memberId = pending;
        bulk.memberName = QStringLiteral("未入力");
        bulk.hc = 20;
        const qint16 bulkScore = ScoreTable::insert(bulk);
        calculate(august);
        QCOMPARE(scoreColumn("RANK", bulkScore).toInt(), 1);
        QCOMPARE(scoreColumn("NEW_HC", bulkScore).toInt(), 14);
        QCOMPARE(scoreColumn("RANK", playedScore).toInt(), 2);
        QCOMPARE(scoreColumn("NEW_HC", playedScore).toInt(), 8);
    }

    void absentMemberKeepsTheirLatestMonth()
    {
        const qint16 absent = member(QStringLiteral("四月だけ"), 20);
        const qint16 regular = member(QStringLiteral("毎月"), 30);
        const CourseRecord april = competition(4);
        play(april, absent, 40, 40);
        play(april, regular, 50, 50);
        calculate(april);
        QCOMPARE(memberColumn("HC", absent), 14.0);

        // Someone resets the HC by hand; May's calculation brings it back to April's result.
        MemberTable::updateHc(absent, 25);
        const CourseRecord may = competition(5);
        play(may, regular, 40, 40);
        calculate(may);
        QCOMPARE(memberColumn("HC", absent), 14.0);
        QCOMPARE(memberColumn("HC", regular), 17.0); // 24 × 0.7 = 16.8
    }

    void januaryAndDecemberSetTheYearHandicaps()
    {
        const qint16 who = member(QStringLiteral("通年"), 20);
        const CourseRecord january = competition(1);
        play(january, who, 40, 40);
        calculate(january);
        QCOMPARE(memberColumn("HC", who), 14.0);
        QCOMPARE(memberColumn("F_HC", who), 20.0); // the handicap January was played with
        QCOMPARE(memberColumn("E_HC", who), 20.0);

        const CourseRecord december = competition(12);
        play(december, who, 40, 40);
        calculate(december);
        QCOMPARE(memberColumn("HC", who), 10.0); // 14 × 0.7 = 9.8
        QCOMPARE(memberColumn("E_HC", who), 10.0);
        QCOMPARE(memberColumn("F_HC", who), 20.0);
    }

    void failureLeavesNothingAndTheSheetUsable()
    {
        const qint16 a = member(QStringLiteral("一"), 20);
        const qint16 b = member(QStringLiteral("二"), 15);
        const CourseRecord may = competition(5);
        const qint16 scoreA = play(may, a, 45, 45);
        const qint16 scoreB = play(may, b, 45, 45);
        // The member update fails after every Score row was already ranked.
        Database::exec(QStringLiteral("create trigger refuse before update on Member begin "
                                      "select raise(abort, 'refused'); end"));

        Form4 &sheet = MonthlyFixtures::openSheet(may);
        MessageBox::takeShown();
        QTest::mouseClick(sheet.Command4, Qt::LeftButton);

        QVERIFY(ParvelaTest::takeOnlyError());
        QCOMPARE(scoreColumn("RANK", scoreA).toInt(), 0);
        QCOMPARE(scoreColumn("RANK", scoreB).toInt(), 0);
        QCOMPARE(scoreColumn("NEW_HC", scoreA).toInt(), 0);
        QCOMPARE(memberColumn("HC", a), 20.0);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(sheet.isVisible());
        QVERIFY(sheet.Command4->isEnabled());

        // Once the cause is gone the same button works.
        Database::exec(QStringLiteral("drop trigger refuse"));
        QTest::mouseClick(sheet.Command4, Qt::LeftButton);
        QCOMPARE(scoreColumn("RANK", scoreA).toInt(), 1);
        QCOMPARE(scoreColumn("RANK", scoreB).toInt(), 2);
        QCOMPARE(memberColumn("HC", a), 14.0);
        QCOMPARE(memberColumn("HC", b), 12.0);
    }
};

PARVELA_TEST_MAIN(TestRanking)
#include "tst_ranking.moc"
