// The daily copy of the database, and going back to a copy. The daily copy: made once a day
// after the menu has been painted, with the rows of that moment, checked, the newest ten real
// copies and the day's own kept, written only as a new file in the real backup folder, a write
// meanwhile waiting for it, and a refusal told once without keeping the menu from opening (a kill
// while it is made is in reliability/tst_processes). The restore: only sound copies with the
// program's tables are offered, only from the real backup folder, and the data before it is kept.
// A damaged database, found at start-up or by the day's copy: the newest sound copy, another, or
// the end (or going on), the damaged data kept and named.
#include "parvelatest.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QThread>

#include <atomic>

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

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                          : QByteArray("absent");
}

QString memberNames()
{
    QStringList names;
    for (const QVariant &name : column("select NAME from Member order by ID"))
        names << name.toString();
    return names.join(' ');
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
        MainMenu menu;
        if (!startProgram(menu))
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

        // Copies dated after today (a clock set back, copies from another computer) are kept and
        // told about once, but take none of the ten places of the real copies.
        for (int day = 1; day <= Backup::KeptCopies; ++day)
            writeInto(copyOf(Today.addDays(day)), "mine", 0);
        QVERIFY(QFile::remove(copyOf(Today)));
        writeInto(copyOf(Today.addDays(-12)), "mine", 0); // one more real copy than the places
        const QVector<MessageBox::Shown> told = start();
        QVERIFY(told.size() == 1 && told[0].icon == QMessageBox::Warning);
        QVERIFY2(told[0].text.contains(QStringLiteral("今日（%1）より後の日付の写し").arg(Today.toString("yyyy/M/d")))
                     && told[0].text.contains(Backup::fileNameFor(Today.addDays(Backup::KeptCopies))),
                 qPrintable(told[0].text));
        QVERIFY(soundCopyOfToday());
        for (int day = 1; day <= Backup::KeptCopies; ++day)
            kept << Backup::fileNameFor(Today.addDays(day));
        kept.sort();
        QCOMPARE(namesIn(m_backups.path()), kept);
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
        const QString soundThere = QDir(elsewhere.path()).filePath(Backup::fileNameFor(QDate(2020, 1, 1)));
        QVERIFY(QFile::copy(m_db->path(), soundThere));
        for (int day = 2; day <= 12; ++day)
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
        // The restore holds to the same rule: nothing listed from a linked folder, nothing
        // written through it.
        QCOMPARE(Restore::unusableFolder(m_db->path()).isEmpty(), planted != "." && planted != "file");
        QVERIFY(planted != "." || Restore::list(m_db->path()).isEmpty());
        QVERIFY(planted != "." || !Restore::restore(soundThere, QDateTime::currentDateTime()).restored);
        QCOMPARE(namesIn(elsewhere.path()), elsewhereBefore);
        QCOMPARE(soundCopyOfToday(), !refused);
    }

    // The copy holds its read lock while the user writes: the write waits for it and is stored,
    // the copy has the rows of the moment before.
    void aWriteDuringTheCopyWaitsForIt()
    {
        std::atomic<bool> locked = false, released = false;
        DayCopy::setSeams({[&] { locked = true, QThread::msleep(300), released = true; }});
        Database::close();
        MainMenu menu;
        QVERIFY(menu.start());
        menu.show();
        QVERIFY(QTest::qWaitFor([&] { return locked.load(); }));
        MemberTable::insert("佐藤", "さとう", "1970/1/1", 20);
        QVERIFY(released); // not before the copy let go
        DayCopy::setSeams({});
        QVERIFY(QTest::qWaitFor([&] { return menu.findChild<DayCopy *>()->isFinished(); }));
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(memberNames(), "O'Brien 佐藤");
        QCOMPARE(Restore::inspect(copyOf(Today)).members, 1);
    }

    void restoresASoundCopyAndKeepsTheDataBefore()
    {
        QVERIFY(Backup::makeDaily(m_db->path(), QDate(2026, 5, 1)).made);
        // A step the menu takes back and does again, saying so in its hint box; the restore
        // clears it.
        MainMenu menu;
        QVERIFY(showActive(&menu));
        menu.history().record("「佐藤」の追加", [] { MemberTable::insert("佐藤", "さとう", "1970/1/1", 20); });
        QTest::keyClick(&menu, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(menu.hintBox->text(), "元に戻しました：「佐藤」の追加");
        QTest::keyClick(&menu, Qt::Key_Y, Qt::ControlModifier);
        const QString good = m_backups.filePath("parvela-20260501.mdb");
        const QString damaged = m_backups.filePath("parvela-20260430.mdb");
        QVERIFY(QFile::copy(good, damaged) && writeInto(damaged));
        // Parvela's mark, but tables of another shape: restored, it would end every later start.
        const QString otherTables = m_backups.filePath("parvela-20260429.mdb");
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "otherTables");
            other.setDatabaseName(otherTables);
            QVERIFY(other.open());
            QSqlQuery query(other);
            for (const QString &statement : Database::schemaStatements())
                query.exec(QString(statement).replace("MEMBER_NAME TEXT", "MEMBER_NAME INTEGER"));
        }
        QSqlDatabase::removeDatabase("otherTables");
        // Each copy listed with its members and verdict, and offered only when sound and
        // highlighted, from the keyboard too.
        // After the restore the list is the folder's again, the restored copy still highlighted.
        QStringList listed, after;
        const auto chooseCopy = [&](RestoreDialog *dialog) {
            GridView &grid = *dialog->backupGrid;
            listed << (grid.columnWidth(0) >= static_cast<QAbstractItemView &>(grid).sizeHintForColumn(0)
                           ? "dates whole"
                           : "dates cut");
            // A row made current without a highlight, as the focus does: the sound one.
            grid.selectionModel()->setCurrentIndex(grid.model()->index(2, 0), QItemSelectionModel::NoUpdate);
            listed << (dialog->restoreButton->isEnabled() ? "current: offered" : "current: refused");
            for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}) {
                QTest::keyClick(&grid, key);
                const int row = grid.currentRow() + 1;
                listed << QStringList{shownText(grid, row, 1), shownText(grid, row, 3), shownText(grid, row, 5),
                                      dialog->restoreButton->isEnabled() ? "offered" : "refused"}
                              .join(' ');
            }
            MessageBox::queueAnswer(QMessageBox::Yes);
            const int restored = int(shownColumn(grid, 1).indexOf("parvela-20260501.mdb")) + 1;
            clickRow(grid, restored);
            dialog->restoreButton->click();
            after = shownColumn(grid, 1).filter("before-restore") << shownText(grid, highlightedRows(grid).value(0), 1);
            dialog->close();
        };
        onNextDialog<SettingsDialog>([&](SettingsDialog *dialog) {
            onNextDialog<RestoreDialog>(chooseCopy);
            dialog->restoreButton->click();
            dialog->close();
        });
        menu.settingsButton->click();
        QVERIFY(!menu.history().canUndo() && !menu.history().canRedo());
        listed.sort();
        listed.removeDuplicates(); // the middle row, passed twice
        QCOMPARE(listed,
                 (QStringList{"current: refused", "dates whole",
                              "parvela-20260429.mdb  表「Score」の列「MEMBER_NAME」の型が INTEGER です（TEXT "
                              "のはず） refused",
                              "parvela-20260430.mdb  壊れています refused", "parvela-20260501.mdb 1 正常 offered"}));
        QCOMPARE(column("select NAME from Member"), QVariantList{"O'Brien"});
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2); // the question, then what was done
        QVERIFY(shown.last().text.startsWith("「parvela-20260501.mdb」の内容に戻しました。"));

        // The data before the restore is a sound copy in the backup folder, listed like the others.
        const QStringList kept = m_backups.entryList({"*-before-restore.mdb"});
        QVERIFY(kept.size() == 1 && shown.last().text.contains(kept.first()));
        QCOMPARE(after, (QStringList{kept.first(), "parvela-20260501.mdb"}));
        const Restore::BackupFile before = Restore::inspect(m_backups.filePath(kept.first()));
        QVERIFY(before.sound && before.members == 2);
    }

    // A damaged database: found at start-up when it no longer reads as a database, else by the
    // day's copy after the menu. The way back: the newest sound copy, another one, or the end
    // (going on, after the menu). The damaged bytes are kept where the last message says.
    void damagedDatabaseIsReplacedByTheCopyChosen_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("members"); // after the start; empty: the program ended
        const int newest = QMessageBox::Yes, another = QMessageBox::Open, neither = QMessageBox::Close;
        QTest::newRow("not a database, newest copy") << "text" << newest << "O'Brien 佐藤";
        QTest::newRow("not a database, another copy") << "text" << another << "O'Brien";
        QTest::newRow("not a database, end") << "text" << neither << "";
        QTest::newRow("cut to nothing, newest copy") << "empty" << newest << "O'Brien 佐藤";
        QTest::newRow("cut short, newest copy") << "cut" << newest << "O'Brien 佐藤";
        QTest::newRow("pages overwritten, another copy") << "pages" << another << "O'Brien";
        QTest::newRow("pages overwritten, going on") << "pages" << neither << "damaged";
    }
    void damagedDatabaseIsReplacedByTheCopyChosen()
    {
        QFETCH(QString, damage);
        QFETCH(int, answer);
        QFETCH(QString, members);
        const QString path = m_db->path();
        QVERIFY(Backup::makeDaily(path, Today.addDays(-2)).made);
        MemberTable::insert("佐藤", "さとう", "1970/1/1", 20);
        QVERIFY(Backup::makeDaily(path, Today.addDays(-1)).made);
        QFile older(copyOf(Today.addDays(-2))); // listed by time, the newest first
        QVERIFY(older.open(QIODevice::ReadWrite)
                && older.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
        // Pages beyond the first few, and rows no copy has.
        Database::exec("with recursive n(i) as (select 10 union all select i+1 from n where i<2000) "
                       "insert into Member select i, '会員'||i, 'かいいん', '', 10, 10, 10 from n");
        Database::close();
        QFile file(path);
        const qint64 size = file.size();
        QVERIFY(damage == "cut"     ? file.resize(size / 2)
                : damage == "empty" ? file.resize(0)
                : damage == "text"  ? file.open(QIODevice::WriteOnly) && file.write("会員名簿\n山田,18\n") > 0
                                    : writeInto(path, QByteArray(8192, 'x'), size / 2));
        file.close();
        const QByteArray damaged = fileHash(path);
        const QStringList copiesBefore = namesIn(m_backups.path());

        MessageBox::queueAnswer(QMessageBox::StandardButton(answer));
        if (answer == QMessageBox::Open) {
            onNextDialog<RestoreDialog>([](RestoreDialog *dialog) {
                clickRow(*dialog->backupGrid, 2); // the older copy, listed after the newer
                MessageBox::queueAnswer(QMessageBox::Yes);
                dialog->restoreButton->click();
                dialog->close();
            });
        }
        MainMenu menu;
        const bool started = startProgram(menu);
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(started, !members.isEmpty());
        QVERIFY(!shown.isEmpty() && shown[0].icon == QMessageBox::Question);
        QCOMPARE(shown[0].choices.value(0),
                 "最新の正常なバックアップ（" + Backup::fileNameFor(Today.addDays(-1)) + "）に戻す");
        if (members.isEmpty() || members == "damaged") {
            // Nothing restored or renamed, nothing pruned, no copy made of the damaged file.
            QCOMPARE(fileHash(path), damaged);
            QCOMPARE(namesIn(m_backups.path()), copiesBefore);
            return;
        }
        QCOMPARE(memberNames(), members);
        static const QRegularExpression keptAt("「([^」]+)」に残してあります");
        const QString told = shown.last().text;
        const QRegularExpressionMatch kept = keptAt.match(told);
        QVERIFY2(kept.hasMatch() && fileHash(kept.captured(1)) == damaged, qPrintable(told));
    }
};

PARVELA_TEST_MAIN(TestBackup)
#include "tst_backup.moc"
