// The daily copy of the database: made once a day at start-up, checked, the newest ten and the
// day's own kept, written only as a new file in the real backup folder, and a refusal told once
// without keeping the menu from opening. A kill while it is made is in reliability/tst_crashes.
#include "parvelatest.h"

#include "core/backup.h"
#include "core/database.h"
#include "core/gui/form1.h"
#include "core/membertable.h"
#include "platform/gui/messagebox.h"

#include <memory>

namespace {

const QDate Today = QDate::currentDate();

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

void writeFile(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("mine");
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;
    QDir m_backups;

    // The program started as the user starts it: what it told (a refusal to start counts too).
    QVector<MessageBox::Shown> start()
    {
        Database::close();
        if (!Form1().Form_Load())
            return {{QMessageBox::Critical, QString(), QStringLiteral("the menu did not open")}};
        return MessageBox::takeShown();
    }
    QString copyOf(const QDate &day) const { return m_backups.filePath(Backup::fileNameFor(day)); }
    int membersIn(const QString &copy)
    {
        Database::open(copy);
        const int count = ParvelaTest::value(QStringLiteral("select count(*) from Member")).toInt();
        Database::close();
        return count;
    }

private slots:
    void init()
    {
        ParvelaTest::clearSettings();
        m_db = std::make_unique<ParvelaTest::TemporaryDatabase>();
        MemberTable::insert(QStringLiteral("O'Brien"), QStringLiteral("おぶらいえん"), QString(), 7);
        m_backups.setPath(Backup::folderFor(m_db->path()));
        MessageBox::takeShown();
    }
    void cleanup() { m_db.reset(); }

    void oneCopyADayWithTheRowsOfThatMorning()
    {
        QVERIFY(start().isEmpty());
        MemberTable::insert(QStringLiteral("後から"), QStringLiteral("あとから"), QString(), 1);
        QVERIFY(start().isEmpty());
        QVERIFY(Backup::makeDaily(Today.addDays(1)).made);
        QCOMPARE(namesIn(m_backups.path()),
                 (QStringList{Backup::fileNameFor(Today), Backup::fileNameFor(Today.addDays(1))}));
        // A copy opens as the program opens its own file.
        QCOMPARE(membersIn(copyOf(Today)), 1);
        QCOMPARE(membersIn(copyOf(Today.addDays(1))), 2);
    }

    void theNewestTenAndTheDaysOwnAreKeptAndCopiesDatedLaterToldOnce()
    {
        QVERIFY(m_backups.mkpath(QStringLiteral(".")));
        // Files the user put there, and names that only look like a copy, are never pruned.
        QStringList kept = {QStringLiteral("notes.txt"), QStringLiteral("parvela-2026010.mdb"),
                            QStringLiteral("parvela-20261399.mdb"), Backup::fileNameFor(Today)};
        for (int day = 1; day <= 12; ++day) {
            writeFile(copyOf(Today.addDays(-day)));
            if (day < Backup::KeptCopies)
                kept << Backup::fileNameFor(Today.addDays(-day));
        }
        for (const QString &name : kept.mid(0, 3))
            writeFile(m_backups.filePath(name));
        QVERIFY(start().isEmpty());
        kept.sort();
        QCOMPARE(namesIn(m_backups.path()), kept);

        // Copies dated after today (a clock set back, copies from another computer) count as the
        // newest, but never push out the copy just made; they are told about once.
        for (int day = 1; day <= Backup::KeptCopies; ++day)
            writeFile(copyOf(Today.addDays(day)));
        QVERIFY(QFile::remove(copyOf(Today)));
        const QVector<MessageBox::Shown> told = start();
        QVERIFY(told.size() == 1 && told[0].icon == QMessageBox::Warning);
        QVERIFY2(told[0].text.contains(QStringLiteral("今日（%1）より後の日付の写し").arg(Today.toString("yyyy/M/d")))
                     && told[0].text.contains(Backup::fileNameFor(Today.addDays(Backup::KeptCopies))),
                 qPrintable(told[0].text));
        QVERIFY(Backup::copyIsSound(copyOf(Today)));
        QCOMPARE(namesIn(m_backups.path()).size(), 3 + Backup::KeptCopies + 1);
        QVERIFY(start().isEmpty());
        QVERIFY(QFile::remove(copyOf(Today)));
        QVERIFY(start().isEmpty());
        QVERIFY(Backup::copyIsSound(copyOf(Today)));
    }

    void linksAndStrangeNamesAreRefusedAndTheMenuStillOpens_data()
    {
        QTest::addColumn<QString>("planted"); // what is put where, relative to the backup folder
        QTest::newRow("dangling link named like the day's copy") << Backup::fileNameFor(Today);
        QTest::newRow("dangling link named like the half-written copy") << Backup::fileNameFor(Today) + ".part";
        QTest::newRow("backup folder is a link to elsewhere") << ".";
        QTest::newRow("a file where the folder belongs") << "file";
        QTest::newRow("half-written copy of an interrupted run") << Backup::fileNameFor(Today) + ".part file";
    }
    void linksAndStrangeNamesAreRefusedAndTheMenuStillOpens()
    {
        QFETCH(QString, planted);
        QTemporaryDir elsewhere;
        for (int day = 1; day <= 12; ++day)
            writeFile(QDir(elsewhere.path()).filePath(Backup::fileNameFor(QDate(2020, 1, day))));
        const QStringList elsewhereBefore = namesIn(elsewhere.path());
        QString named = m_backups.path();
        const bool refused = !planted.endsWith(QStringLiteral(" file"));
        if (planted == QStringLiteral("file")) {
            writeFile(named);
        } else if (planted == QStringLiteral(".")) {
            QVERIFY(QFile::link(elsewhere.path(), named));
        } else {
            QVERIFY(m_backups.mkpath(QStringLiteral(".")));
            named = m_backups.filePath(planted.section(QLatin1Char(' '), 0, 0));
            if (refused)
                QVERIFY(QFile::link(QDir(elsewhere.path()).filePath(QStringLiteral("written-through.mdb")), named));
            else
                writeFile(named);
        }
        const QVector<MessageBox::Shown> told = start();
        QCOMPARE(told.size(), refused ? 1 : 0);
        QVERIFY(!refused
                || (told[0].text.startsWith(QStringLiteral("データベースのバックアップを作成できませんでした。"))
                    && told[0].text.contains(QDir::toNativeSeparators(named))));
        QVERIFY(Database::isOpen());
        QCOMPARE(namesIn(elsewhere.path()), elsewhereBefore);
        QCOMPARE(Backup::copyIsSound(copyOf(Today)), !refused);
    }

    void copyFailingQuickCheckIsRemovedAndTheNextStartTriesAgain()
    {
        QString checked;
        const Backup::Outcome outcome = Backup::makeDaily(Today, [&checked](const QString &path) {
            checked = path;
            // Spoil the page of a table's root, as a failing disk would.
            QFile file(path);
            file.open(QIODevice::ReadWrite);
            file.seek(file.size() - 4096);
            file.write(QByteArray(4096, '\x5a'));
            file.close();
            return Backup::copyIsSound(path);
        });
        QVERIFY(!outcome.made && outcome.problem.contains(QStringLiteral("quick_check")));
        QVERIFY(!checked.isEmpty() && namesIn(m_backups.path()).isEmpty());
        QVERIFY(start().isEmpty());
        QVERIFY(Backup::copyIsSound(copyOf(Today)));
    }
};

PARVELA_TEST_MAIN(TestBackup)
#include "tst_backup.moc"
