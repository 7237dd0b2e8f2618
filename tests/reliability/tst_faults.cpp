// Faults from outside the program and bad input from the user.
// A file or settings folder that cannot be used at start-up; a file locked by another program,
// read-only, full, without room for its journal, deleted, moved or damaged while in use: each is
// told in Japanese by its real cause, the program goes on (or, at start-up, ends before the menu)
// and nothing already stored is lost. The daily copy's own faults, and a damaged file at
// start-up, are in core/tst_backup.
// A change of several rows that fails part-way, a statement refused or a new handicap beyond 16
// bits: every table is as before, whichever change it was.
// Bad input: settings edited by hand are checked as a fresh process loads them. (A number field's
// refusal is driven through the member dialog in members/tst_memberlist, the fields' texts on
// their parsing functions.)
#include "parvelatest.h"

#include "platform/gui/widgets.h"

#include <QCryptographicHash>
#include <QScreen>

using namespace ParvelaTest;

namespace {

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                          : QByteArray("absent");
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;
    int m_cases = 0; // told at the end, so a run shows how much of the suite it went through

private slots:
    void init()
    {
        m_db = freshSettingsAndDatabase(2003);
        CourseTable::insert(2003, 5, "2003/5/18", "東");
    }
    void cleanup()
    {
        ++m_cases;
        endWindowTest(m_db);
    }
    void cleanupTestCase() { qInfo("faults and bad input: %d cases", m_cases); }

    void startUpWithAnUnusableFileOrSettingsFolderEndsBeforeTheMenu_data()
    {
        QTest::addColumn<QString>("told"); // %1 stands for the database's path
        QTest::newRow("another program's") << "「%1」はParvela のデータベースではありません";
        QTest::newRow("locked") << "「%1」は他のプログラムに使われているため";
        QTest::newRow("HOME unset") << "環境変数 HOME が設定されていません";
        QTest::newRow("settings folder unusable") << "設定を保存するフォルダ";
    }
    void startUpWithAnUnusableFileOrSettingsFolderEndsBeforeTheMenu()
    {
        QFETCH(QString, told);
        const QByteArray kind = QTest::currentDataTag();
        const QString path = m_db->path();
        Database::exec("with recursive n(i) as (select 1 union all select i+1 from n where i<300) "
                       "insert into Member select i, '会員'||i, 'かいいん', '', i%30, i%30, i%30 from n");
        if (kind == "another program's")
            Database::exec("PRAGMA application_id = 7");
        Database::close();
        std::optional<OtherProgramsLock> lock;
        const QByteArray home = qgetenv("HOME"), configHome = qgetenv("XDG_CONFIG_HOME");
        const QString settingsFolder = QFileInfo(SettingsStore::fileName()).absolutePath();
        QFile file(path);
        if (kind == "locked")
            lock.emplace(path);
        else if (kind == "HOME unset" && qunsetenv("HOME"))
            qunsetenv("XDG_CONFIG_HOME");
        else if (kind == "settings folder unusable" && QDir(settingsFolder).removeRecursively())
            QFile(settingsFolder).open(QIODevice::WriteOnly); // a file where the folder belongs
        file.close();
        const QByteArray before = fileHash(path);
        const bool started = MainMenu().start();
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", configHome);
        QFile::remove(settingsFolder);

        QVERIFY(!started && !Database::isOpen());
        const QString error = takeOnlyError();
        QVERIFY2(error.contains(QString(told).replace("%1", path)), qPrintable(error));
        QCOMPARE(fileHash(path), before);
        QVERIFY(!QFileInfo::exists(Backup::folderFor(path))); // no copy of a file refused
        if (kind == "locked") {
            lock.reset();
            // Once the other program lets go, the next start works with every row there.
            QVERIFY(MainMenu().start() && MessageBox::takeShown().isEmpty());
            QCOMPARE(count("Member"), 300);
        }
    }

