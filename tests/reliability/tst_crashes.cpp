// The program killed with SIGKILL at a random moment of a write (a bulk add of 500 members) or of
// its start-up with the daily copy, then started again as the user starts it: the menu opens
// without a message, the write is all or nothing, and the day's copy is sound and holds what the
// file holds. (Every other write runs in one transaction the same way; that each gives way whole
// when a statement fails part-way is tested in-process, in tst_faults.) Each run's output is
// kept in PARVELA_STRESS_OUTPUT (default "stress-output" beside the test); PARVELA_STRESS_RUNS
// sets the runs per operation.
//
// The program killed is this one, started again as a child:
//   reliability_tst_crashes --child PATH bulkadd COURSE_ID   opens PATH as the program does, says
//                                                          "ready", enters every member
//   reliability_tst_crashes --child PATH startup   the program's own start-up (its check of the file
//                                                  and the daily copy), PATH's folder as the program
//                                                  folder, shown until the day's copy is made:
//                                                  says "ready", each message shown, then "started"
#include "parvelatest.h"

#include "monthly/bulkadd.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>

#include <cstdio>
#include <random>

namespace {

constexpr unsigned Seed = 20261207;

int child(const QString &path, const QString &operation, int courseId)
{
    std::puts("ready");
    std::fflush(stdout);
    if (operation == "startup") {
        DataLocation::setProgramFolder(QFileInfo(path).absolutePath());
        MainMenu menu;
        const bool started = ParvelaTest::startProgram(menu);
        for (const MessageBox::Shown &shown : MessageBox::takeShown())
            std::printf("message: %s\n", qPrintable(shown.text));
        std::puts(started ? "started" : "refused");
        return started ? 0 : 1;
    }
    Database::open(path);
    // A tiny page cache spills changed pages to the file long before the commit, so a kill can
    // land while the file itself is half written.
    Database::exec("PRAGMA cache_size = 4");
    QVector<BulkAdd::Choice> chosen;
    for (const MemberRecord &member : MemberTable::allByKana())
        chosen.append({member.id, member.name});
    BulkAdd::enter(courseId, chosen);
    return 0;
}

// Starts this program as the child on the database and waits until it is about to work.
bool startReady(QProcess &process, const QStringList &arguments)
{
    process.start(QCoreApplication::applicationFilePath(), QStringList{"--child"} + arguments);
    QByteArray said;
    while (!said.contains("ready\n") && process.waitForReadyRead(10000))
        said += process.readAllStandardOutput();
    return said.contains("ready\n");
}

// The integrity check's verdict and a digest of every row, read as the program opens a file.
QString stateOf(const QString &path)
{
    try {
        Database::open(path, Database::FileCheck::Identity);
        const QByteArray rows = ParvelaTest::tableRows().join('\n').toUtf8();
        const QVariantList check = ParvelaTest::column("PRAGMA integrity_check");
        Database::close();
        return check.value(0).toString() + ' '
               + QString::fromLatin1(QCryptographicHash::hash(rows, QCryptographicHash::Sha256).toHex());
    } catch (const std::runtime_error &error) {
        Database::close();
        return QString::fromUtf8(error.what());
    }
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
    QDir m_output;
    int m_runs = 0;

    // A fresh program folder holding the baseline file, without backups. A quote in its name
    // would break a statement that spliced the name in.
    QString freshRun()
    {
        QDir folder(m_dir.filePath("O'Neil's クラブ"));
        folder.removeRecursively();
        folder.mkpath(".");
        QFile::copy(m_baseline, folder.filePath("parvela.mdb"));
        return folder.filePath("parvela.mdb");
    }

private slots:
    void initTestCase()
    {
        m_output.setPath(qEnvironmentVariable("PARVELA_STRESS_OUTPUT",
                                              QDir(QCoreApplication::applicationDirPath()).filePath("stress-output")));
        m_output.removeRecursively();
        QVERIFY(m_output.mkpath("."));
        m_baseline = m_dir.filePath("baseline.mdb");
        Database::create(m_baseline);
        Database::open(m_baseline);
        DemoData::generate({500, 1, 2026, Seed}, ParvelaTest::settings());
        CourseTable::insert(2027, 1, "2027/1/10", "東"); // for the bulk add
        Database::close();
    }

    void killedAndRestartedLosesNothing_data()
    {
        QTest::addColumn<QStringList>("operation");
        QTest::newRow("bulk add") << QStringList{"bulkadd", "13"};
        QTest::newRow("start-up with its daily copy") << QStringList{"startup"};
    }
    void killedAndRestartedLosesNothing()
    {
        QFETCH(QStringList, operation);
        const int asked = qEnvironmentVariableIntValue("PARVELA_STRESS_RUNS");
        const int runs = asked > 0 ? asked : 6;
        const QString before = stateOf(m_baseline);
        QVERIFY(before.startsWith("ok "));
        // Runs to their end give the state "all" and how long the work takes at most.
        QString path;
        qint64 workMicroseconds = 0;
        for (int run = 0; run < 3; ++run) {
            QProcess child;
            QVERIFY(startReady(child, QStringList{path = freshRun()} + operation));
            QElapsedTimer clock;
            clock.start();
            QVERIFY(child.waitForFinished(30000) && child.exitCode() == 0
                    && child.exitStatus() == QProcess::NormalExit);
            workMicroseconds = qMax(workMicroseconds, clock.nsecsElapsed() / 1000);
        }
        const QString all = stateOf(path);
        QCOMPARE(all != before, operation[0] != "startup");

        std::mt19937 random(Seed + static_cast<unsigned>(qHash(operation.join(' '))));
        // Each run is killed at a random moment of its own slice of twice the time the work takes,
        // so that a few runs cover the work from before it starts to after it ends.
        std::uniform_real_distribution<double> withinSlice(0, 1);
        int none = 0, done = 0, journals = 0;
        for (int run = 0; run < runs; ++run, ++m_runs) {
            const auto killedAt = qint64((run + withinSlice(random)) * double(workMicroseconds) * 2 / runs);
            QProcess child, restart;
            QVERIFY(startReady(child, QStringList{path = freshRun()} + operation));
            QThread::usleep(static_cast<unsigned long>(killedAt));
            child.kill();
            QVERIFY(child.waitForFinished(10000));
            const bool journal = QFile(path + "-journal").size() > 0;
            journals += journal;
            // A start-up leaves the file as it was: what it gets done is the day's copy.
            const QDir backups(Backup::folderFor(path));
            const QString today = backups.filePath(Backup::fileNameFor(QDate::currentDate()));
            const bool copiedBeforeTheKill = QFileInfo::exists(today);
            restart.start(QCoreApplication::applicationFilePath(), {"--child", path, "startup"});
            const bool exited = restart.waitForFinished(60000) && restart.exitStatus() == QProcess::NormalExit
                                && restart.exitCode() == 0;
            const QString restarted = said(restart), state = stateOf(path), copy = stateOf(today);
            const QString log =
                m_output.filePath(QStringLiteral("%1-%2.log").arg(operation[0]).arg(run, 4, 10, QChar('0')));
            QFile file(log);
            if (file.open(QIODevice::WriteOnly))
                QTextStream(&file) << "killed after " << killedAt << " of " << workMicroseconds
                                   << " µs, journal left: " << journal << "\n--- killed\n"
                                   << said(child) << "\n--- restart\n"
                                   << restarted << "\n--- file\n"
                                   << state << "\n--- copy\n"
                                   << copy << '\n';
            QVERIFY2(exited && restarted.startsWith("ready\nstarted\n--- stderr"), qPrintable(log));
            QVERIFY2(state.startsWith("ok ") && copy == state, qPrintable(log));
            QCOMPARE(backups.entryList(QDir::Files), QStringList{Backup::fileNameFor(QDate::currentDate())});
            QVERIFY2(state == before || state == all, qPrintable(log + ": part of it left behind"));
            const bool finished = operation[0] == "startup" ? copiedBeforeTheKill : state == all;
            none += !finished;
            done += finished;
        }
        qInfo("%s: %d runs killed within %lld µs of work (%d left a journal) and restarted, sound every time: %d "
              "killed before the work was done, %d after",
              qPrintable(operation[0]), runs, workMicroseconds, journals, none, done);
    }

    void cleanupTestCase()
    {
        qInfo("crashes: %d killed and restarted runs, seed %u, output in %s", m_runs, Seed,
              qPrintable(m_output.path()));
    }
};

int main(int argc, char **argv)
{
    if (argc > 3 && qstrcmp(argv[1], "--child") == 0) {
        QApplication app(argc, argv);
        ParvelaTest::prepareApplication();
        try {
            return child(QString::fromLocal8Bit(argv[2]), QString::fromLatin1(argv[3]), argc > 4 ? atoi(argv[4]) : 0);
        } catch (const std::runtime_error &error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
    }
    ParvelaTest::prepareEnvironment();
    QApplication app(argc, argv);
    ParvelaTest::prepareApplication();
    TestCrashes test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_crashes.moc"
