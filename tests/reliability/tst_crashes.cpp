// The program killed with SIGKILL at a random moment of a write (new handicaps, bulk add, block
// deletes) or of the daily copy, then started again as the user would: the start-up opens the
// menu without a message, each operation is all or nothing, and the day's copy is sound and
// holds what the file holds. Each run's output is kept in PARVELA_STRESS_OUTPUT (default
// "stress-output" beside the test); PARVELA_STRESS_RUNS sets the runs per operation.
#include "childprocess.h"

#include "core/backup.h"
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
constexpr int Members = 1500;
constexpr int Players = 1200;

struct State
{
    QString integrity;
    QByteArray rows; // a digest of every row of the three tables
};

// Reads a file on a connection of its own.
State stateOf(const QString &path)
{
    State state;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("inspect"));
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (db.open() && query.exec(QStringLiteral("PRAGMA integrity_check"))) {
            while (query.next())
                state.integrity += query.value(0).toString();
        } else {
            state.integrity = query.lastError().text() + db.lastError().text();
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
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("inspect"));
    return state;
}

// What a child printed, then what it complained of.
QString said(QProcess &child)
{
    return QString::fromLocal8Bit(child.readAllStandardOutput() + "--- stderr\n" + child.readAllStandardError());
}

} // namespace

class TestCrashes : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_baseline;
    QString m_runFolder;
    QDir m_output;
    int m_runs = 0;

    // A fresh program folder holding the baseline file, without backups.
    QString freshRun()
    {
        QDir(m_runFolder).removeRecursively();
        QDir().mkpath(m_runFolder);
        const QString path = QDir(m_runFolder).filePath(QStringLiteral("parvela.mdb"));
        QFile::copy(m_baseline, path);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::exists(ChildProcess::program()));
        m_output.setPath(qEnvironmentVariable("PARVELA_STRESS_OUTPUT",
                                              QDir(QCoreApplication::applicationDirPath()).filePath("stress-output")));
        m_output.removeRecursively();
        QVERIFY(m_output.mkpath(QStringLiteral(".")));
        m_runFolder = m_dir.filePath(QStringLiteral("run"));
        m_baseline = m_dir.filePath(QStringLiteral("baseline.mdb"));
        Database::create(m_baseline);
        Database::open(m_baseline);
        Transaction transaction;
        const qint16 may = CourseTable::insert(2026, 5, QStringLiteral("2026/5/17"), QStringLiteral("東"));
        CourseTable::insert(2026, 6, QStringLiteral("2026/6/21"), QStringLiteral("西"));
        for (int n = 1; n <= Members; ++n) {
            ScoreRecord score;
            score.memberName = QStringLiteral("会員%1").arg(n);
            score.memberId = MemberTable::insert(score.memberName, QStringLiteral("かいいん%1").arg(n),
                                                 QStringLiteral("19%1/%2/%3").arg(40 + n % 50).arg(1 + n % 12).arg(1 + n % 28), n % 37);
            score.courseId = may;
            score.hc = n % 37;
            score.out = 35 + (n * 7) % 26;
            score.in = 35 + (n * 11) % 26;
            score.gross = score.out + score.in;
            score.net = score.gross - score.hc;
            if (n <= Players)
                ScoreTable::insert(score);
        }
        transaction.commit();
        Database::close();
    }

    void killedAndRestartedLosesNothing_data()
    {
        QTest::addColumn<QStringList>("operation");
        QTest::newRow("new handicaps") << QStringList{"rank", "1", "5", "2026"};
        QTest::newRow("bulk add") << QStringList{"bulkadd", "2"};
        QTest::newRow("block delete of scores") << QStringList{"deletescores", "1"};
        QTest::newRow("block delete of members") << QStringList{"deletemembers", "1", "1000"};
        QTest::newRow("daily copy") << QStringList{"backup"};
    }
    void killedAndRestartedLosesNothing()
    {
        QFETCH(QStringList, operation);
        const int runs = qEnvironmentVariableIntValue("PARVELA_STRESS_RUNS") > 0
                             ? qEnvironmentVariableIntValue("PARVELA_STRESS_RUNS") : 12;
        const State before = stateOf(m_baseline);
        // Runs to their end give the state "all" and how long the work takes at most.
        QString path;
        qint64 workMicroseconds = 0;
        for (int run = 0; run < 3; ++run) {
            path = freshRun();
            QProcess child;
            QVERIFY(ChildProcess::startReady(child, path, operation));
            QElapsedTimer clock;
            clock.start();
            QVERIFY(child.waitForFinished(30000));
            QVERIFY2(child.exitCode() == 0, qPrintable(said(child)));
            workMicroseconds = qMax(workMicroseconds, clock.nsecsElapsed() / 1000);
        }
        const QByteArray all = stateOf(path).rows;
        QCOMPARE(all != before.rows, operation[0] != QLatin1String("backup"));

        std::mt19937 random(Seed + static_cast<unsigned>(qHash(operation.join(' '))));
        std::uniform_int_distribution<qint64> moment(0, workMicroseconds * 3 / 2);
        int none = 0, done = 0, journals = 0;
        const QString copy = QDir(Backup::folderFor(path)).filePath(Backup::fileNameFor(QDate::currentDate()));
        for (int run = 0; run < runs; ++run) {
            path = freshRun();
            const qint64 killedAt = moment(random);
            QProcess child, restart;
            QVERIFY(ChildProcess::startReady(child, path, operation));
            QThread::usleep(static_cast<unsigned long>(killedAt));
            child.kill();
            QVERIFY(child.waitForFinished(10000));
            const bool journal = QFile(path + QStringLiteral("-journal")).size() > 0;
            journals += journal;
            restart.start(ChildProcess::program(), {path, QStringLiteral("startup")});
            const bool restarted = restart.waitForFinished(60000);
            const QString restartSaid = said(restart);
            const State state = stateOf(path);
            const State copied = stateOf(copy);
            const QString name = QStringLiteral("%1-%2").arg(operation[0]).arg(run, 4, 10, QLatin1Char('0'));
            QFile log(m_output.filePath(name + QStringLiteral(".log")));
            log.open(QIODevice::WriteOnly);
            log.write(QStringLiteral("killed after %1 µs of %2 µs%3\n--- killed child\n%4\n--- restart: %5 %6\n%7\n"
                                     "--- file: %8 %9\n--- copy: %10\n")
                          .arg(killedAt).arg(workMicroseconds)
                          .arg(journal ? QStringLiteral(", journal left") : QString(), said(child))
                          .arg(restart.exitStatus() == QProcess::NormalExit ? "exit" : "crash").arg(restart.exitCode())
                          .arg(restartSaid, state.integrity, QString::fromLatin1(state.rows.toHex()), copied.integrity)
                          .toUtf8());
            log.close();
            ++m_runs;
            const QString where = m_output.filePath(name + QStringLiteral(".log"));
            QVERIFY2(restarted && restart.exitStatus() == QProcess::NormalExit && restartSaid.startsWith(QStringLiteral("started\n--- stderr")),
                     qPrintable(where));
            QVERIFY2(state.integrity == QLatin1String("ok") && copied.integrity == QLatin1String("ok"), qPrintable(where));
            QVERIFY2(copied.rows == state.rows, qPrintable(where));
            QCOMPARE(QDir(Backup::folderFor(path)).entryList(QDir::Files), QStringList{Backup::fileNameFor(QDate::currentDate())});
            if (state.rows == before.rows)
                ++none;
            else if (state.rows == all)
                ++done;
            else
                QFAIL(qPrintable(where + QStringLiteral(": part of the operation was left behind")));
        }
        qInfo("%s: %d runs killed within %lld µs of work (%d left a journal), then restarted: %d left nothing "
              "done, %d all done", qPrintable(operation[0]), runs, workMicroseconds, journals, none, done);
        // Kills before the work and after it both happened: the moments covered the work.
        if (operation[0] != QLatin1String("backup")) {
            QVERIFY(none > 0);
            QVERIFY(done > 0);
        }
    }

    void cleanupTestCase()
    {
        qInfo("crashes: %d killed and restarted runs, seed %u, output in %s", m_runs, Seed,
              qPrintable(m_output.path()));
    }
};

PARVELA_CORE_TEST_MAIN(TestCrashes)
#include "tst_crashes.moc"
