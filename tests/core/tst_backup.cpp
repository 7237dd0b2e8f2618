// The daily copy of the database, and going back to a copy. The daily copy: made once a day
// at start-up with the rows of that morning, checked, the newest ten and the day's own kept,
// written only as a new file in the real backup folder, and a refusal told once without keeping
// the menu from opening (a kill while it is made is in reliability/tst_crashes). The restore:
// only sound copies are offered, and the data before it is kept as a copy of its own.
#include "parvelatest.h"

using namespace ParvelaTest;

namespace {

const QDate Today = QDate::currentDate();

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Writes into the file, made if missing: a file of the user's, or by default a copy's second
// page (a table's root) spoilt as a failing disk would.
bool writeInto(const QString &path, const QByteArray &bytes = QByteArray(4096, 'x'), qint64 offset = 4096)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.seek(offset) && file.write(bytes) == bytes.size();
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;
    QDir m_backups;

    // The program started as the user starts it: what it told (a refusal to start counts too).
    QVector<MessageBox::Shown> start()
    {
        Database::close();
        if (!Form1().Form_Load())
            return {{QMessageBox::Critical, QString(), "the menu did not open", {}}};
        return MessageBox::takeShown();
    }
    QString copyOf(const QDate &day) const { return m_backups.filePath(Backup::fileNameFor(day)); }
    bool soundCopyOfToday() const { return Backup::copyIsSound(copyOf(Today)); }

private slots:
    void init()
    {
        m_db = freshSettingsAndDatabase(2026);
        MemberTable::insert("O'Brien", "おぶらいえん", QString(), 7);
        m_backups.setPath(Backup::folderFor(m_db->path()));
        MessageBox::takeShown();
    }
    void cleanup() { endWindowTest(m_db); }

    void theNewestTenAndTheDaysOwnAreKeptAndCopiesDatedLaterToldOnce()
    {
        QVERIFY(m_backups.mkpath("."));
        // Files the user put there, and names that only look like a copy, are never pruned.
        QStringList kept = {"notes.txt", "parvela-2026010.mdb", "parvela-20261399.mdb", Backup::fileNameFor(Today)};
        for (const QString &name : kept.mid(0, 3))
            writeInto(m_backups.filePath(name), "mine", 0);
        for (int day = 1; day <= 12; ++day) {
            writeInto(copyOf(Today.addDays(-day)), "mine", 0);
            if (day < Backup::KeptCopies)
                kept << Backup::fileNameFor(Today.addDays(-day));
        }
        QVERIFY(start().isEmpty());
        kept.sort();
        QCOMPARE(namesIn(m_backups.path()), kept);
        // A second start that day keeps the copy of the morning.
        MemberTable::insert("後から", "あとから", QString(), 1);
        QVERIFY(start().isEmpty());
        QCOMPARE(Restore::inspect(copyOf(Today)).members, 1);

        // Copies dated after today (a clock set back, copies from another computer) count as the
        // newest, but never push out the copy just made; they are told about once.
        for (int day = 1; day <= Backup::KeptCopies; ++day)
            writeInto(copyOf(Today.addDays(day)), "mine", 0);
        QVERIFY(QFile::remove(copyOf(Today)));
        const QVector<MessageBox::Shown> told = start();
        QVERIFY(told.size() == 1 && told[0].icon == QMessageBox::Warning);
        QVERIFY2(told[0].text.contains(QStringLiteral("今日（%1）より後の日付の写し").arg(Today.toString("yyyy/M/d")))
                     && told[0].text.contains(Backup::fileNameFor(Today.addDays(Backup::KeptCopies))),
                 qPrintable(told[0].text));
        QVERIFY(soundCopyOfToday());
        QCOMPARE(namesIn(m_backups.path()).size(), 3 + Backup::KeptCopies + 1);
        QVERIFY(start().isEmpty());
        QVERIFY(QFile::remove(copyOf(Today)));
        QVERIFY(start().isEmpty() && soundCopyOfToday());
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
            writeInto(QDir(elsewhere.path()).filePath(Backup::fileNameFor(QDate(2020, 1, day))), "mine", 0);
        const QStringList elsewhereBefore = namesIn(elsewhere.path());
        QString named = m_backups.path();
        const bool refused = !planted.endsWith(" file");
        if (planted == "file") {
            writeInto(named, "mine", 0);
        } else if (planted == ".") {
            QVERIFY(QFile::link(elsewhere.path(), named));
        } else {
            QVERIFY(m_backups.mkpath("."));
            named = m_backups.filePath(planted.section(' ', 0, 0));
            QVERIFY(refused ? QFile::link(QDir(elsewhere.path()).filePath("through.mdb"), named)
                            : writeInto(named, "mine", 0));
        }
        const QVector<MessageBox::Shown> told = start();
        QCOMPARE(told.size(), refused ? 1 : 0);
        QVERIFY(!refused
                || (told[0].text.startsWith("データベースのバックアップを作成できませんでした。")
                    && told[0].text.contains(QDir::toNativeSeparators(named))));
        QVERIFY(Database::isOpen());
        QCOMPARE(namesIn(elsewhere.path()), elsewhereBefore);
        QCOMPARE(soundCopyOfToday(), !refused);
    }

