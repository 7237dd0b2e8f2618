// A child process killed with SIGKILL at a random moment of a new-handicap calculation, a bulk
// add or a block delete: the file stays intact and each operation is all or nothing.
#include "childprocess.h"

#include "core/coursetable.h"
#include "core/database.h"
#include "core/membertable.h"
#include "core/scoretable.h"
#include "databasefixture.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>

#include <random>

namespace {

constexpr unsigned Seed = 20261207;
constexpr int RunsPerOperation = 30;
constexpr int Members = 1500;
constexpr int Players = 1200;

struct State
{
    QString integrity;
    QByteArray rows; // a digest of every row of the three tables
};

// Reads a file on a connection of its own, as the next start of the program would: a journal
// left by the killed process is rolled back first.
State stateOf(const QString &path)
{
    State state;
    const QString name = QStringLiteral("inspect");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA integrity_check"))) {
                while (query.next())
                    state.integrity += query.value(0).toString();
            } else {
                state.integrity = query.lastError().text();
            }
            QCryptographicHash digest(QCryptographicHash::Sha256);
            for (const char *table : {"Member", "Course", "Score"}) {
                query.exec(QStringLiteral("select * from %1 order by ID").arg(QLatin1String(table)));
                while (query.next()) {
                    for (int column = 0; column < query.record().count(); ++column)
                        digest.addData(query.value(column).toString().toUtf8() + '|');
                    digest.addData("\n");
                }
            }
            state.rows = digest.result();
        } else {
            state.integrity = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return state;
}

bool copyFile(const QString &from, const QString &to)
{
    QFile::remove(to);
    QFile::remove(to + QStringLiteral("-journal"));
    return QFile::copy(from, to);
}

} // namespace

class TestCrashes : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_baseline;
    int m_runs = 0;

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::exists(ChildProcess::program()));
        m_baseline = m_dir.filePath(QStringLiteral("baseline.mdb"));
        Database::create(m_baseline);
        Database::open(m_baseline);
        {
            Transaction transaction;
            const qint16 may = CourseTable::insert(2026, 5, QStringLiteral("2026/5/17"), QStringLiteral("東"));
            CourseTable::insert(2026, 6, QStringLiteral("2026/6/21"), QStringLiteral("西"));
            for (int n = 1; n <= Members; ++n) {
                const qint16 id = MemberTable::insert(
                    QStringLiteral("会員%1").arg(n), QStringLiteral("かいいん%1").arg(n),
                    QStringLiteral("19%1/%2/%3").arg(40 + n % 50).arg(1 + n % 12).arg(1 + n % 28), n % 37);
                if (n > Players)
                    continue;
                ScoreRecord score;
                score.courseId = may;
                score.memberId = id;
                score.memberName = QStringLiteral("会員%1").arg(n);
                score.hc = n % 37;
                score.out = 35 + (n * 7) % 26;
                score.in = 35 + (n * 11) % 26;
                score.gross = score.out + score.in;
                score.net = score.gross - score.hc;
                ScoreTable::insert(score);
            }
            transaction.commit();
        }
        Database::close();
    }

    void killedOperationIsAllOrNothing_data()
    {
        QTest::addColumn<QStringList>("operation");
        QTest::newRow("new handicaps") << QStringList{QStringLiteral("rank"), QStringLiteral("1"), QStringLiteral("5"),
                                                      QStringLiteral("2026")};
        QTest::newRow("bulk add") << QStringList{QStringLiteral("bulkadd"), QStringLiteral("2")};
        QTest::newRow("block delete of scores") << QStringList{QStringLiteral("deletescores"), QStringLiteral("1")};
        QTest::newRow("block delete of members")
            << QStringList{QStringLiteral("deletemembers"), QStringLiteral("1"), QStringLiteral("1000")};
    }
    void killedOperationIsAllOrNothing()
    {
        QFETCH(QStringList, operation);
        const State before = stateOf(m_baseline);
        QCOMPARE(before.integrity, QStringLiteral("ok"));

        // One run to its end gives the state "all" and how long the work takes.
        const QString path = m_dir.filePath(QStringLiteral("run.mdb"));
        QVERIFY(copyFile(m_baseline, path));
        QElapsedTimer clock;
        {
            QProcess child;
            QVERIFY(ChildProcess::startReady(child, path, operation));
            clock.start();
            QVERIFY(child.waitForFinished(30000));
            QVERIFY2(child.exitCode() == 0, child.readAllStandardError().constData());
        }
        const qint64 workMicroseconds = clock.nsecsElapsed() / 1000;
        const State after = stateOf(path);
        QCOMPARE(after.integrity, QStringLiteral("ok"));
        QVERIFY(after.rows != before.rows);

        std::mt19937 random(Seed + static_cast<unsigned>(operation.size() * 31 + operation[0].size()));
        std::uniform_int_distribution<qint64> moment(0, workMicroseconds * 3 / 2);
        int none = 0;
        int all = 0;
        int journals = 0;
        for (int run = 0; run < RunsPerOperation; ++run) {
            QVERIFY(copyFile(m_baseline, path));
            QProcess child;
            QVERIFY(ChildProcess::startReady(child, path, operation));
            QThread::usleep(static_cast<unsigned long>(moment(random)));
            child.kill();
            QVERIFY(child.waitForFinished(10000));
            ++m_runs;
            if (QFile(path + QStringLiteral("-journal")).size() > 0)
                ++journals;

            const State state = stateOf(path);
            QVERIFY2(state.integrity == QLatin1String("ok"),
                     qPrintable(QStringLiteral("run %1: %2").arg(run).arg(state.integrity)));
            if (state.rows == before.rows)
                ++none;
            else if (state.rows == after.rows)
                ++all;
            else
                QFAIL(qPrintable(QStringLiteral("run %1 left part of the operation behind").arg(run)));
        }
        qInfo("%s: %d runs killed within %lld µs of work, %d left nothing done, %d all done, %d left a journal",
              qPrintable(operation[0]), RunsPerOperation, workMicroseconds, none, all, journals);
        // Kills before the work and after it both happened: the moments covered the work.
        QVERIFY(none > 0);
        QVERIFY(all > 0);
    }

    void cleanupTestCase() { qInfo("crashes: %d killed runs, seed %u", m_runs, Seed); }
};

PARVELA_CORE_TEST_MAIN(TestCrashes)
#include "tst_crashes.moc"
