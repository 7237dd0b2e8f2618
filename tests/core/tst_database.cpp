// The record layer (IDs, the first row of a month) and the database tool, parvela-db. The club the
// demonstration makes is checked where the first start offers it, in tst_datalocation; files the
// start-up refuses, how failures are told and that every change is all or nothing, in
// reliability/tst_faults.
#include "databasefixture.h"

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

    // The database tool as a user runs it: its exit code, the start of what it writes first (out:
    // or err:), and the members and competitions of the file it names.
    void theDatabaseToolMakesAFileOrSaysWhyNot()
    {
        QTemporaryDir dir;
        const QString club = dir.filePath("club.mdb"), other = dir.filePath("other.mdb");
        const QString missing = dir.filePath("missing/club.mdb"), usage = "err: 使い方 / usage:";
        const QString refused = "err: parvela-db: ";
        using Case = std::tuple<QStringList, int, QString, QString>;
        for (const auto &[arguments, code, said, left] : std::initializer_list<Case>{
                 {{"--version"}, 0, "out: parvela-db ", "none"},
                 {{"init", club}, 0, "", "0 0"},
                 {{"init", club}, 1, refused + "「" + club + "」は既にあります。上書きはしません。", "0 0"},
                 {{"init", missing}, 1, refused + "「" + missing + "」を作成できません", "none"},
                 {{"init", other, "--seed", "5"}, 2, usage, "none"},
                 {{"demo", other, "--members"}, 2, usage, "none"},
                 {{"demo", other, "--members", "100000"}, 2, usage, "none"},
                 {{"demo", other, "--members", "0"}, 1, refused + "会員数は 1 から", "none"},
                 {{"demo", other, "--members", "2000", "--years", "2"}, 1, refused + "成績が最大", "none"}, // IDs
                 {{"demo", other, "--members", "5", "--years", "2", "--year", "2020"}, 0, "", "5 24"},
                 {{}, 2, usage, "none"}}) {
            QProcess tool;
            tool.start(qEnvironmentVariable("PARVELA_DB"), arguments);
            QVERIFY(tool.waitForFinished(60000));
            const QString out = tool.readAllStandardOutput();
            const QString first = out.isEmpty() ? "err: " + tool.readAllStandardError() : "out: " + out;
            const Restore::BackupFile made = Restore::inspect(arguments.value(1)); // on a connection of its own
            const QString file = made.sound ? QStringLiteral("%1 %2").arg(made.members).arg(made.competitions) : "none";
            QCOMPARE(arguments.join(' ') + " → " + QString::number(tool.exitCode()) + ' ' + first.left(said.size())
                         + " | " + file,
                     arguments.join(' ') + " → " + QString::number(code) + ' ' + said + " | " + left);
        }
    }
};

PARVELA_CORE_TEST_MAIN(TestDatabase)
#include "tst_database.moc"
