// The benchmark's own reckoning, which decides its last line and exit code: each figure judged
// against its target, and the programs it starts, which must paint the window it expects first
// and, on the first start of a day, end only after making the day's copy.
#include "databasefixture.h"

#include "measure.h"
#include "startedprocess.h"

using namespace ParvelaTest;

class TestBenchmark : public QObject
{
    Q_OBJECT

private slots:
    void verdicts_data()
    {
        QTest::addColumn<QVector<double>>("times");
        QTest::addColumn<QVector<double>>("floorTimes");
        QTest::addColumn<double>("ratioTarget");
        QTest::addColumn<double>("msTarget");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<bool>("met");
        QTest::newRow("at the ratio") << QVector<double>{12} << QVector<double>{10} << 1.2 << 0.0 << 1.2 << true;
        QTest::newRow("above the ratio") << QVector<double>{12.1} << QVector<double>{10} << 1.2 << 0.0 << 1.21 << false;
        QTest::newRow("at the milliseconds")
            << QVector<double>{50} << QVector<double>{50} << 0.0 << 50.0 << 1.0 << false;
        QTest::newRow("the ratio met, the time not")
            << QVector<double>{60} << QVector<double>{50} << 1.3 << 50.0 << 1.2 << false;
        // The ratios 1, 3 and 0.5 beside each other; the medians' ratio would be 2.
        QTest::newRow("the median of the ratios")
            << QVector<double>{10, 30, 20} << QVector<double>{10, 10, 40} << 1.5 << 0.0 << 1.0 << true;
    }
    void verdicts()
    {
        QFETCH(QVector<double>, times);
        QFETCH(QVector<double>, floorTimes);
        QFETCH(double, ratioTarget);
        QFETCH(double, msTarget);
        QFETCH(double, ratio);
        QFETCH(bool, met);
        const Measure::Verdict verdict = Measure::judge(times, floorTimes, {ratioTarget, msTarget});
        QCOMPARE(verdict.ratio, ratio);
        QCOMPARE(verdict.met, met);
    }

    void lastLineSaysWhetherAllWereMet()
    {
        Measure::report({"met", "40×1"}, {10}, {10}, {}, {}, {1.1, 0});
        QVERIFY(Measure::printSummary());
        Measure::report({"missed", "40×1"}, {12}, {10}, {}, {}, {1.1, 0});
        QVERIFY(!Measure::printSummary());
    }

    // The program as built, on a club with ten copies of earlier days: its main menu first, then
    // the day's copy made and the oldest pruned before it ends. The floors paint their bare window.
    void startedProgramsPaintTheirWindow()
    {
        QTemporaryDir home;
        const QString database = home.filePath("Parvela/parvela.mdb");
        QDir backups(Backup::folderFor(database));
        QVERIFY(backups.mkpath("."));
        DemoData::createClub(database, DemoData::Options(), settings());
        const QDate today = QDate::currentDate();
        for (int day = 1; day <= Backup::KeptCopies; ++day)
            QVERIFY(QFile::copy(database, backups.filePath(Backup::fileNameFor(today.addDays(-day)))));

        const auto program = StartedProcess::untilFirstPaint(StartedProcess::Program, home.path());
        QVERIFY(program);
        QCOMPARE(program->windowClass, QByteArray("MainMenu"));
        QVERIFY(program->peakMiB > 0);
        QVERIFY(Backup::copyIsSound(backups.filePath(Backup::fileNameFor(today))));
        QCOMPARE(backups.entryList(QDir::Files).size(), Backup::KeptCopies);
        QVERIFY(!backups.exists(Backup::fileNameFor(today.addDays(-Backup::KeptCopies))));
        for (const QString &floor : {StartedProcess::BareWidgets, StartedProcess::BareLibraries})
            QCOMPARE(
                StartedProcess::untilFirstPaint(floor, home.path()).value_or(StartedProcess::Painted{}).windowClass,
                QByteArray("QWidget"));
    }
};

PARVELA_CORE_TEST_MAIN(TestBenchmark)
#include "tst_benchmark.moc"
