// The daily copy of the database: made once a day at start-up, checked, the newest ten kept,
// and a failure told once without keeping the menu from opening.
#include "parvelatest.h"

#include "core/backup.h"
#include "core/database.h"
#include "core/gui/form1.h"
#include "core/membertable.h"
#include "platform/gui/messagebox.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <memory>

namespace {

const QDate Today(2026, 12, 7);

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Member names of a database file, read on a connection of its own.
QStringList memberNamesOf(const QString &path)
{
    QStringList names;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("copy"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("select NAME from Member order by ID"));
            while (query.next())
                names << query.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("copy"));
    return names;
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_db = std::make_unique<ParvelaTest::TemporaryDatabase>();
        MemberTable::insert(QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"), QStringLiteral("1960/2/3"), 18);
        MemberTable::insert(QStringLiteral("O'Brien"), QStringLiteral("おぶらいえん"), QString(), 7);
        m_backups = QDir(m_db->folder()).filePath(QStringLiteral("backup"));
        MessageBox::takeShown();
    }
    void cleanup()
    {
        m_db.reset();
        MessageBox::takeShown();
    }

    void firstStartMakesACopyThatOpensWithTheSameRows()
    {
        Database::close();
        Form1 menu;
        QVERIFY(menu.Form_Load());
        QVERIFY(MessageBox::takeShown().isEmpty());
        const QString copy = QDir(m_backups).filePath(Backup::fileNameFor(QDate::currentDate()));
        QCOMPARE(namesIn(m_backups), QStringList{Backup::fileNameFor(QDate::currentDate())});
        QCOMPARE(memberNamesOf(copy), (QStringList{QStringLiteral("山田太郎"), QStringLiteral("O'Brien")}));

        // The copy is a Parvela database of its own: the program opens it as it would the original.
        Database::open(copy);
        QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Member")).toInt(), 2);
        QCOMPARE(MemberTable::byId(2)->name, QStringLiteral("O'Brien"));
    }

    void secondStartTheSameDayMakesNone()
    {
        QVERIFY(Backup::makeDaily(Today).made);
        const QString copy = QDir(m_backups).filePath(QStringLiteral("parvela-20261207.mdb"));
        QVERIFY(QFile::exists(copy));
        MemberTable::insert(QStringLiteral("後から"), QStringLiteral("あとから"), QString(), 1);

        const Backup::Outcome again = Backup::makeDaily(Today);
        QVERIFY(!again.made);
        QVERIFY(again.problem.isEmpty());
        QCOMPARE(namesIn(m_backups), QStringList{QStringLiteral("parvela-20261207.mdb")});
        // The morning's copy is not replaced by the later state.
        QCOMPARE(memberNamesOf(copy).size(), 2);

        QVERIFY(Backup::makeDaily(Today.addDays(1)).made);
        QCOMPARE(namesIn(m_backups),
                 (QStringList{QStringLiteral("parvela-20261207.mdb"), QStringLiteral("parvela-20261208.mdb")}));
        QCOMPARE(memberNamesOf(QDir(m_backups).filePath(QStringLiteral("parvela-20261208.mdb"))).size(), 3);
    }

    void twelveDaysOfCopiesKeepTheNewestTen()
    {
        QVERIFY(QDir().mkpath(m_backups));
        // Files the user put there, and a name that only looks like a copy, are never pruned.
        writeFile(QDir(m_backups).filePath(QStringLiteral("parvela-old.mdb")), "mine");
        writeFile(QDir(m_backups).filePath(QStringLiteral("parvela-2026010.mdb")), "mine");
        writeFile(QDir(m_backups).filePath(QStringLiteral("notes.txt")), "mine");
        // Across a month's end, so the order is by date and not by day of month.
        const QDate first(2026, 11, 26);
        for (int day = 0; day < 12; ++day) {
            const Backup::Outcome outcome = Backup::makeDaily(first.addDays(day));
            QVERIFY(outcome.made);
            QVERIFY2(outcome.problem.isEmpty(), qPrintable(outcome.problem));
        }
        QStringList expected;
        for (int day = 2; day < 12; ++day)
            expected << Backup::fileNameFor(first.addDays(day));
        expected << QStringLiteral("notes.txt") << QStringLiteral("parvela-2026010.mdb")
                 << QStringLiteral("parvela-old.mdb");
        QStringList names = namesIn(m_backups);
        names.sort();
        expected.sort();
        QCOMPARE(names, expected);
        QVERIFY(expected.contains(QStringLiteral("parvela-20261207.mdb")));
        QVERIFY(!names.contains(QStringLiteral("parvela-20261127.mdb")));
    }

