// Where the club's files are found, the first start without a database, and the version
// window that names them. Each case has its own program, installed-data and per-user folders.
#include "parvelatest.h"

#include "core/database.h"
#include "core/gui/form1.h"
#include "core/gui/form11.h"
#include "core/module1.h"
#include "platform/gui/messagebox.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <memory>

using Answer = QMessageBox::StandardButton;

namespace {

// <root>/bin is the program folder, <root>/share/parvela the installed data, <root>/data the
// per-user data home, so <root>/data/Parvela holds the user's database.
struct Folders
{
    QTemporaryDir root;
    Folders()
    {
        QDir(root.path()).mkpath(QStringLiteral("bin"));
        Module1::SetProgramFolder(root.filePath(QStringLiteral("bin")));
        qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")).toLocal8Bit());
    }
    QString file(const QString &relative) const { return root.filePath(relative); }
    void put(const QString &relative, const QByteArray &content = "x") const
    {
        QDir().mkpath(QFileInfo(file(relative)).absolutePath());
        QFile out(file(relative));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(content) == content.size());
    }
};

const QString UserDatabase = QStringLiteral("data/Parvela/parvela.mdb");

} // namespace

class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        Database::close();
        MessageBox::takeShown();
    }

    void databaseAndHelpAreFoundBesideTheProgramElseInstalled_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("help");
        const QString besideDb = QStringLiteral("bin/parvela.mdb"), besideHelp = QStringLiteral("bin/parvela.hlp");
        const QString installedHelp = QStringLiteral("share/parvela/parvela.hlp");
        QTest::newRow("run from its folder")
            << QStringList{besideDb, UserDatabase, besideHelp, installedHelp} << besideDb << besideHelp;
        QTest::newRow("installed") << QStringList{UserDatabase, installedHelp} << UserDatabase << installedHelp;
        QTest::newRow("help in another case beside")
            << QStringList{QStringLiteral("bin/Parvela.HLP"), installedHelp} << UserDatabase << installedHelp;
        QTest::newRow("nothing yet") << QStringList{} << UserDatabase << QString();
    }
    void databaseAndHelpAreFoundBesideTheProgramElseInstalled()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, database);
        QFETCH(QString, help);
        Folders folders;
        for (const QString &file : files)
            folders.put(file);
        QCOMPARE(Module1::DatabasePath(), QDir::cleanPath(folders.file(database)));
        QCOMPARE(Module1::HelpFilePath(), help.isEmpty() ? QString() : folders.file(help));
    }

    void firstStartOffersAClubOrTheEnd_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("folderBlocked");
        QTest::addColumn<bool>("started");
        QTest::addColumn<int>("members");
        QTest::addColumn<int>("monthsPlayed");
        QTest::newRow("empty database") << int(QMessageBox::Yes) << false << true << 0 << 0;
        QTest::newRow("demonstration club") << int(QMessageBox::Open) << false << true << 40 << 12;
        QTest::newRow("end") << int(QMessageBox::Close) << false << false << -1 << -1;
        QTest::newRow("folder cannot be made") << int(QMessageBox::Yes) << true << false << -1 << -1;
    }
    void firstStartOffersAClubOrTheEnd()
    {
        QFETCH(int, answer);
        QFETCH(bool, folderBlocked);
        QFETCH(bool, started);
        QFETCH(int, members);
        QFETCH(int, monthsPlayed);
        Folders folders;
        if (folderBlocked)
            folders.put(QStringLiteral("data/Parvela")); // a file where the folder should be
        MessageBox::queueAnswer(Answer(answer));
        Form1 menu;
        QCOMPARE(menu.Form_Load(), started);

        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), folderBlocked ? 2 : 1);
        QCOMPARE(shown[0].icon, QMessageBox::Question);
        QVERIFY(shown[0].text.contains(folders.file(UserDatabase)));
        QCOMPARE(shown[0].choices, (QStringList{QStringLiteral("空のデータベースを作る"),
                                                QStringLiteral("見本のクラブで始める"), QStringLiteral("終了")}));
        QCOMPARE(Database::isOpen(), started);
        if (!started) {
            QVERIFY(!QFile::exists(folders.file(UserDatabase)));
            QVERIFY(!folderBlocked || shown[1].icon == QMessageBox::Critical);
            return;
        }
        QCOMPARE(Database::path(), folders.file(UserDatabase));
        QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Member")).toInt(), int(members));
        QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Course where CYEAR=?"),
                                    {Module1::Settings.EditYear})
                     .toInt(),
                 monthsPlayed);
        QCOMPARE(QDir(folders.file(QStringLiteral("data/Parvela/backup"))).entryList(QDir::Files).size(), 1);
    }

    void aFileThatIsNoDatabaseIsReportedNeverReplaced()
    {
        Folders folders;
        folders.put(UserDatabase, "notes of the club");
        Form1 menu;
        QVERIFY(!menu.Form_Load());
        const std::optional<QString> error = ParvelaTest::takeOnlyError();
        QVERIFY(error && error->contains(folders.file(UserDatabase)));
        QFile file(folders.file(UserDatabase));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("notes of the club"));
    }

    void versionWindowNamesTheProjectItsFilesAndLibraries()
    {
        Folders folders;
        folders.put(QStringLiteral("share/parvela/parvela.hlp"));
        MessageBox::queueAnswer(QMessageBox::Yes);
        Form1 menu;
        QVERIFY(menu.Form_Load());
        const QString sqlite = ParvelaTest::value(QStringLiteral("select sqlite_version()")).toString();
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
        QStringList texts;
        QStringList tips;
        ParvelaTest::onNextDialog<Form11>([&](Form11 *window) {
            for (QLabel *label :
                 {window->Label10, window->LicenceValue, window->CopyrightValue, window->QtValue, window->SqliteValue})
                texts << label->text();
            tips << window->HelpFileValue->toolTip() << window->DatabaseValue->toolTip();
            QTest::mouseClick(window->DatabaseValue, Qt::LeftButton, {},
                              QPoint(8, window->DatabaseValue->height() / 2));
            window->Command2->click();
        });
        menu.Command5->click();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(texts, (QStringList{QStringLiteral("Ver.1.36"), QStringLiteral("MIT License"),
                                     QStringLiteral("Copyright (c) 2026 The Parvela developers"),
                                     QString::fromLatin1(qVersion()), sqlite}));
        QVERIFY(sqlite.startsWith(QLatin1String("3.")));
        QCOMPARE(tips,
                 (QStringList{folders.file(QStringLiteral("share/parvela/parvela.hlp")), folders.file(UserDatabase)}));
        QCOMPARE(recorder.opened, QList<QUrl>{QUrl::fromLocalFile(folders.file(QStringLiteral("data/Parvela")))});
    }
};

PARVELA_TEST_MAIN(TestDataLocation)
#include "tst_datalocation.moc"