    void faultWhileWritingIsToldByItsCauseAndNothingIsStored_data()
    {
        QTest::addColumn<QString>("told"); // %1 stands for the database's folder
        QTest::newRow("locked") << "データベースが他のプログラムに使われています。";
        QTest::newRow("read-only") << "（読み取り専用です）";
        QTest::newRow("disk full") << "ディスクがいっぱいです。";
        QTest::newRow("no room for the journal") << "フォルダ「%1」に作業用のファイルを作れない";
        QTest::newRow("damaged") << "データベースファイルが壊れています。";
        QTest::newRow("deleted") << "削除されたか、移動されました";
        QTest::newRow("moved") << "削除されたか、移動されました";
    }
    void faultWhileWritingIsToldByItsCauseAndNothingIsStored()
    {
        QFETCH(QString, told);
        const QByteArray kind = QTest::currentDataTag();
        const bool lasting = kind == "damaged" || kind == "deleted" || kind == "moved";
        const QString path = m_db->path();
        MemberListWindow &list = showTableWindow<MemberListWindow>();
        Database::exec("PRAGMA busy_timeout = 200");
        std::optional<OtherProgramsLock> lock;
        QString whenFaulty;
        bool openAfterRefusal = false, storedAfterRetry = false;
        onNextDialog<MemberDialog>([&](MemberDialog *dialog) {
            QPointer<MemberDialog> guard(dialog);
            QFile file(path);
            if (kind == "locked") {
                lock.emplace(path);
            } else if (kind == "read-only") { // what a read-only file gives, even for root
                Database::exec("PRAGMA query_only = ON");
            } else if (kind == "disk full") {
                Database::exec(QStringLiteral("PRAGMA max_page_count = %1").arg(value("PRAGMA page_count").toInt()));
            } else if (kind == "no room for the journal") {
                QFile::link("/nonexistent/folder/journal", path + "-journal");
            } else if (kind == "damaged" && file.open(QIODevice::ReadWrite) && file.seek(4096)) {
                // Every page after the first, and the change counter on, as another program would.
                file.write(QByteArray(int(file.size()) - 4096, '\x5a'));
                file.seek(27);
                file.putChar('\x7f');
                file.close();
            } else if (QFile::rename(path, path + ".moved") && kind == "deleted") {
                QFile::remove(path + ".moved");
            }
            // A reading that needs pages the file does not have yet.
            enterMember(dialog, {"佐藤", QString(3000, QChar(0x3055)), "1970/5/5", "12"});
            whenFaulty = takeOnlyError();
            openAfterRefusal = guard && guard->isVisible();
            // The cause taken away, the same entry is stored.
            lock.reset();
            QFile::remove(path + "-journal");
            // On the same connection: the step being recorded stays on it.
            if (kind == "read-only")
                Database::exec("PRAGMA query_only = OFF");
            else if (kind == "disk full")
                Database::exec("PRAGMA max_page_count = 1073741823");
            if (guard && !lasting)
                guard->okButton->click();
            storedAfterRetry = !guard || !guard->isVisible();
            if (guard)
                guard->close();
        });
        list.addButton->click();

        QVERIFY2(whenFaulty.contains(QString(told).replace("%1", m_db->folder())), qPrintable(whenFaulty));
        QVERIFY2(kind == "read-only" || !whenFaulty.contains("読み取り専用"), qPrintable(whenFaulty));
        QVERIFY(openAfterRefusal);
        QCOMPARE(storedAfterRetry, !lasting);
        if (kind != "damaged")
            QCOMPARE(count("Member"), lasting ? 0 : 1);
        if (!lasting)
            QCOMPARE(column("PRAGMA integrity_check"), QVariantList{"ok"});
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    // A read blocked by another program's lock: the window says so rather than showing an empty
    // table that could be printed as the club's, until a read succeeds.
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
        for (int n = 1; n <= 2; ++n)
            addScore(1, MemberTable::insert(QStringLiteral("会員%1").arg(n), "か", QString(), 10), QString(), 10, 40,
                     n);
        ScoreSheetWindow *sheet = form == 4 ? &openSheet(2003, 5) : nullptr;
        MemberListWindow *list = form == 7 ? &showTableWindow<MemberListWindow>() : nullptr;
        AnnualSummaryWindow *summary = form == 9 ? &showTableWindow<AnnualSummaryWindow>() : nullptr;
        const auto reload = [&] { sheet ? sheet->reload() : list ? list->reload() : summary->reload(); };
        QWidget *window = QApplication::activeWindow();
        GridView *grid = sheet ? sheet->scoreGrid : list ? list->memberGrid : summary->summaryGrid;
        QWidget *print = sheet ? sheet->printButton : list ? list->printButton : summary->printButton;
        QCOMPARE(grid->model()->rowCount(), 2);
        Database::exec("PRAGMA busy_timeout = 200");
        OtherProgramsLock lock(m_db->path());
        reload();
        const auto *notice = window->findChild<QLabel *>("failedReadNotice");
        const QString told = "データを読み込めませんでした。\nデータベースが他のプログラムに使われています。";
        QVERIFY(notice && notice->isVisible() && notice->text().startsWith(told));
        QVERIFY(!print->isEnabled() && grid->model()->rowCount() == 0);
        QVERIFY(takeOnlyError().startsWith(told));

        lock.release();
        reload();
        QVERIFY(MessageBox::takeShown().isEmpty());
        QVERIFY(grid->model()->rowCount() == 2 && !notice->isVisible() && print->isEnabled());
    }

