// The program as several processes meet it: a second start on the same database while the first
// runs, a start after the first was killed, a folder where the lock cannot be made, a kill while
// the day's copy is written, and a database whose folder may not be written.
//
// The other program is this one, started again as a child:
//   reliability_tst_processes --child FOLDER start        the program's start on FOLDER's
//                                                         database: says "started" once the day's
//                                                         copy is told, then runs until killed
//   reliability_tst_processes --child FOLDER slowcopy     the same, its copy stopping for a minute
//                                                         after the bytes are written: says "copying"
#include "parvelatest.h"

#include "core/databaseerrortext.h"
#include "core/databaselock.h"
#include "core/gui/programstart.h"

#include <QSysInfo>
#include <QThread>

#include <cstdio>

#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ParvelaTest;

namespace {

int child(const QString &folder, const QString &how)
{
    if (how == "slowcopy") {
        DayCopy::setSeams({[] {
            std::puts("copying");
            std::fflush(stdout);
            QThread::sleep(60);
        }});
    }
    MainMenu *menu = ProgramStart::showMainMenu(folder);
    const bool started = menu && QTest::qWaitFor([menu] { return menu->findChild<DayCopy *>()->isFinished(); });
    std::puts(started ? "started" : "refused");
    std::fflush(stdout);
    return started ? QApplication::exec() : 1;
}

// Starts the child on the folder and waits until it says `awaited`.
bool startChild(QProcess &process, const QString &folder, const QString &how, const QByteArray &awaited)
{
    process.start(QCoreApplication::applicationFilePath(), {"--child", folder, how});
    QByteArray said;
    while (!said.contains(awaited + '\n') && process.waitForReadyRead(30000))
        said += process.readAllStandardOutput();
    return said.contains(awaited + '\n');
}

} // namespace

class TestProcesses : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;

private slots:
    void init()
    {
        m_db = freshSettingsAndDatabase(2026);
        MemberTable::insert("山田", "やまだ", "1960/1/1", 18);
        Database::close();
        MessageBox::takeShown();
    }
    void cleanup() { endWindowTest(m_db); }

    // A second start says where the database is open and ends; the first keeps running. Once the
    // first has been killed, its lock is taken over without a word.
    void secondStartIsRefusedAndAKilledProgramsLockTakenOver()
    {
        QProcess first;
        QVERIFY(startChild(first, m_db->folder(), "start", "started"));
        MainMenu second;
        QVERIFY(!second.start());
        const QString told = takeOnlyError();
        QVERIFY2(told.contains(
                     QStringLiteral("データベース「%1」は、ほかの Parvela で既に開かれています（コンピュータ「%2」、"
                                    "プロセス番号 %3）")
                         .arg(m_db->path(), QSysInfo::machineHostName())
                         .arg(first.processId())),
                 qPrintable(told));
        QVERIFY(!Database::isOpen());
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        QVERIFY(first.waitForFinished(10000));
        QVERIFY(QFileInfo(DatabaseLock::pathFor(m_db->path())).isFile()); // left behind
        MainMenu third;
        QVERIFY(startProgram(third));
        QVERIFY(MessageBox::takeShown().isEmpty());
        // The lock is this program's now: a child started on it is refused in turn.
        QProcess fourth;
        QVERIFY(startChild(fourth, m_db->folder(), "start", "refused") && fourth.waitForFinished(10000));
    }

    // Where the lock cannot be made beside the database, the program still opens it and says so
    // once, with the risk.
    void databaseWhoseLockCannotBeMadeOpensWithAWarning()
    {
        QVERIFY(QDir().mkdir(DatabaseLock::pathFor(m_db->path()))); // what stops the lock even for root
        MainMenu menu;
        QVERIFY(startProgram(menu));
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QVERIFY(shown.size() == 1 && shown[0].icon == QMessageBox::Warning);
        QVERIFY2(
            shown[0].text.contains(QStringLiteral("データベースのフォルダ「%1」に目印のファイル").arg(m_db->folder()))
                && shown[0].text.contains("互いの変更を消してしまいます"),
            qPrintable(shown[0].text));
        QVERIFY(Database::isOpen());
    }

    // Killed while the copy is written: no file under a copy's name, and the next start makes a
    // sound one of the file.
    void killedDuringTheCopyLeavesNoCopyUnderItsName()
    {
        QProcess killed;
        QVERIFY(startChild(killed, m_db->folder(), "slowcopy", "copying"));
        killed.kill();
        QVERIFY(killed.waitForFinished(10000));
        const QDir backups(Backup::folderFor(m_db->path()));
        const QString today = Backup::fileNameFor(QDate::currentDate());
        QCOMPARE(backups.entryList(QDir::Files), QStringList{today + ".part"});
        MainMenu menu;
        QVERIFY(startProgram(menu));
        QCOMPARE(backups.entryList(QDir::Files), QStringList{today});
        QCOMPARE(Restore::inspect(backups.filePath(today)).members, 1);
    }

    // The file may be written, its folder not: the cause named is the folder, with what to do.
    // Root writes any folder, so the write is made by a child that has given root up.
    void unwritableFolderIsNamedAsTheCause()
    {
        const QString folder = m_db->folder();
        QVERIFY(::chmod(QFile::encodeName(m_db->path()).constData(), 0666) == 0);
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        int ends[2];
        QVERIFY(::pipe(ends) == 0);
        if (::fork() == 0) { // the child tells the engine's code of its write through the pipe
            sqlite3 *db = nullptr;
            const bool nobody = ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
            sqlite3_open(QFile::encodeName(m_db->path()).constData(), &db);
            sqlite3_extended_result_codes(db, 1);
            const int code = nobody ? sqlite3_exec(db, "update Member set HC=1", nullptr, nullptr, nullptr) : -1;
            ::_exit(::write(ends[1], &code, sizeof code) == sizeof code ? 0 : 1);
        }
        ::close(ends[1]);
        int code = -1;
        const ssize_t got = ::read(ends[0], &code, sizeof code);
        ::wait(nullptr);
        ::close(ends[0]);
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        QCOMPARE(got, ssize_t(sizeof code));
        const QString cause = DatabaseErrorText::cause(code, {m_db->path(), false});
        QVERIFY2(cause.startsWith(QStringLiteral("データベースのフォルダ「%1」に書き込めません").arg(folder))
                     && cause.contains("データベースを書き込めるフォルダに移して"),
                 qPrintable(QString::number(code) + ' ' + cause));
    }
};

int main(int argc, char **argv)
{
    if (argc > 3 && qstrcmp(argv[1], "--child") == 0) {
        QApplication app(argc, argv);
        ParvelaTest::prepareApplication();
        return child(QString::fromLocal8Bit(argv[2]), QString::fromLatin1(argv[3]));
    }
    ParvelaTest::prepareEnvironment();
    QApplication app(argc, argv);
    ParvelaTest::prepareApplication();
    TestProcesses test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_processes.moc"
