// The daily copy of the database: made once a day at start-up, checked, the newest ten and the
// day's own kept, written only as a new file in the real backup folder, and a refusal told once
// without keeping the menu from opening.
#include "parvelatest.h"

#include "core/backup.h"
#include "core/database.h"
#include "core/gui/form1.h"
#include "core/membertable.h"
#include "platform/gui/messagebox.h"

#include <QDir>
#include <QFile>

#include <memory>

namespace {

const QDate Today = QDate::currentDate();

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

void writeFile(const QString &path, const QByteArray &content = "mine")
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
}

// Member names of a database file, opened as the program opens its own.
QStringList memberNamesOf(const QString &path)
{
    Database::open(path);
    QStringList names;
    for (const MemberRecord &member : MemberTable::allByKana())
        names << member.name;
    Database::close();
    return names;
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;
    QDir m_backups;

    // The program started as the user starts it: whether the menu opens, and what it told.
    QVector<MessageBox::Shown> start()
    {
        Database::close();
        Form1 menu;
        if (!menu.Form_Load())
            return {{QMessageBox::Critical, QString(), QStringLiteral("the menu did not open")}};
        return MessageBox::takeShown();
    }

    QString copyOf(const QDate &day) const { return m_backups.filePath(Backup::fileNameFor(day)); }

private slots:
    void init()
    {
        ParvelaTest::clearSettings();
        m_db = std::make_unique<ParvelaTest::TemporaryDatabase>();
        MemberTable::insert(QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"), QStringLiteral("1960/2/3"), 18);
        MemberTable::insert(QStringLiteral("O'Brien"), QStringLiteral("おぶらいえん"), QString(), 7);
        m_backups.setPath(Backup::folderFor(m_db->path()));
        MessageBox::takeShown();
    }
    void cleanup() { m_db.reset(); }

    void oneCopyADayThatOpensWithTheRowsOfThatMorning()
    {
        QVERIFY(start().isEmpty());
        QCOMPARE(namesIn(m_backups.path()), QStringList{Backup::fileNameFor(Today)});
        MemberTable::insert(QStringLiteral("後から"), QStringLiteral("あとから"), QString(), 1);
        QVERIFY(start().isEmpty());
        QCOMPARE(namesIn(m_backups.path()), QStringList{Backup::fileNameFor(Today)});
        // The morning's copy is not replaced by the later state; the next day's has it.
        QVERIFY(Backup::makeDaily(Today.addDays(1)).made);
        Database::close();
        QCOMPARE(memberNamesOf(copyOf(Today)), (QStringList{QStringLiteral("O'Brien"), QStringLiteral("山田太郎")}));
        QCOMPARE(memberNamesOf(copyOf(Today.addDays(1))).size(), 3);
    }

    void twelveDaysOfCopiesKeepTheNewestTen()
    {
        QVERIFY(m_backups.mkpath(QStringLiteral(".")));
        // Files the user put there, and names that only look like a copy, are never pruned.
        const QStringList mine = {QStringLiteral("notes.txt"), QStringLiteral("parvela-2026010.mdb"),
                                  QStringLiteral("parvela-20261399.mdb"), QStringLiteral("parvela-old.mdb")};
        for (const QString &name : mine)
            writeFile(m_backups.filePath(name));
        // Across a month's end, so the order is by date and not by day of month.
        const QDate first(2026, 11, 26);
        for (int day = 0; day < 12; ++day) {
            const Backup::Outcome outcome = Backup::makeDaily(first.addDays(day));
            QVERIFY2(outcome.made && outcome.problem.isEmpty(), qPrintable(outcome.problem));
        }
        QStringList expected = mine;
        for (int day = 2; day < 12; ++day)
            expected << Backup::fileNameFor(first.addDays(day));
        expected.sort();
        QCOMPARE(namesIn(m_backups.path()), expected);
    }

    void copiesDatedInTheFutureNeverPruneTheDaysOwnAndAreToldOnce()
    {
        // A clock set back, or copies brought from another computer.
        QVERIFY(m_backups.mkpath(QStringLiteral(".")));
        for (int day = 1; day <= Backup::KeptCopies; ++day)
            writeFile(copyOf(Today.addDays(day)));
        const QVector<MessageBox::Shown> told = start();
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].text.contains(QStringLiteral("今日（%1）より後の日付の写し").arg(Today.toString("yyyy/M/d"))),
                 qPrintable(told[0].text));
        QVERIFY(told[0].text.contains(Backup::fileNameFor(Today.addDays(Backup::KeptCopies))));
        QCOMPARE(namesIn(m_backups.path()).size(), Backup::KeptCopies + 1);
        QVERIFY(Backup::copyIsSound(copyOf(Today)));
        // The next start finds the day's copy and does nothing; made again, the copies are not
        // told again.
        QVERIFY(start().isEmpty());
        QVERIFY(QFile::remove(copyOf(Today)));
        QVERIFY(start().isEmpty());
        QVERIFY(Backup::copyIsSound(copyOf(Today)));
        QCOMPARE(namesIn(m_backups.path()).size(), Backup::KeptCopies + 1);
    }

    void linksAndStrangeNamesAreRefusedAndTheMenuStillOpens_data()
    {
        QTest::addColumn<QByteArray>("planted");
        QTest::addColumn<bool>("refused");
        QTest::newRow("dangling link named like the day's copy") << QByteArray("link") << true;
        QTest::newRow("dangling link named like the half-written copy") << QByteArray("part link") << true;
        QTest::newRow("backup folder is a link to elsewhere") << QByteArray("folder link") << true;
        QTest::newRow("a file where the folder belongs") << QByteArray("file") << true;
        QTest::newRow("half-written copy of an interrupted run") << QByteArray("part") << false;
    }
    void linksAndStrangeNamesAreRefusedAndTheMenuStillOpens()
    {
        QFETCH(QByteArray, planted);
        QFETCH(bool, refused);
        QTemporaryDir elsewhere;
        for (int day = 1; day <= 12; ++day)
            writeFile(QDir(elsewhere.path()).filePath(Backup::fileNameFor(QDate(2020, 1, day))));
        const QStringList elsewhereBefore = namesIn(elsewhere.path());
        const QString outside = QDir(elsewhere.path()).filePath(QStringLiteral("written-through-the-link.mdb"));
        QString named = m_backups.path();
        if (planted == "file") {
            writeFile(named);
        } else if (planted == "folder link") {
            QVERIFY(QFile::link(elsewhere.path(), named));
        } else {
            QVERIFY(m_backups.mkpath(QStringLiteral(".")));
            named = copyOf(Today) + (planted == "link" ? QString() : QStringLiteral(".part"));
            if (planted == "part")
                writeFile(named, "half");
            else
                QVERIFY(QFile::link(outside, named));
        }

        const QVector<MessageBox::Shown> told = start();
        QCOMPARE(told.size(), refused ? 1 : 0);
        if (refused) {
            QCOMPARE(told[0].icon, QMessageBox::Warning);
            QVERIFY(told[0].text.startsWith(QStringLiteral("データベースのバックアップを作成できませんでした。")));
            QVERIFY2(told[0].text.contains(QDir::toNativeSeparators(named)), qPrintable(told[0].text));
        }
        QVERIFY(Database::isOpen());
        QCOMPARE(namesIn(elsewhere.path()), elsewhereBefore);
        QCOMPARE(Backup::copyIsSound(copyOf(Today)), !refused);
    }

    void copyFailingQuickCheckIsRemovedAndTheNextStartTriesAgain()
    {
        QString checked;
        const Backup::Outcome outcome = Backup::makeDaily(Today, [&](const QString &path) {
            checked = path;
            // Spoil the page of a table's root, as a failing disk would.
            QFile file(path);
            file.open(QIODevice::ReadWrite);
            file.seek(file.size() - 4096);
            file.write(QByteArray(4096, '\x5a'));
            file.close();
            return Backup::copyIsSound(path);
        });
        QVERIFY(!outcome.made);
        QVERIFY2(outcome.problem.contains(QStringLiteral("quick_check")), qPrintable(outcome.problem));
        QVERIFY(!checked.isEmpty() && !QFile::exists(checked));
        QVERIFY(namesIn(m_backups.path()).isEmpty());
        QVERIFY(Backup::makeDaily(Today).made);
        QVERIFY(Backup::copyIsSound(copyOf(Today)));
    }

    void awkwardFolderNamesAreBoundNotSpliced()
    {
        m_db.reset();
        QTemporaryDir parent;
        const QString folder = QDir(parent.path()).filePath(QStringLiteral("O'Neil's クラブ"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = QDir(folder).filePath(QStringLiteral("parvela.mdb"));
        Database::create(path);
        Database::open(path);
        MemberTable::insert(QStringLiteral("一人"), QStringLiteral("ひとり"), QString(), 3);
        const Backup::Outcome outcome = Backup::makeDaily(Today);
        QVERIFY2(outcome.made, qPrintable(outcome.problem));
        Database::close();
        QCOMPARE(memberNamesOf(QDir(Backup::folderFor(path)).filePath(Backup::fileNameFor(Today))),
                 QStringList{QStringLiteral("一人")});
    }

    void helpTellsHowToRestoreACopy()
    {
        QFile help(QDir(qEnvironmentVariable("PARVELA_SOURCE_DIR")).filePath(QStringLiteral("data/parvela.hlp")));
        QVERIFY(help.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(help.readAll());
        const int section = text.indexOf(QStringLiteral("バックアップから戻すには"));
        QVERIFY(section > 0);
        // The names and the count the help gives are the ones the program uses.
        QVERIFY(text.contains(QStringLiteral("backup/parvela-YYYYMMDD.mdb")));
        QVERIFY(text.contains(Backup::fileNameFor(QDate(2026, 12, 7))));
        QVERIFY(text.contains(QStringLiteral("新しい %1 個を残し").arg(Backup::KeptCopies)));
        QVERIFY(text.indexOf(QStringLiteral("parvela.mdb-journal"), section) > section);
    }
};

PARVELA_TEST_MAIN(TestBackup)
#include "tst_backup.moc"
