// The record layer (IDs, the first row of a month, transactions) and the size of club the
// demonstration may make. The club it makes is checked where the first start offers it, in
// tst_datalocation; files the start-up refuses, and how failures are told, in
// reliability/tst_faults.
#include "databasefixture.h"

#include <stdexcept>

using namespace ParvelaTest;

class TestDatabase : public QObject
{
    Q_OBJECT

private slots:
    void idsFollowTheTable()
    {
        TemporaryDatabase db;
        QCOMPARE(Database::maxId("Member"), qint16(0));
        QCOMPARE(MemberTable::insert("山田", "やまだ", QString(), 18), qint16(1));
        const qint16 second = MemberTable::insert("佐藤", "さとう", QString(), 20);
        // Deleting the highest row hands its ID out again, as the program always did.
        MemberTable::remove(second);
        QCOMPARE(MemberTable::insert("鈴木", "すずき", QString(), 0), qint16(2));
        // The first competition of a month is its lowest ID.
        Database::exec("insert into Course values (9,2026,4,'a','後'), (3,2026,4,'b','先')");
        QCOMPARE((QList<int>{CourseTable::firstOfMonth(2026, 4)->id,
                             CourseTable::competitionsOfYear(2026).monthCourseIds[3]}),
                 (QList<int>{3, 3}));
    }

    void aFailedTransactionLeavesNothing()
    {
        TemporaryDatabase db;
        try {
            Transaction transaction;
            MemberTable::insert("一", QString(), QString(), 1);
            Database::exec("insert into NoSuchTable values (1)");
            transaction.commit();
        } catch (const DatabaseError &) {
        }
        {
            Transaction outer;
            Transaction inner;
            MemberTable::insert("二", QString(), QString(), 1);
            inner.commit();
            // The outer one is never committed: the inner insert goes with it.
        }
        QCOMPARE(count("Member"), 0);
        // Nor is an existing file ever overwritten by a new one.
        QVERIFY_THROWS_EXCEPTION(StartupError, Database::create(db.path()));
    }

    void theDemoRefusesWhatTheTablesCannotHold()
    {
        QVERIFY(DemoData::problemWith({2000, 1, 2025, 1}).isEmpty());
        QVERIFY(DemoData::problemWith({2000, 2, 2025, 1}).contains("32767")); // Score IDs
        QVERIFY(!DemoData::problemWith({DemoData::maxMembers() + 1, 1, 2025, 1}).isEmpty());
        QVERIFY(!DemoData::problemWith({0, 1, 2025, 1}).isEmpty());
        TemporaryDatabase db;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, DemoData::generate({2000, 2, 2025, 1}, SettingsRecord()));
        QCOMPARE(count("Member"), 0);
    }
};

PARVELA_CORE_TEST_MAIN(TestDatabase)
#include "tst_database.moc"
