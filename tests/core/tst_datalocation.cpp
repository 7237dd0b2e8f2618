// Where the club's files are found, the first start without a database, and the version
// window that names them once started. Each case has its own program, installed-data and per-user folders.
#include "parvelatest.h"

#include "core/gui/programstart.h"

using Answer = QMessageBox::StandardButton;

namespace {

// <root>/bin is the program folder, <root>/share/parvela the installed data, <root>/data the
// per-user data home, so <root>/data/Parvela holds the user's database.
struct Folders
{
    QTemporaryDir root;
    Folders()
    {
        QDir(root.path()).mkpath("bin");
        DataLocation::setProgramFolder(root.filePath("bin"));
        qputenv("XDG_DATA_HOME", root.filePath("data").toLocal8Bit());
    }
    QString file(const QString &relative) const { return root.filePath(relative); }
    void put(const QString &relative, const QByteArray &content = "x") const
    {
        QDir().mkpath(QFileInfo(file(relative)).absolutePath());
        QFile out(file(relative));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(content) == content.size());
    }
};

const QString UserDatabase = "data/Parvela/parvela.mdb";

} // namespace

class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        Database::close();
        MessageBox::takeShown();
    }

    // The files present, and the database and help file then used: run from its folder, installed,
    // help in another case beside the program, nothing yet.
    void databaseAndHelpAreFoundBesideTheProgramElseInstalled()
    {
        const QString besideDb = "bin/parvela.mdb", besideHelp = "bin/parvela.hlp";
        const QString installedHelp = "share/parvela/parvela.hlp";
        for (const auto &[files, database, help] :
             {std::tuple(QStringList{besideDb, UserDatabase, besideHelp, installedHelp}, besideDb, besideHelp),
              {{UserDatabase, installedHelp}, UserDatabase, installedHelp},
              {{"bin/Parvela.HLP", installedHelp}, UserDatabase, installedHelp},
              {{}, UserDatabase, QString()}}) {
            Folders folders;
            for (const QString &file : files)
                folders.put(file);
            QCOMPARE(DataLocation::databasePath(), QDir::cleanPath(folders.file(database)));
            QCOMPARE(DataLocation::helpFilePath(), help.isEmpty() ? QString() : folders.file(help));
        }
    }

    void firstStartOffersAClubOrTheEnd_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("folderBlocked");
        // Members, competitions of the year, scores whose totals do not follow; empty: no start.
        QTest::addColumn<QString>("club");
        QTest::newRow("empty database") << int(QMessageBox::Yes) << false << "0 0 0";
        QTest::newRow("demonstration club") << int(QMessageBox::Open) << false << "40 12 0";
        QTest::newRow("end") << int(QMessageBox::Close) << false << "";
        QTest::newRow("folder cannot be made") << int(QMessageBox::Yes) << true << "";
    }
    void firstStartOffersAClubOrTheEnd()
    {
        QFETCH(int, answer);
        QFETCH(bool, folderBlocked);
        QFETCH(QString, club);
        Folders folders;
        if (folderBlocked)
            folders.put("data/Parvela"); // a file where the folder should be
        folders.put("share/parvela/parvela.hlp");
        MessageBox::queueAnswer(Answer(answer));
        // The program's own start, as main() makes it.
        const QPointer<MainMenu> menu = ProgramStart::showMainMenu(folders.file("bin"));
        QCOMPARE(!menu.isNull(), !club.isEmpty());
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), folderBlocked ? 2 : 1);
        QVERIFY(shown[0].icon == QMessageBox::Question && shown[0].text.contains(folders.file(UserDatabase)));
        QCOMPARE(shown[0].choices, (QStringList{"空のデータベースを作る", "見本のクラブで始める", "終了"}));
        QVERIFY(!folderBlocked || shown[1].icon == QMessageBox::Critical);
        QCOMPARE(Database::isOpen(), !club.isEmpty());
        QCOMPARE(QFile::exists(folders.file(UserDatabase)), !club.isEmpty());
        if (club.isEmpty())
            return;
        // The program's own icon travels inside it, for a start before it is installed.
        QVERIFY(menu->isVisible() && QFile::exists(":/parvela/icon.png") && !menu->windowIcon().pixmap(32).isNull());
        QCOMPARE(Database::path(), folders.file(UserDatabase));
        QCOMPARE(ParvelaTest::value("select (select count(*) from Member)||' '||count(*)||' '||(select "
                                    "count(*) from Score where GROSS_VAL<>OUT_VAL+IN_VAL or "
                                    "NET_VAL<>GROSS_VAL-HC) from Course where CYEAR=?",
                                    {menu->settings().editYear}),
                 club);
        QVERIFY(QTest::qWaitFor([&] { return menu->findChild<DayCopy *>()->isFinished(); }));
        QCOMPARE(QDir(folders.file("data/Parvela/backup")).entryList(QDir::Files).size(), 1);
        // The version window names the files in use.
        QStringList seen;
        ParvelaTest::onNextDialog<VersionWindow>([&](VersionWindow *window) {
            seen << window->databaseValue->toolTip() << window->helpFileValue->toolTip();
            window->closeButton->click();
        });
        menu->versionButton->click();
        delete menu;
        QCOMPARE(seen, (QStringList{folders.file(UserDatabase), folders.file("share/parvela/parvela.hlp")}));
    }
};

PARVELA_TEST_MAIN(TestDataLocation)
#include "tst_datalocation.moc"