    void unwritableBackupFolderIsToldOnceAndTheMenuStillOpens()
    {
        // A plain file where the folder belongs stops the copy even for root, who ignores
        // permission bits.
        writeFile(m_backups, "not a folder");
        Database::close();
        Form1 menu;
        QVERIFY(menu.Form_Load());
        QVERIFY(Database::isOpen());
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QCOMPARE(shown[0].title, QStringLiteral("Parvela"));
        QVERIFY2(shown[0].text.startsWith(QStringLiteral("データベースのバックアップを作成できませんでした。")),
                 qPrintable(shown[0].text));
        QVERIFY2(shown[0].text.contains(QDir::toNativeSeparators(m_backups)), qPrintable(shown[0].text));
        QVERIFY(ParvelaTest::showActive(&menu));
        QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Member")).toInt(), 2);
        QCOMPARE(namesIn(m_db->folder()), (QStringList{QStringLiteral("backup"), QStringLiteral("parvela.mdb")}));
    }

    void copyFailingQuickCheckIsRemoved()
    {
        QString checked;
        bool soundBeforeDamage = false;
        const Backup::Outcome outcome = Backup::makeDaily(Today, [&](const QString &path) {
            soundBeforeDamage = Backup::copyIsSound(path);
            // Spoil the page of a table's root, as a failing disk would.
            checked = path;
            QFile file(path);
            if (file.open(QIODevice::ReadWrite)) {
                file.seek(file.size() - 4096);
                file.write(QByteArray(4096, '\x5a'));
            }
            file.close();
            return Backup::copyIsSound(path);
        });
        QVERIFY(!checked.isEmpty());
        QVERIFY(soundBeforeDamage);
        QVERIFY(!outcome.made);
        QVERIFY2(outcome.problem.contains(QStringLiteral("quick_check")), qPrintable(outcome.problem));
        QVERIFY(!QFile::exists(checked));
        QVERIFY(namesIn(m_backups).isEmpty());
        // The next start tries again, and this time keeps a sound copy.
        QVERIFY(Backup::makeDaily(Today).made);
        QVERIFY(Backup::copyIsSound(QDir(m_backups).filePath(QStringLiteral("parvela-20261207.mdb"))));
    }

    void leftoverHalfWrittenCopyDoesNotStopTheNext()
    {
        QVERIFY(QDir().mkpath(m_backups));
        writeFile(QDir(m_backups).filePath(QStringLiteral("parvela-20261207.mdb.part")), "half");
        const Backup::Outcome outcome = Backup::makeDaily(Today);
        QVERIFY2(outcome.made, qPrintable(outcome.problem));
        QCOMPARE(namesIn(m_backups), QStringList{QStringLiteral("parvela-20261207.mdb")});
    }

    void awkwardFolderNamesAreBoundNotSpliced()
    {
        // A quote in the folder's name would break a statement built by concatenation.
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
        QCOMPARE(memberNamesOf(QDir(folder).filePath(QStringLiteral("backup/parvela-20261207.mdb"))),
                 QStringList{QStringLiteral("一人")});
        Database::close();
    }

    void helpTellsHowToRestoreACopy()
    {
        QFile help(
            QDir(QString::fromLocal8Bit(qgetenv("PARVELA_SOURCE_DIR"))).filePath(QStringLiteral("data/parvela.hlp")));
        QVERIFY(help.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(help.readAll());
        const int section = text.indexOf(QStringLiteral("バックアップから戻すには"));
        QVERIFY(section > 0);
        // The names and the count the help gives are the ones the program uses.
        QVERIFY(text.contains(QStringLiteral("backup/parvela-YYYYMMDD.mdb")));
        QVERIFY(text.contains(Backup::fileNameFor(Today)));
        QVERIFY(text.contains(QStringLiteral("新しい %1 個を残し").arg(Backup::KeptCopies)));
        QVERIFY(text.indexOf(QStringLiteral("parvela.mdb-journal"), section) > section);
    }

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;
    QString m_backups;
};

PARVELA_TEST_MAIN(TestBackup)
#include "tst_backup.moc"
