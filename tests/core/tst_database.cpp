// The record layer (IDs, the first row of a month, transactions) and the demonstration club: the
// same seed gives the same file, and the club looks like a real one whose months were entered
// and calculated by the program's own rules. Files the start-up refuses, and how failures are
// told, are in reliability/tst_faults.
#include "databasefixture.h"

#include "core/demodata.h"
#include "monthly/ranking.h"

#include <stdexcept>

using namespace ParvelaTest;

namespace {

// The file parvela-db demo writes: created, filled and closed.
QByteArray demoFile(const DemoData::Options &options)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.mdb"));
    DemoData::createClub(path, options, SettingsRecord());
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT

private slots:
    void idsFollowTheTable()
    {
        TemporaryDatabase db;
        QCOMPARE(Module1::GetMaxId(QStringLiteral("Member")), qint16(0));
        QCOMPARE(value(QStringLiteral("select count(*) from Member")).toInt(), 0);
        QCOMPARE(MemberTable::insert(QStringLiteral("山田"), QStringLiteral("やまだ"), QString(), 18), qint16(1));
        const qint16 second = MemberTable::insert(QStringLiteral("佐藤"), QStringLiteral("さとう"), QString(), 20);
        QCOMPARE(value(QStringLiteral("select count(*) from Member")).toInt(), 2);
        // Deleting the highest row hands its ID out again, as the program always did.
        MemberTable::remove(second);
        QCOMPARE(MemberTable::insert(QStringLiteral("鈴木"), QStringLiteral("すずき"), QString(), 0), qint16(2));
        // The first competition of a month is its lowest ID.
        Database::exec(QStringLiteral("insert into Course values (9,2026,4,'a','後'), (3,2026,4,'b','先')"));
        QCOMPARE((QList<int>{CourseTable::firstOfMonth(2026, 4)->id, CourseTable::firstIdsOfYear(2026)[3]}),
                 (QList<int>{3, 3}));
    }

    void aFailedTransactionLeavesNothing()
    {
        TemporaryDatabase db;
        try {
            Transaction transaction;
            MemberTable::insert(QStringLiteral("一"), QString(), QString(), 1);
            Database::exec(QStringLiteral("insert into NoSuchTable values (1)"));
            transaction.commit();
        } catch (const DatabaseError &) {
        }
        {
            Transaction outer;
            Transaction inner;
            MemberTable::insert(QStringLiteral("二"), QString(), QString(), 1);
            inner.commit();
            // The outer one is never committed: the inner insert goes with it.
        }
        QCOMPARE(count(QStringLiteral("Member")), 0);
        // Nor is an existing file ever overwritten by a new one.
        QVERIFY_THROWS_EXCEPTION(StartupError, Database::create(db.path()));
    }

    void theDemoSeedDecidesTheWholeFile()
    {
        const QByteArray seven = demoFile({40, 2, 2025, 7});
        QVERIFY(!seven.isEmpty());
        QCOMPARE(demoFile({40, 2, 2025, 7}), seven);
        QVERIFY(demoFile({40, 2, 2025, 8}) != seven);
    }

    void aDemoClubAsTheProgramWouldHaveKeptIt()
    {
        TemporaryDatabase db;
        DemoData::generate({300, 2, 2025, 3}, SettingsRecord());
        // Every name different, a competition every month; the scores as the entry dialog writes them.
        QCOMPARE(value(QStringLiteral("select count(distinct NAME) from Member")), 300);
        QCOMPARE(value(QStringLiteral("select count(distinct CYEAR*100+CMONTH) from Course")), 24);
        QCOMPARE(count(QStringLiteral("Score where GROSS_VAL<>OUT_VAL+IN_VAL or NET_VAL<>GROSS_VAL-HC")), 0);
        // Every month ranked by the club's rule; each member's HC is the latest new HC.
        for (const QVariant &courseId : column(QStringLiteral("select ID from Course"))) {
            const QVector<ScoreRecord> sheet = ScoreTable::sheetRows(courseId.toInt());
            for (int place = 1; place <= sheet.size(); ++place)
                QCOMPARE(sheet[place - 1].rank * 1000 + sheet[place - 1].newHc,
                         place * 1000 + Ranking::newHandicap(sheet[place - 1].hc, place, SettingsRecord()));
        }
        QCOMPARE(count(QStringLiteral("Member m where HC<>(select s.NEW_HC from Score s join Course c on "
                                      "s.COURSE_ID=c.ID where s.MEMBER_ID=m.ID and s.NEW_HC<>0 order by c.CYEAR "
                                      "desc,c.CMONTH desc limit 1)")),
                 0);
    }

    void theDemoRefusesWhatTheTablesCannotHold()
    {
        QVERIFY(DemoData::problemWith({2000, 1, 2025, 1}).isEmpty());
        QVERIFY(DemoData::problemWith({2000, 2, 2025, 1}).contains(QStringLiteral("32767"))); // Score IDs
        QVERIFY(!DemoData::problemWith({DemoData::maxMembers() + 1, 1, 2025, 1}).isEmpty());
        QVERIFY(!DemoData::problemWith({0, 1, 2025, 1}).isEmpty());
        TemporaryDatabase db;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, DemoData::generate({2000, 2, 2025, 1}, SettingsRecord()));
        QCOMPARE(count(QStringLiteral("Member")), 0);
    }
};

PARVELA_CORE_TEST_MAIN(TestDatabase)
#include "tst_database.moc"