    // A line of the settings file edited by hand, and the value then read: out of range, not a
    // number or beyond its type, the default (0: the current year).
    void handEditedValuesAreCheckedOnLoading()
    {
        const std::pair<const char *, double> lines[] = {
            {"EditYear=20a4", 0.0},    {"EditYear=40000", 0.0},   {"EditYear=999", 0.0},     {"EditYear=10000", 0.0},
            {"EditYear=1000", 1000.0}, {"EditYear=9999", 9999.0}, {"par1st=1e39", 0.7},      {"par2nd=10000", 0.8},
            {"par1st=0", 0.7},         {"par1st=nan", 0.7},       {"par2nd=2", 2.0},         {"par1st=0,7", 0.7},
            {"optTori1val= 8 ", 8.0},  {"tenTori1=2.5", 2.0},     {"printSize=large", 100.0}};
        m_cases += int(std::size(lines)) - 1; // each line is a case of its own; cleanup counts one
        for (const auto &[line, expected] : lines) {
            clearSettings(); // through the settings' cache, which would miss a change of the same size
            QFile file(SettingsStore::fileName());
            QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()) && file.open(QIODevice::WriteOnly)
                    && file.write("[setting]\n" + QByteArray(line) + '\n') > 0);
            file.close();
            settings() = SettingsRecord::load();
            const SettingsRecord &s = settings();
            const QHash<QString, double> read = {{"EditYear", s.editYear},         {"par1st", s.winnerMultiplier},
                                                 {"par2nd", s.runnerUpMultiplier}, {"optTori1val", s.minimumAttendance},
                                                 {"tenTori1", s.pointsFor[1]},     {"printSize", s.printScale}};
            const QString key = QString(line).section('=', 0, 0);
            QCOMPARE(line + QString::number(float(read.value(key))),
                     line + QString::number(float(expected ? expected : QDate::currentDate().year())));
        }
    }

    // Placement and widths from another screen, or edited by hand: the window opens visible and
    // on the screen, with every column in sight, and saves sane values back.
    void storedPlacementAndWidthsOpenTheWindowInSight_data()
    {
        QTest::addColumn<QStringList>("stored"); // state, left, top, width, height (twips), column width
        QTest::newRow("minimised, column hidden") << QStringList{"1", "1500", "1500", "-750", "4500", "-5000"};
        QTest::newRow("far off screen, column huge") << QStringList{"0", "-450000", "750000", "0", "0", "99999999"};
        QTest::newRow("larger than the screen") << QStringList{"0", "0", "0", "1350000", "1350000", "0"};
        QTest::newRow("beyond any integer") << QStringList{"0", "1e300", "-1e300", "1e300", "1e300", "1e300"};
    }
    void storedPlacementAndWidthsOpenTheWindowInSight()
    {
        QFETCH(QStringList, stored);
        const double width = stored[3].toDouble(), height = stored[4].toDouble();
        const QString form = MemberListWindow::PlacementName;
        for (const QString &key :
             {SettingKeys::windowState(form), SettingKeys::windowLeft(form), SettingKeys::windowTop(form),
              SettingKeys::windowWidth(form), SettingKeys::windowHeight(form), SettingKeys::gridColumnWidth(1)})
            SettingsStore::save(key, stored.takeFirst());
        MemberListWindow &list = showTableWindow<MemberListWindow>();
        const QRect screen = list.screen()->availableGeometry();
        QVERIFY(!list.isMinimized() && screen.intersects(list.frameGeometry()));
        QVERIFY(list.width() > 0 && list.height() > 0 && list.width() <= screen.width()
                && list.height() <= screen.height());
        QVERIFY(list.memberGrid->columnWidth(1) > 0 && list.memberGrid->columnWidth(1) <= screen.width());
        // A size of nothing or less is the window's design size.
        const QSize design(Twips::toPixels(7095), Twips::toPixels(6135));
        QCOMPARE(QSize(width > 0 ? list.width() : design.width(), height > 0 ? list.height() : design.height()),
                 list.size());
        list.close();
        flushDeletes();
        QVERIFY(SettingsStore::readInt(SettingKeys::gridColumnWidth(1), -1) > 0);
    }

    // A change of several rows whose statement fails part-way (a trigger refuses a row after rows
    // before it were written): every table is exactly as before, the window shows what is stored
    // and says nothing was changed. A restore whose new file cannot be written beside the database
    // (after the data before it was kept) leaves the database as it was, open.
    void aChangeFailingPartWayLeavesEveryTableAsBefore_data()
    {
        QTest::addColumn<QString>("refusal"); // the trigger's event and condition
        QTest::newRow("list: member import") << "insert on Member when new.NAME='乙'";
        QTest::newRow("list: member delete") << "delete on Member when old.ID=2";
        QTest::newRow("list: 最新HC取得") << "update on Member when new.ID=2";
        QTest::newRow("sheet: block delete") << "delete on Score when old.MEMBER_ID=2";
        QTest::newRow("sheet: bulk add") << "insert on Score when new.MEMBER_ID=6";
        QTest::newRow("sheet: 新HC計算") << "update on Member when new.ID=2";
        // The third's new handicap, 30000 × 1.5, is refused: it does not fit 16 bits.
        QTest::newRow("sheet: 新HC計算 beyond 16 bits") << QString();
        QTest::newRow("restore") << QString();
    }
    void aChangeFailingPartWayLeavesEveryTableAsBefore()
    {
        QFETCH(QString, refusal);
        const QByteArray kind = QTest::currentDataTag();
        // 会員1 … 会員6 with HC 20; the first four in May, calculated (new HC 14, 16, 18, 20).
        for (int n = 1; n <= 6; ++n) {
            const QString name = QStringLiteral("会員%1").arg(n);
            MemberTable::insert(name, QStringLiteral("かい%1").arg(n), "1960/1/1", 20);
            if (n <= 4)
                addScore(1, n, name, 20, 40, 29 + n, 0, n, 12 + 2 * n);
        }
        if (!refusal.isEmpty())
            Database::exec("create trigger refuse before " + refusal + " begin select raise(abort, 'refused'); end");
        if (kind.endsWith("bits")) {
            Database::exec("update Score set HC=30000 where MEMBER_ID=3");
            settings().thirdMultiplier = 1.5f; // a handicap and a multiplier their dialogs take
        }
        ScoreSheetWindow *sheet = kind.startsWith("sheet") ? &openSheet(2003, 5) : nullptr;
        MemberListWindow *list = kind.startsWith("list") ? &showTableWindow<MemberListWindow>() : nullptr;
        GridView *grid = sheet ? sheet->scoreGrid : list ? list->memberGrid : nullptr;
        const QVector<QStringList> shown = grid ? shownTable(*grid) : QVector<QStringList>{};
        const QStringList before = tableRows();
        const auto clickThenClose = [](QDialog *dialog, QPushButton *button) {
            button->click();
            dialog->close();
        };
        QTemporaryDir folder;
        QFile roster(folder.filePath("roster.csv"));
        if (kind.endsWith("import") && roster.open(QIODevice::WriteOnly)
            && roster.write("甲,こう,1970/1/1,10\n乙,おつ,1970/1/1,10\n丙,へい,1970/1/1,10\n") && roster.flush()) {
            FileDialogs::setAnswer(
                [&](const QString &, const QString &, const QString &) { return roster.fileName(); });
            onNextDialog<MemberImportDialog>([&](MemberImportDialog *dialog) { clickThenClose(dialog, dialog->importButton); });
            QTest::keyClick(list, Qt::Key_I, Qt::ControlModifier);
        } else if (kind.contains("delete")) {
            clickRow(*grid, 1);
            clickRow(*grid, 3, Qt::ShiftModifier);
            (sheet ? sheet->deleteButton : list->deleteButton)->click();
        } else if (kind.endsWith("bulk add")) {
            onNextDialog<BulkAddDialog>([&](BulkAddDialog *dialog) {
                dialog->memberList->selectAll(); // 会員5 and 会員6, not on the sheet yet
                clickThenClose(dialog, dialog->okButton);
            });
            sheet->bulkAddButton->click();
        } else if (sheet || list) {
            (sheet ? sheet->newHandicapButton : list->latestHandicapButton)->click(); // 新HC計算, 最新HC取得
        } else {
            QVERIFY(Backup::makeDaily(m_db->path(), QDate(2003, 5, 1)).made
                    && QDir().mkpath(m_db->path() + ".restoring"));
            onNextDialog<RestoreDialog>([&](RestoreDialog *dialog) {
                MessageBox::queueAnswer(QMessageBox::Yes);
                clickRow(*dialog->backupGrid, 1);
                clickThenClose(dialog, dialog->restoreButton);
            });
            showWindow<SettingsDialog>(settings()).restoreButton->click();
        }
        const QVector<MessageBox::Shown> told = MessageBox::takeShown();
        QVERIFY(!told.isEmpty() && told.last().icon == QMessageBox::Critical);
        const QString says = kind == "restore"       ? "を書き込めないため、復元しません。"
                             : kind.endsWith("bits") ? "新HC計算を中止しました。3位"
                                                     : "変更は保存されていません";
        QVERIFY2(told.last().text.contains(says), qPrintable(told.last().text));
        QCOMPARE(tableRows(), before);
        QCOMPARE(grid ? shownTable(*grid) : shown, shown);
    }
};

PARVELA_TEST_MAIN(TestFaults)
#include "tst_faults.moc"