    void copyFailingQuickCheckIsRemovedAndTheNextStartTriesAgain()
    {
        const Backup::Outcome outcome =
            Backup::makeDaily(Today, [](const QString &path) { return writeInto(path) && Backup::copyIsSound(path); });
        QVERIFY(!outcome.made && outcome.problem.contains("quick_check"));
        QVERIFY(namesIn(m_backups.path()).isEmpty());
        QVERIFY(start().isEmpty() && soundCopyOfToday());
    }

    void restoresASoundCopyAndKeepsTheDataBefore()
    {
        QVERIFY(Backup::makeDaily(QDate(2026, 5, 1)).made);
        MemberTable::insert("佐藤", "さとう", "1970/1/1", 20);
        const QString good = m_backups.filePath("parvela-20260501.mdb");
        const QString damaged = m_backups.filePath("parvela-20260430.mdb");
        QVERIFY(QFile::copy(good, damaged) && writeInto(damaged));
        // Each copy listed with its members and verdict, and offered only when sound.
        QStringList listed;
        onNextDialog<RestoreDialog>([&](RestoreDialog *dialog) {
            Grid &grid = *dialog->BackupGrid;
            for (int row = 1; row < grid.rows(); ++row) {
                clickRow(grid, row);
                listed << QStringList{grid.cellText(row, 1), grid.cellText(row, 3), grid.cellText(row, 5),
                                      dialog->Command1->isEnabled() ? "offered" : "refused"}
                              .join(' ');
            }
            MessageBox::queueAnswer(QMessageBox::Yes);
            clickRow(grid, int(listed.indexOf("parvela-20260501.mdb 1 正常 offered")) + 1);
            dialog->Command1->click();
            dialog->close();
        });
        showWindow<Form2>().Command2->click();
        listed.sort();
        QCOMPARE(listed,
                 (QStringList{"parvela-20260430.mdb  壊れています refused", "parvela-20260501.mdb 1 正常 offered"}));
        QCOMPARE(column("select NAME from Member"), QVariantList{"O'Brien"});
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2); // the question, then what was done
        QVERIFY(shown.last().text.startsWith("「parvela-20260501.mdb」の内容に戻しました。"));

        // The data before the restore is a sound copy in the backup folder, listed like the others.
        const QStringList kept = m_backups.entryList({"*-before-restore.mdb"});
        QVERIFY(kept.size() == 1 && shown.last().text.contains(kept.first()));
        const Restore::BackupFile before = Restore::inspect(m_backups.filePath(kept.first()));
        QVERIFY(before.sound && before.members == 2);

        // A database too damaged to be read through is kept byte for byte, and the copy restored.
        QVERIFY(writeInto(m_db->path(), QByteArray(8192, 'x')) && writeInto(m_db->path(), "\x7f", 27));
        const qint64 unreadable = QFileInfo(m_db->path()).size();
        const Restore::Outcome again = Restore::restore(good, QDateTime(QDate(2026, 6, 1), QTime(12, 0)));
        QVERIFY2(again.restored, qPrintable(again.problem));
        QVERIFY(!Restore::inspect(again.keptCopy).sound && QFileInfo(again.keptCopy).size() == unreadable);
        QCOMPARE(column("select NAME from Member"), QVariantList{"O'Brien"});
    }
};

PARVELA_TEST_MAIN(TestBackup)
#include "tst_backup.moc"
