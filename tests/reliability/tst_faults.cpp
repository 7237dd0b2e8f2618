// Faults from outside the program: a file or settings folder that cannot be used at start-up; a
// file locked by another program, read-only, full, without room for its journal, deleted or
// moved while in use, or damaged; an unwritable settings file. Each is told in Japanese by its
// real cause, the program goes on (or, at start-up, ends before the menu) and nothing already
// stored is lost. The daily copy's own faults are in core/tst_backup.
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
#include "parvelatest.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/splitbutton.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
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
        MemberTable::insert(QStringLiteral("会員%1").arg(n), QStringLiteral("かいいん%1").arg(n),
                            QStringLiteral("1960/1/1"), n % 30);
    transaction.commit();
}

int count(const QString &table)
{
    return ParvelaTest::value(QStringLiteral("select count(*) from %1").arg(table)).toInt();
}

// Overwrites every page after the first, and moves the change counter on so that the open
// connection drops what it has cached, as when another program writes over the file.
void damageInPlace(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    file.seek(4096);
    file.write(QByteArray(int(file.size()) - 4096, '\x5a'));
    file.seek(27);
    file.putChar('\x7f');
}

// The program's own connection opened again read-only: what a read-only file gives, even for
// root.
void reopenReadOnly()
{
    QSqlDatabase db = Database::connection();
    db.close();
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    db.open();
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
    void init()
    {
        m_db = ParvelaTest::freshSettingsAndDatabase(2003);
        MessageBox::takeShown();
    }
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
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QString>("told"); // %1 stands for the database's path
        QTest::newRow("missing") << QByteArray("missing") << QStringLiteral("「%1」が見つかりません");
        QTest::newRow("not a database") << QByteArray("text") << QStringLiteral("「%1」はParvela のデータベースではないか");
        QTest::newRow("other program's database") << QByteArray("foreign") << QStringLiteral("「%1」はParvela のデータベースではありません");
        QTest::newRow("damaged") << QByteArray("damaged") << QStringLiteral("「%1」は壊れています");
        QTest::newRow("locked by another program") << QByteArray("locked") << QStringLiteral("「%1」は他のプログラムに使われているため");
        QTest::newRow("HOME unset") << QByteArray("home") << QStringLiteral("環境変数 HOME が設定されていません");
        QTest::newRow("settings folder unusable") << QByteArray("settings") << QStringLiteral("設定を保存するフォルダ");
    }
    void startUpWithAnUnusableFileOrSettingsFolderEndsBeforeTheMenu()
    {
        QFETCH(QByteArray, kind);
        QFETCH(QString, told);
        const QString path = m_db->path();
        addMembers(300);
        if (kind == "foreign")
            Database::exec(QStringLiteral("PRAGMA application_id = 7"));
        Database::close();
        QProcess locker;
        const QByteArray home = qgetenv("HOME");
        const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
        const QString settingsFolder = QFileInfo(SettingsStore::fileName()).absolutePath();
        QFile file(path);
        if (kind == "missing") {
            file.remove();
        } else if (kind == "text") {
            file.open(QIODevice::WriteOnly | QIODevice::Truncate);
            file.write("会員名簿\n山田,18\n");
        } else if (kind == "damaged") {
            file.open(QIODevice::ReadWrite);
            file.seek(4096 + 100);
            file.write(QByteArray(8192, '\x5a'));
        } else if (kind == "locked") {
            QVERIFY(ChildProcess::startReady(locker, path, {QStringLiteral("lock")}));
        } else if (kind == "home") {
            qunsetenv("HOME");
            qunsetenv("XDG_CONFIG_HOME");
        } else if (kind == "settings") {
            QVERIFY(QDir(settingsFolder).removeRecursively());
            QFile(settingsFolder).open(QIODevice::WriteOnly); // a file where the folder belongs
        }
        file.close();
        const QByteArray before = fileHash(path);
        bool started = true;
        {
            Form1 menu;
            started = menu.Form_Load();
        }
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", configHome);
        if (kind == "settings")
            QFile::remove(settingsFolder);

        QVERIFY(!started);
        QVERIFY(!Database::isOpen());
        const std::optional<QString> error = ParvelaTest::takeOnlyError();
        QVERIFY(error);
        QVERIFY2(error->contains(QString(told).replace(QStringLiteral("%1"), path)), qPrintable(*error));
        QCOMPARE(fileHash(path), before);
        // No copy is made of a file the program refused.
        QVERIFY(!QFileInfo::exists(Backup::folderFor(path)));
        if (kind == "locked") {
            locker.kill();
            QVERIFY(locker.waitForFinished(10000));
            // Once the other program lets go, the next start works with every row there.
            Form1 menu;
            QVERIFY(menu.Form_Load());
            QCOMPARE(count(QStringLiteral("Member")), 300);
            QVERIFY(MessageBox::takeShown().isEmpty());
        }
    }

    void faultWhileWritingIsToldByItsCauseAndNothingIsStored_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QString>("told"); // %1 stands for the database's folder
        QTest::newRow("locked by another program") << QByteArray("locked") << QStringLiteral("データベースが他のプログラムに使われています。");
        QTest::newRow("read-only") << QByteArray("readonly") << QStringLiteral("（読み取り専用です）");
        QTest::newRow("disk full") << QByteArray("full") << QStringLiteral("ディスクがいっぱいです。");
        QTest::newRow("no room for the journal") << QByteArray("journal") << QStringLiteral("フォルダ「%1」に作業用のファイルを作れない");
        QTest::newRow("deleted") << QByteArray("deleted") << QStringLiteral("削除されたか、移動されました");
        QTest::newRow("moved") << QByteArray("moved") << QStringLiteral("削除されたか、移動されました");
    }
    void faultWhileWritingIsToldByItsCauseAndNothingIsStored()
    {
        QFETCH(QByteArray, kind);
        QFETCH(QString, told);
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
            // Long enough to need pages the file does not have yet.
            dialog->Text2->setText(QString(3000, QChar(0x3055)));
            dialog->Text3->setText(QStringLiteral("1970/5/5"));
            dialog->Text4->setText(QStringLiteral("12"));
            if (kind == "locked")
                ChildProcess::startReady(locker, path, {QStringLiteral("lock")});
            else if (kind == "readonly")
                reopenReadOnly();
            else if (kind == "full")
                Database::exec(QStringLiteral("PRAGMA max_page_count = %1").arg(ParvelaTest::value("PRAGMA page_count").toInt()));
            else if (kind == "journal")
                QFile::link(QStringLiteral("/nonexistent/folder/journal"), path + QStringLiteral("-journal"));
            else if (kind == "deleted")
                QFile::remove(path);
            else
                QFile::rename(path, path + QStringLiteral(".moved"));
            dialog->Command1->click();
            whenFaulty = ParvelaTest::takeOnlyError();
            openAfterRefusal = guard && guard->isVisible();
            // The cause taken away, the same entry is stored.
            locker.kill();
            locker.waitForFinished(10000);
            if (kind == "readonly")
                Database::open(path);
            else if (kind == "full")
                Database::exec(QStringLiteral("PRAGMA max_page_count = 1000000"));
            QFile::remove(path + QStringLiteral("-journal"));
            if (guard && kind != "deleted" && kind != "moved")
                guard->Command1->click();
            storedAfterRetry = !guard || !guard->isVisible();
            if (guard)
                guard->close();
        });
        list.Command1->click();

        QVERIFY(whenFaulty);
        QVERIFY2(whenFaulty->contains(QString(told).replace(QStringLiteral("%1"), m_db->folder())), qPrintable(*whenFaulty));
        QVERIFY2(kind == "readonly" || !whenFaulty->contains(QStringLiteral("読み取り専用")), qPrintable(*whenFaulty));
        QVERIFY(openAfterRefusal);
        QCOMPARE(storedAfterRetry, kind != "deleted" && kind != "moved");
        QCOMPARE(count(QStringLiteral("Member")), storedAfterRetry ? 1 : 0);
        QCOMPARE(ParvelaTest::column(QStringLiteral("PRAGMA integrity_check")), QVariantList{QStringLiteral("ok")});
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void failedReadLeavesTheWindowSayingSoWithPrintDisabled_data()
    {
        QTest::addColumn<QByteArray>("form");
        QTest::newRow("member list") << QByteArray("Form7");
        QTest::newRow("annual summary") << QByteArray("Form9");
        QTest::newRow("score sheet") << QByteArray("Form4");
    }
    void failedReadLeavesTheWindowSayingSoWithPrintDisabled()
    {
        QFETCH(QByteArray, form);
        addMembers(2);
        CourseTable::insert(2003, 5, QStringLiteral("2003/5/18"), QStringLiteral("東"));
        const CourseRecord may = *CourseTable::firstOfMonth(2003, 5);
        addScore(may.id, 1, QStringLiteral("会員1"), 10, 40, 40);
        addScore(may.id, 2, QStringLiteral("会員2"), 10, 45, 45);
        const auto [window, grid, print, showtable] =
            form == "Form7"   ? tableWindow(ParvelaTest::showTableWindow<Form7>(), &Form7::MemberGrid)
            : form == "Form9" ? tableWindow(ParvelaTest::showTableWindow<Form9>(), &Form9::ScoreGrid)
                              : tableWindow(openSheet(may), &Form4::ScoreGrid);
        auto *notice = window->findChild<QLabel *>(QStringLiteral("failedReadNotice"));
        QCOMPARE(grid->rows(), 3);
        Database::exec(QStringLiteral("PRAGMA busy_timeout = 200"));
        QProcess locker;
        QVERIFY(ChildProcess::startReady(locker, m_db->path(), {QStringLiteral("lock")}));
        showtable();
        const std::optional<QString> error = ParvelaTest::takeOnlyError();
        QVERIFY(error);
        QVERIFY2(error->startsWith(QStringLiteral("データを読み込めませんでした。\nデータベースが他のプログラムに使われています。")), qPrintable(*error));
        QCOMPARE(grid->rows(), 1);
        QVERIFY(notice && notice->isVisible());
        QVERIFY(notice->text().startsWith(QStringLiteral("データを読み込めませんでした。")));
        QVERIFY(!print->isEnabled());

        locker.kill();
        QVERIFY(locker.waitForFinished(10000));
        showtable();
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(grid->rows(), 3);
        QVERIFY(!notice->isVisible());
        QVERIFY(print->isEnabled());
    }

    void damageIsCaughtByTheDaysFirstStartOrWhenMet()
    {
        addMembers(300);
        Database::close();
        {
            Form1 menu;
            QVERIFY(menu.Form_Load()); // the day's first start: whole file read, copy made
        }
        Database::close();
        damageInPlace(m_db->path());
        // A later start of the same day checks only what identifies the file; the damage is
        // told by the first statement that meets it, and nothing is stored into the file.
        const QByteArray damaged = fileHash(m_db->path());
        {
            Form1 menu;
            QVERIFY(menu.Form_Load());
            QVERIFY(MessageBox::takeShown().isEmpty());
            WindowRegistry::instance().form<Form7>(&menu).Showtable();
            const std::optional<QString> error = ParvelaTest::takeOnlyError();
            QVERIFY(error && error->contains(QStringLiteral("データベースファイルが壊れています。")));
            closeAllWindows();
        }
        Database::close();
        QCOMPARE(fileHash(m_db->path()), damaged);

        // An earlier day's copy does not count: the next day's first start refuses the file.
        const QDir backups(Backup::folderFor(m_db->path()));
        QVERIFY(QFile::rename(backups.filePath(Backup::fileNameFor(QDate::currentDate())),
                              backups.filePath(Backup::fileNameFor(QDate::currentDate().addDays(-1)))));
        {
            Form1 menu;
            QVERIFY(!menu.Form_Load());
        }
        const std::optional<QString> error = ParvelaTest::takeOnlyError();
        QVERIFY(error && error->contains(QStringLiteral("壊れています")));
        QVERIFY(!backups.exists(Backup::fileNameFor(QDate::currentDate())));
        QCOMPARE(fileHash(m_db->path()), damaged);
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
        QVector<MessageBox::Shown> told;
        ParvelaTest::onNextDialog<Form4>([&](Form4 *sheet) {
            told = MessageBox::takeShown();
            sheet->close();
        });
        dialog.Command1->click();
        // Told once when the course name could not be remembered, before the sheet opened, and once
        // when the sheet's placement could not be kept.
        QCOMPARE(told.size(), 1);
        told += MessageBox::takeShown();
        QCOMPARE(told.size(), 2);
        for (const MessageBox::Shown &shown : told) {
            QCOMPARE(shown.icon, QMessageBox::Warning);
            QVERIFY(shown.text.startsWith(QStringLiteral("設定を保存できませんでした。")));
            QVERIFY(shown.text.contains(QDir::toNativeSeparators(settingsFile)));
        }
        QCOMPARE(ParvelaTest::value(QStringLiteral("select COURSENAME from Course where CMONTH=6")).toString(),
                 QStringLiteral("西コース"));
        QVERIFY(QDir(settingsFile).removeRecursively());
        ParvelaTest::clearSettings();
    }
};

PARVELA_TEST_MAIN(TestFaults)
#include "tst_faults.moc"
