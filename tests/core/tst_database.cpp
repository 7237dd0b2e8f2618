// The record layer: IDs, counts, bound text, transactions and the start-up checks on the file.
#include "parvelatest.h"

#include "core/coursetable.h"
#include "core/database.h"
#include "core/gui/errorreport.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "platform/gui/messagebox.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <memory>

class TestDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_db = std::make_unique<ParvelaTest::TemporaryDatabase>(); }
    void cleanup() { m_db.reset(); }

    void maxIdAndCountFollowTheTable()
    {
        QCOMPARE(Module1::GetMaxId(QStringLiteral("Member")), qint16(0));
        QCOMPARE(Module1::CountRecords(QStringLiteral("Member")), qint16(0));
        const qint16 first = MemberTable::insert(QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"),
                                                 QStringLiteral("1960/2/3"), 18);
        const qint16 second =
            MemberTable::insert(QStringLiteral("佐藤花子"), QStringLiteral("さとうはなこ"), QString(), 20);
        QCOMPARE(first, qint16(1));
        QCOMPARE(second, qint16(2));
        QCOMPARE(Module1::CountRecords(QStringLiteral("Member")), qint16(2));

        // Deleting the highest row hands its ID out again, as the program always did.
        MemberTable::remove(second);
        QCOMPARE(Module1::GetMaxId(QStringLiteral("Member")), qint16(1));
        QCOMPARE(MemberTable::insert(QStringLiteral("鈴木"), QStringLiteral("すずき"), QString(), 0), qint16(2));
    }

    void insertPastTheIdLimitIsRefusedAndStoresNothing()
    {
        Database::exec(QStringLiteral("insert into Member (ID,NAME,HURIKANA,BIRTHDAY,HC,F_HC,E_HC) "
                                      "values (32767,'最後','さいご','',0,0,0)"));
        // A value past 16 bits reads as 0, as the program's counters always did.
        QCOMPARE(Module1::GetMaxId(QStringLiteral("Member")), qint16(32767));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, MemberTable::insert(QStringLiteral("次"), QString(), QString(), 0));
        QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Member")).toInt(), 1);
        QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Member where ID=1")).toInt(), 0);
    }

    void textIsStoredExactlyAsTyped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("apostrophe") << QStringLiteral("O'Brien");
        QTest::newRow("statement") << QStringLiteral("'); delete from Member;--");
        QTest::newRow("double quote") << QStringLiteral("\"山田\"");
        QTest::newRow("blank around") << QStringLiteral(" 田中 ");
    }
    void textIsStoredExactlyAsTyped()
    {
        QFETCH(QString, name);
        MemberTable::insert(QStringLiteral("残る人"), QStringLiteral("のこる"), QString(), 1);
        const qint16 id = MemberTable::insert(name, name, name, 5);
        QCOMPARE(MemberTable::byId(id)->name, name);
        QCOMPARE(MemberTable::byId(id)->kana, name);
        QCOMPARE(MemberTable::firstByName(name)->id, id);
        QVERIFY(MemberTable::nameTaken(name));
        QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Member")).toInt(), 2);

        const qint16 course = CourseTable::insert(2026, 5, name, name);
        QCOMPARE(CourseTable::firstOfMonth(2026, 5)->courseName, name);
        ScoreRecord score;
        score.courseId = course;
        score.memberId = id;
        score.memberName = name;
        ScoreTable::insert(score);
        QCOMPARE(ScoreTable::firstOfMemberName(course, name)->memberId, id);
    }

    void firstRowIsTheLowestId()
    {
        // Inserted out of order: the month's competition is still the lowest ID.
        Database::exec(
            QStringLiteral("insert into Course (ID,CYEAR,CMONTH,PLAYDATE,COURSENAME) values (9,2026,4,'a','後')"));
        Database::exec(
            QStringLiteral("insert into Course (ID,CYEAR,CMONTH,PLAYDATE,COURSENAME) values (3,2026,4,'b','先')"));
        QCOMPARE(CourseTable::firstOfMonth(2026, 4)->id, qint16(3));
        const auto ids = CourseTable::firstIdsOfYear(2026);
        QCOMPARE(ids[3], qint16(3));
        QCOMPARE(ids[4], qint16(0));
    }

    void failedTransactionLeavesNothing()
    {
        try {
            Transaction transaction;
            MemberTable::insert(QStringLiteral("一"), QString(), QString(), 1);
            Database::exec(QStringLiteral("insert into NoSuchTable values (1)"));
            transaction.commit();
            QFAIL("the statement should have failed");
        } catch (const DatabaseError &error) {
            QVERIFY(!error.engineText().isEmpty());
        }
        QCOMPARE(Module1::CountRecords(QStringLiteral("Member")), qint16(0));

        {
            Transaction outer;
            MemberTable::insert(QStringLiteral("二"), QString(), QString(), 1);
            {
                Transaction inner;
                MemberTable::insert(QStringLiteral("三"), QString(), QString(), 1);
                inner.commit();
            }
            // The outer one is never committed: the inner insert goes with it.
        }
        QCOMPARE(Module1::CountRecords(QStringLiteral("Member")), qint16(0));
    }

    void databaseErrorIsReportedInJapanese()
    {
        MessageBox::takeShown();
        const bool finished =
            RunReportingErrors(nullptr, [] { Database::exec(QStringLiteral("select * from Nothing")); });
        QVERIFY(!finished);
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, QMessageBox::Critical);
        QCOMPARE(shown[0].title, QStringLiteral("Parvela"));
        QVERIFY(shown[0].text.startsWith(QStringLiteral("データベースの処理ができませんでした。")));
        QVERIFY2(shown[0].text.contains(QStringLiteral("Nothing")), qPrintable(shown[0].text));
    }

    void startUpRefusesFilesThatAreNotParvelaDatabases_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::newRow("missing") << QByteArray("missing");
        QTest::newRow("text file") << QByteArray("text");
        QTest::newRow("other SQLite database") << QByteArray("foreign");
        QTest::newRow("damaged") << QByteArray("damaged");
    }
    void startUpRefusesFilesThatAreNotParvelaDatabases()
    {
        QFETCH(QByteArray, kind);
        m_db.reset();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("parvela.mdb"));
        if (kind == "text") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("これはデータベースではありません\n");
        } else if (kind == "foreign") {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(path);
            QVERIFY(other.open());
            QSqlQuery(other).exec(QStringLiteral("create table Notes (x text)"));
            other.close();
            other = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("other"));
        } else if (kind == "damaged") {
            Database::create(path);
            Database::open(path);
            for (int i = 0; i < 300; ++i)
                MemberTable::insert(QStringLiteral("名前%1").arg(i), QStringLiteral("なまえ"), QString(), i % 36);
            Database::close();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            file.seek(4096 + 100);
            file.write(QByteArray(8192, '\x5a'));
        }
        const QByteArray before = fileHash(path);

        QString message;
        try {
            Database::open(path);
        } catch (const StartupError &error) {
            message = error.message();
        }
        QVERIFY2(!message.isEmpty(), "opening should have been refused");
        QVERIFY(message.contains(path));
        QVERIFY(!Database::isOpen());
        QCOMPARE(fileHash(path), before);
        QCOMPARE(QFile::exists(path), kind != "missing");
    }

    void createRefusesToOverwrite()
    {
        QVERIFY_THROWS_EXCEPTION(StartupError, Database::create(m_db->path()));
        MemberTable::insert(QStringLiteral("残る"), QString(), QString(), 1);
        QCOMPARE(Module1::CountRecords(QStringLiteral("Member")), qint16(1));
    }

private:
    static QByteArray fileHash(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return "absent";
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }

    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;
};

PARVELA_TEST_MAIN(TestDatabase)
#include "tst_database.moc"
