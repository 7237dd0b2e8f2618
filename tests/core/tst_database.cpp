// The record layer: IDs, counts, the first row of a month and transactions. Text stored exactly
// as typed is in reliability/tst_badinput; files the start-up refuses, and how failures are told,
// in reliability/tst_faults.
#include "databasefixture.h"

#include "core/coursetable.h"
#include "core/database.h"
#include "core/membertable.h"
#include "core/module1.h"

#include <memory>

class TestDatabase : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

    static int members() { return ParvelaTest::value(QStringLiteral("select count(*) from Member")).toInt(); }

private slots:
    void init() { m_db = std::make_unique<ParvelaTest::TemporaryDatabase>(); }
    void cleanup() { m_db.reset(); }

    void idsFollowTheTable()
    {
        QCOMPARE(Module1::GetMaxId(QStringLiteral("Member")), qint16(0));
        QCOMPARE(members(), 0);
        QCOMPARE(MemberTable::insert(QStringLiteral("山田"), QStringLiteral("やまだ"), QString(), 18), qint16(1));
        const qint16 second = MemberTable::insert(QStringLiteral("佐藤"), QStringLiteral("さとう"), QString(), 20);
        QCOMPARE(members(), 2);
        // Deleting the highest row hands its ID out again, as the program always did.
        MemberTable::remove(second);
        QCOMPARE(MemberTable::insert(QStringLiteral("鈴木"), QStringLiteral("すずき"), QString(), 0), qint16(2));
    }

    void theFirstRowOfAMonthIsItsLowestId()
    {
        Database::exec(QStringLiteral("insert into Course values (9,2026,4,'a','後'), (3,2026,4,'b','先')"));
        QCOMPARE(CourseTable::firstOfMonth(2026, 4)->id, qint16(3));
        QCOMPARE(CourseTable::firstIdsOfYear(2026)[3], qint16(3));
    }

    void aFailedTransactionLeavesNothing()
    {
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
        QCOMPARE(members(), 0);
        // Nor is an existing file ever overwritten by a new one.
        QVERIFY_THROWS_EXCEPTION(StartupError, Database::create(m_db->path()));
    }
};

PARVELA_CORE_TEST_MAIN(TestDatabase)
#include "tst_database.moc"
