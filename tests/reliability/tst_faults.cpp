// Faults from outside the program: a file or settings folder that cannot be used at start-up; a
// file locked by another program, read-only, full, without room for its journal, deleted, moved
// or damaged while in use; an unwritable settings file. Each is told in Japanese by its real
// cause, the program goes on (or, at start-up, ends before the menu) and nothing already stored
// is lost. The daily copy's own faults are in core/tst_backup.
#include "childprocess.h"

#include "../monthly/monthlyfixtures.h"

#include "annual/gui/form9.h"
#include "core/backup.h"
#include "core/database.h"
#include "core/gui/form1.h"
#include "core/settingsstore.h"
#include "members/gui/form7.h"
#include "members/gui/form8.h"
#include "monthly/gui/form6.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/splitbutton.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSqlDatabase>

#include <memory>

using namespace MonthlyFixtures;

namespace {

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                          : QByteArray("absent");
}

void addMembers(int count)
{
    Transaction transaction;
    for (int n = 1; n <= count; ++n)
        MemberTable::insert(QStringLiteral("会員%1").arg(n), QStringLiteral("かいいん%1").arg(n), QString(), n % 30);
    transaction.commit();
}

// A window that lists a table: itself, its grid, its print button, and its reload.
template <typename Form>
std::tuple<QWidget *, Grid *, QWidget *, std::function<void()>> tableWindow(Form &form, Grid *Form::*grid)
{
    return {&form, form.*grid, form.Command5, [&form] { form.Showtable(); }};
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;
    int m_cases = 0;

private slots:
    void init() { m_db = ParvelaTest::freshSettingsAndDatabase(2003); }
    void cleanup()
    {
        ++m_cases;
        closeAllWindows();
        m_db.reset();
        MessageBox::takeShown();
    }
    void cleanupTestCase() { qInfo("faults: %d cases", m_cases); }

    void startUpWithAnUnusableFileOrSettingsFolderEndsBeforeTheMenu_data()
    {
        QTest::addColumn<QString>("told"); // %1 stands for the database's path
        QTest::newRow("not a database") << QStringLiteral("「%1」はParvela のデータベースではないか");
        QTest::newRow("another program's") << QStringLiteral("「%1」はParvela のデータベースではありません");
        QTest::newRow("damaged") << QStringLiteral("「%1」は壊れています");
        QTest::newRow("locked") << QStringLiteral("「%1」は他のプログラムに使われているため");
        QTest::newRow("HOME unset") << QStringLiteral("環境変数 HOME が設定されていません");
        QTest::newRow("settings folder unusable") << QStringLiteral("設定を保存するフォルダ");
    }
    void startUpWithAnUnusableFileOrSettingsFolderEndsBeforeTheMenu()
    {
        QFETCH(QString, told);
        const QByteArray kind = QTest::currentDataTag();
        const QString path = m_db->path();
        addMembers(300);
        if (kind == "another program's")
            Database::exec(QStringLiteral("PRAGMA application_id = 7"));
        Database::close();
        QProcess locker;
        const QByteArray home = qgetenv("HOME");
        const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
        const QString settingsFolder = QFileInfo(SettingsStore::fileName()).absolutePath();
        QFile file(path);
        if (kind == "not a database" && file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write("会員名簿\n山田,18\n");
        } else if (kind == "damaged" && file.open(QIODevice::ReadWrite) && file.seek(4096 + 100)) {
            file.write(QByteArray(8192, '\x5a'));
        } else if (kind == "locked") {
            QVERIFY(ChildProcess::startReady(locker, path, {QStringLiteral("lock")}));
        } else if (kind == "HOME unset") {
            qunsetenv("HOME");
            qunsetenv("XDG_CONFIG_HOME");
        } else if (kind == "settings folder unusable" && QDir(settingsFolder).removeRecursively()) {
            QFile(settingsFolder).open(QIODevice::WriteOnly); // a file where the folder belongs
        }
        file.close();
        const QByteArray before = fileHash(path);
        const bool started = Form1().Form_Load();
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", configHome);
        QFile::remove(settingsFolder); // the file put where the folder belongs, if any

        QVERIFY(!started && !Database::isOpen());
        const std::optional<QString> error = ParvelaTest::takeOnlyError();
        QVERIFY2(error && error->contains(QString(told).replace(QStringLiteral("%1"), path)),
                 qPrintable(error.value_or(QString())));
        QCOMPARE(fileHash(path), before);
        // No copy is made of a file the program refused.
        QVERIFY(!QFileInfo::exists(Backup::folderFor(path)));
        if (kind == "locked") {
            locker.kill();
            QVERIFY(locker.waitForFinished(10000));
            // Once the other program lets go, the next start works with every row there.
            QVERIFY(Form1().Form_Load() && MessageBox::takeShown().isEmpty());
            QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Member")), 300);
        }
    }

    void faultWhileWritingIsToldByItsCauseAndNothingIsStored_data()
    {
        QTest::addColumn<QString>("told"); // %1 stands for the database's folder
        QTest::newRow("locked") << QStringLiteral("データベースが他のプログラムに使われています。");
        QTest::newRow("read-only") << QStringLiteral("（読み取り専用です）");
        QTest::newRow("disk full") << QStringLiteral("ディスクがいっぱいです。");
        QTest::newRow("no room for the journal") << QStringLiteral("フォルダ「%1」に作業用のファイルを作れない");
        QTest::newRow("damaged") << QStringLiteral("データベースファイルが壊れています。");
        QTest::newRow("deleted") << QStringLiteral("削除されたか、移動されました");
        QTest::newRow("moved") << QStringLiteral("削除されたか、移動されました");
    }
    void faultWhileWritingIsToldByItsCauseAndNothingIsStored()
    {
        QFETCH(QString, told);
        const QByteArray kind = QTest::currentDataTag();
        const bool lasting = kind == "damaged" || kind == "deleted" || kind == "moved";
        const QString path = m_db->path();
        Form7 &list = ParvelaTest::showTableWindow<Form7>();
        Database::exec(QStringLiteral("PRAGMA busy_timeout = 200"));
        QProcess locker;
        std::optional<QString> whenFaulty;
        bool openAfterRefusal = false;
        bool storedAfterRetry = false;
        ParvelaTest::onNextDialog<Form8>([&](Form8 *dialog) {
            QPointer<Form8> guard(dialog);
            dialog->Text1->setText(QStringLiteral("佐藤"));
            dialog->Text2->setText(QString(3000, QChar(0x3055))); // needs pages the file does not have yet
            dialog->Text3->setText(QStringLiteral("1970/5/5"));
            dialog->Text4->setText(QStringLiteral("12"));
            QFile file(path);
            if (kind == "locked") {
                ChildProcess::startReady(locker, path, {QStringLiteral("lock")});
            } else if (kind == "read-only") {
                // What a read-only file gives, even for root.
                Database::connection().close();
                Database::connection().setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
                Database::connection().open();
            } else if (kind == "disk full") {
                Database::exec(QStringLiteral("PRAGMA max_page_count = %1")
                                   .arg(ParvelaTest::value(QStringLiteral("PRAGMA page_count")).toInt()));
            } else if (kind == "no room for the journal") {
                QFile::link(QStringLiteral("/nonexistent/folder/journal"), path + QStringLiteral("-journal"));
            } else if (kind == "damaged" && file.open(QIODevice::ReadWrite) && file.seek(4096)) {
                // Every page after the first, and the change counter on, as another program would.
                file.write(QByteArray(int(file.size()) - 4096, '\x5a'));
                file.seek(27);
                file.putChar('\x7f');
                file.close();
            } else if (QFile::rename(path, path + QStringLiteral(".moved")) && kind == "deleted") {
                QFile::remove(path + QStringLiteral(".moved"));
            }
            dialog->Command1->click();
            whenFaulty = ParvelaTest::takeOnlyError();
            openAfterRefusal = guard && guard->isVisible();
            // The cause taken away, the same entry is stored.
            locker.kill();
            locker.waitForFinished(10000);
            QFile::remove(path + QStringLiteral("-journal"));
            if (kind == "read-only" || kind == "disk full")
                Database::open(path);
            if (guard && !lasting)
                guard->Command1->click();
            storedAfterRetry = !guard || !guard->isVisible();
            if (guard)
                guard->close();
        });
        list.Command1->click();

        QVERIFY(whenFaulty);
        const QString expected = QString(told).replace(QStringLiteral("%1"), m_db->folder());
        QVERIFY2(whenFaulty->contains(expected), qPrintable(*whenFaulty));
        QVERIFY2(kind == "read-only" || !whenFaulty->contains(QStringLiteral("読み取り専用")), qPrintable(*whenFaulty));
        QVERIFY(openAfterRefusal);
        QCOMPARE(storedAfterRetry, !lasting);
        if (kind != "damaged")
            QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Member")), lasting ? 0 : 1);
        if (!lasting)
            QCOMPARE(ParvelaTest::column(QStringLiteral("PRAGMA integrity_check")), QVariantList{"ok"});
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void failedReadLeavesTheWindowSayingSoWithPrintDisabled_data()
    {
        QTest::addColumn<int>("form");
        QTest::newRow("member list") << 7;
        QTest::newRow("annual summary") << 9;
        QTest::newRow("score sheet") << 4;
    }
    void failedReadLeavesTheWindowSayingSoWithPrintDisabled()
    {
        QFETCH(int, form);
        addMembers(2);
        CourseTable::insert(2003, 5, QStringLiteral("2003/5/18"), QStringLiteral("東"));
        const CourseRecord may = *CourseTable::firstOfMonth(2003, 5);
        addScore(may.id, 1, QStringLiteral("会員1"), 10, 40, 40);
        addScore(may.id, 2, QStringLiteral("会員2"), 10, 45, 45);
        const auto [window, grid, print, showtable] =
            form == 7   ? tableWindow(ParvelaTest::showTableWindow<Form7>(), &Form7::MemberGrid)
            : form == 9 ? tableWindow(ParvelaTest::showTableWindow<Form9>(), &Form9::ScoreGrid)
                        : tableWindow(openSheet(may), &Form4::ScoreGrid);
        const auto *notice = window->findChild<QLabel *>(QStringLiteral("failedReadNotice"));
        QCOMPARE(grid->rows(), 3);
        Database::exec(QStringLiteral("PRAGMA busy_timeout = 200"));
        QProcess locker;
        QVERIFY(ChildProcess::startReady(locker, m_db->path(), {QStringLiteral("lock")}));
        showtable();
        const QString told =
            QStringLiteral("データを読み込めませんでした。\nデータベースが他のプログラムに使われています。");
        QVERIFY(notice && notice->isVisible() && notice->text().startsWith(told));
        QVERIFY(!print->isEnabled());
        QCOMPARE(grid->rows(), 1);
        const std::optional<QString> error = ParvelaTest::takeOnlyError();
        QVERIFY(error && error->startsWith(told));

        locker.kill();
        QVERIFY(locker.waitForFinished(10000));
        showtable();
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(grid->rows(), 3);
        QVERIFY(!notice->isVisible() && print->isEnabled());
    }

    void unwritableSettingsFileIsToldAndTheDataIsStored()
    {
        // A folder where the settings file belongs: no one, not even root, can write it.
        const QString settingsFile = SettingsStore::fileName();
        QFile::remove(settingsFile);
        QVERIFY(QDir().mkpath(settingsFile));
        Module1::CurrentMonth = 6;
        Form6 &dialog = ParvelaTest::showWindow<Form6>();
        dialog.boxDate->setText(QStringLiteral("2003/6/15"));
        dialog.boxCourse->setEditText(QStringLiteral("西コース"));
        int toldBeforeTheSheet = 0;
        ParvelaTest::onNextDialog<Form4>([&](Form4 *sheet) {
            toldBeforeTheSheet = int(MessageBox::takeShown().size());
            sheet->close();
        });
        dialog.Command1->click();
        // Told when the course name could not be remembered, and when the sheet's placement could
        // not be kept; what the database holds is stored.
        QCOMPARE(toldBeforeTheSheet, 1);
        const QVector<MessageBox::Shown> told = MessageBox::takeShown();
        QVERIFY(told.size() == 1 && told[0].icon == QMessageBox::Warning);
        QVERIFY(told[0].text.startsWith(
            QStringLiteral("設定を保存できませんでした。設定ファイル「%1」").arg(settingsFile)));
        QCOMPARE(ParvelaTest::value(QStringLiteral("select COURSENAME from Course where CMONTH=6")), "西コース");
        QVERIFY(QDir(settingsFile).removeRecursively());
    }
};

PARVELA_TEST_MAIN(TestFaults)
#include "tst_faults.moc"
