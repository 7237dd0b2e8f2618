// Undo and redo of the changes to the three tables: every value and ID comes back, a step is
// taken back whole or not at all, and the history keeps what it promises. Through the windows:
// every action that writes is one step, named as the user sees it, and every open window shows
// the records put back.
#include "parvelatest.h"

#include "core/gui/errorreport.h"
#include "core/gui/undocommands.h"

#include <QSignalSpy>
#include <QSqlRecord>

using namespace ParvelaTest;

namespace {

// Every row of the three tables with the storage class of each value, so that 18 stored as an
// integer is not taken for 18.0 stored as a real.
QStringList tables()
{
    QStringList rows;
    for (const char *table : {"Member", "Course", "Score"}) {
        QSqlQuery query = Database::run(QStringLiteral("select * from %1 order by ID").arg(table));
        while (query.next()) {
            QString row = QString::fromLatin1(table);
            for (int column = 0; column < query.record().count(); ++column)
                row += '|' + query.value(column).toString() + ':' + QString::number(query.value(column).typeId());
            rows << row;
        }
    }
    return rows;
}

enum Window { Sheet, Members, Months };

// The user's action in one window: the step it makes, and where the user undoes it (the window
// itself, or the month window once the sheet has closed).
struct Action
{
    QString step;
    Window window;
    std::function<QWidget *(QWidget &)> run;
};

QWidget *sameWindow(QWidget &window, const std::function<void()> &press, const std::function<void(QWidget *)> &answer = {})
{
    opens(press, [&](QWidget *modal) {
        answer(modal);
        return "answered";
    });
    return &window;
}

ScoreSheetWindow &sheetOf(QWidget &window)
{
    return static_cast<ScoreSheetWindow &>(window);
}

MemberListWindow &listOf(QWidget &window)
{
    return static_cast<MemberListWindow &>(window);
}

void enterScore(QWidget *modal, const QString &member, const QString &out)
{
    auto *entry = static_cast<ScoreEntryDialog *>(modal);
    if (!member.isEmpty())
        entry->memberCombo->setCurrentIndex(entry->memberCombo->findText(member));
    entry->outEdit->setText(out);
    entry->inEdit->setText("41");
    entry->okButton->click();
}

const QVector<Action> &actions()
{
    static const QVector<Action> all = {
        {"「鈴木」の追加", Sheet,
         [](QWidget &w) {
             return sameWindow(w, [&] { sheetOf(w).addButton->click(); }, [](QWidget *m) { enterScore(m, "鈴木", "40"); });
         }},
        {"「山田太郎」の編集", Sheet,
         [](QWidget &w) {
             return sameWindow(w, [&] { doubleClickCell(*sheetOf(w).scoreGrid, 2, 2); },
                               [](QWidget *m) { enterScore(m, {}, "44"); });
         }},
        {"「佐藤」ほか1人の削除", Sheet,
         [](QWidget &w) {
             dragRows(*sheetOf(w).scoreGrid, 1, 2);
             sheetOf(w).deleteButton->click();
             return &w;
         }},
        {"5月の一括追加", Sheet,
         [](QWidget &w) {
             return sameWindow(w, [&] { sheetOf(w).bulkAddButton->click(); }, [](QWidget *m) {
                 auto *bulk = static_cast<BulkAddDialog *>(m);
                 bulk->memberList->selectAll();
                 bulk->okButton->click();
             });
         }},
        {"5月の新HC計算", Sheet,
         [](QWidget &w) {
             sheetOf(w).newHandicapButton->click();
             return &w;
         }},
        {"5月のプレイ日とコースの変更", Sheet,
         [](QWidget &w) -> QWidget * {
             sheetOf(w).courseCombo->setEditText("西");
             sheetOf(w).closeButton->click();
             return &showWindow<MonthWindow>(settings(), undoHistory());
         }},
        // The sheet that follows is closed by 終了 with date and course as entered: no step.
        {"6月の月例会の追加", Months,
         [](QWidget &w) {
             return sameWindow(w, [&] { static_cast<MonthWindow &>(w).monthButtons[5]->click(); }, [](QWidget *m) {
                 auto *dialog = static_cast<CompetitionDialog *>(m);
                 dialog->playDateEdit->setText("2026/6/21");
                 dialog->courseCombo->setEditText("南");
                 onNextDialog<ScoreSheetWindow>([](ScoreSheetWindow *sheet) { sheet->closeButton->click(); });
                 dialog->okButton->click();
             });
         }},
        {"「田中」の追加", Members,
         [](QWidget &w) {
             return sameWindow(w, [&] { listOf(w).addButton->click(); }, [](QWidget *m) {
                 enterMember(static_cast<MemberDialog *>(m), {"田中", "たなか", "1990/1/1", "10"});
             });
         }},
        {"「佐藤」の編集", Members,
         [](QWidget &w) {
             return sameWindow(w, [&] { doubleClickCell(*listOf(w).memberGrid, 1, 0); },
                               [](QWidget *m) { enterMember(static_cast<MemberDialog *>(m), {"", "", "", "9"}); });
         }},
        {"「佐藤」ほか1人の削除", Members,
         [](QWidget &w) {
             dragRows(*listOf(w).memberGrid, 1, 2);
             listOf(w).deleteButton->click();
             return &w;
         }},
        {"最新HC取得", Members,
         [](QWidget &w) {
             listOf(w).latestHandicapButton->click();
             return &w;
         }},
        {"「roster.csv」からの取込", Members, [](QWidget &w) {
             FileDialogs::setAnswer([](const QString &, const QString &, const QString &) {
                 return QDir(QFileInfo(Database::path()).path()).filePath("roster.csv");
             });
             return sameWindow(w, [&] { QTest::keyClick(&w, Qt::Key_I, Qt::ControlModifier); }, [](QWidget *m) {
                 static_cast<MemberImportDialog *>(m)->importButton->click();
             });
         }}};
    return all;
}

// What a window shows of the records: its grid, or the sheet's date and course too.
QString shown(QWidget *window)
{
    QString text;
    if (auto *grid = window->findChild<GridView *>())
        for (const QStringList &row : shownTable(*grid))
            text += row.join(',') + '\n';
    if (auto *sheet = qobject_cast<ScoreSheetWindow *>(window))
        text += sheet->playDateEdit->text() + ' ' + sheet->courseCombo->currentText();
    return text;
}

// Takes the last step back as the user sees it offered: the entry of the window's arrow menu
// (its caption returned), or Ctrl+Z where there is none.
QString undoIn(QWidget *window)
{
    QAction *undo = window->findChild<UndoCommands *>()->undoAction;
    for (QMenu *menu : window->findChildren<QMenu *>()) {
        if (menu->actions().contains(undo)) {
            const QString caption = undo->text();
            undo->trigger();
            return caption;
        }
    }
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    return "Ctrl+Z";
}

QString notice(QWidget *window)
{
    return window->findChild<UndoCommands *>()->noticeBox()->text();
}

} // namespace

class TestUndoHistory : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;

private slots:
    void init()
    {
        m_db = freshSettingsAndDatabase(2026);
        // Three members, May's competition with two, as every action below starts from.
        MemberTable::insert("山田太郎", "やまだたろう", "1950/1/2", 12.5);
        MemberTable::insert("佐藤", "さとう", "1970/2/3", 20);
        MemberTable::insert("鈴木", "すずき", "1980/4/5", 15);
        const int may = CourseTable::insert(2026, 5, "2026/5/17", "東");
        addScore(may, 1, "山田太郎", 12.5, 45, 48, 1.5, 1, 9);
        addScore(may, 2, "佐藤", 20, 50, 50);
        QFile roster(QDir(m_db->folder()).filePath("roster.csv"));
        QVERIFY(roster.open(QIODevice::WriteOnly) && roster.write("田中,たなか,1990/1/1,10\n井上,いのうえ,1991/1/1,20\n") > 0);
    }

    void cleanup() { endWindowTest(m_db); }

    // Each action does, is undone in the window (or, once it closed, in the month window) and
    // done again: the three tables as before and after it, shown so, and said so.
    void everyActionIsOneStepThroughTheWindows_data()
    {
        QTest::addColumn<int>("action");
        for (int i = 0; i < actions().size(); ++i)
            QTest::newRow(qPrintable(QString("%1 %2").arg(actions()[i].window).arg(actions()[i].step))) << i;
    }
    void everyActionIsOneStepThroughTheWindows()
    {
        QFETCH(int, action);
        const Action &act = actions()[action];
        QWidget *window = act.window == Sheet     ? static_cast<QWidget *>(&openSheet(2026, 5))
                          : act.window == Members ? static_cast<QWidget *>(&showTableWindow<MemberListWindow>())
                                                  : &showWindow<MonthWindow>(settings(), undoHistory());
        const QStringList before = tables();
        const QString shownBefore = shown(window);
        QWidget *undoWindow = act.run(*window);
        const QStringList after = tables();
        QVERIFY(after != before);
        QCOMPARE(undoHistory().undoName(), act.step);
        const QString shownAfter = shown(undoWindow);
        QVERIFY(showActive(undoWindow));
        QCOMPARE(undoIn(undoWindow), act.window == Months || undoWindow != window ? "Ctrl+Z" : "元に戻す：" + act.step);
        QCOMPARE(tables(), before);
        QCOMPARE(notice(undoWindow), "元に戻しました：" + act.step);
        if (undoWindow == window)
            QCOMPARE(shown(window), shownBefore);
        QTest::keyClick(undoWindow, action % 2 ? Qt::Key_Y : Qt::Key_Z,
                        action % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tables(), after);
        QCOMPARE(shown(undoWindow), shownAfter);
        QCOMPARE(notice(undoWindow), "やり直しました：" + act.step);
        for (const MessageBox::Shown &shown : MessageBox::takeShown())
            QCOMPARE(shown.text, "2 人を取り込みました。");
    }

    // Typing keeps Ctrl+Z until none is left to take back; a step refused over a row changed
    // since applies nothing and stays; an action that fails or changes nothing is no step.
    void typingConflictsAndFailuresOnTheSheet()
    {
        ScoreSheetWindow &sheet = openSheet(2026, 5);
        sheet.newHandicapButton->click();
        const QStringList calculated = tables();
        QTest::keyClicks(sheet.playDateEdit, "9");
        QTest::keyClick(sheet.playDateEdit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(sheet.playDateEdit->text(), "2026/5/17");
        QCOMPARE(tables(), calculated);
        QTest::keyClick(sheet.playDateEdit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(undoHistory().redoName(), "5月の新HC計算");
        QCOMPARE(sheet.undoCommands->undoAction->isEnabled(), false);

        Database::exec("update Score set RANK=3 where ID=1"); // as another program would
        const QStringList changed = tables();
        QTest::keyClick(&sheet, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(takeOnlyError().contains("「5月の新HC計算」をやり直せません。"));
        QCOMPARE(tables(), changed);
        QCOMPARE(sheet.undoCommands->redoAction->text(), "やり直す：5月の新HC計算");

        OtherProgramsLock lock(m_db->path());
        dragRows(*sheet.scoreGrid, 1, 2);
        sheet.deleteButton->click();
        QVERIFY(MessageBox::takeShown().value(0).text.startsWith(ChangeNotStored));
        lock.release();
        sheet.closeButton->click(); // date and course as they were
        QVERIFY(!undoHistory().canUndo() && undoHistory().canRedo());
    }

    // Each kind of change, alone and together over the three tables, in one transaction or in
    // single statements: undo gives back the tables exactly, redo the changed ones exactly.
    void undoAndRedoGiveBackEveryValue_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("insert") << QStringList{"insert into Member values (4,'高橋','たかはし','',7,0,0)"};
        QTest::newRow("update of a real by an integer")
            << QStringList{"update Member set HC=9, F_HC=12.5 where ID=1"};
        QTest::newRow("delete of a block") << QStringList{"delete from Score"};
        QTest::newRow("delete, then the ID reused")
            << QStringList{"delete from Member where ID=2", "insert into Member values (2,'別人','べつ','',1,1,1)"};
        QTest::newRow("three tables") << QStringList{"insert into Course values (2,2026,6,'2026/6/1','西')",
                                                     "update Score set RANK=2, NEW_HC=NULL where ID=1",
                                                     "delete from Member where ID=1"};
    }
    void undoAndRedoGiveBackEveryValue()
    {
        QFETCH(QStringList, statements);
        UndoHistory history;
        const QStringList before = tables();
        QVERIFY(history.record("変更", [&] {
            Transaction transaction;
            for (const QString &statement : statements)
                Database::exec(statement);
            transaction.commit();
        }));
        const QStringList after = tables();
        QVERIFY(after != before);
        QSignalSpy restored(&history, &UndoHistory::recordsRestored);
        QCOMPARE(history.undo(), QString("変更"));
        QCOMPARE(tables(), before);
        QCOMPARE(history.redoName(), QString("変更"));
        QCOMPARE(history.redo(), QString("変更"));
        QCOMPARE(tables(), after);
        QCOMPARE(restored.count(), 2);
        QCOMPARE(restored.at(0).at(0).toString(), QString("元に戻しました：変更"));
    }

    // An action that changes no row, or fails and is rolled back, leaves no step; an
    // undone step is dropped by the next change.
    void onlyActionsThatChangedRowsAreSteps()
    {
        UndoHistory history;
        QVERIFY(history.record("一", [] { Database::exec("update Member set HC=8 where ID=2"); }));
        QVERIFY(!history.record("同じ値", [] { Database::exec("update Member set HC=8 where ID=2"); }));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, history.record("失敗", [] {
            Transaction transaction;
            Database::exec("update Member set HC=1");
            Database::exec("insert into NoSuchTable values (1)");
            transaction.commit();
        }));
        QCOMPARE(history.undoName(), QString("一"));
        history.undo();
        QVERIFY(history.canRedo());
        QVERIFY(history.record("二", [] { Database::exec("update Member set HC=9 where ID=1"); }));
        QVERIFY(!history.canRedo());
        // An action recorded inside another is part of it.
        QVERIFY(history.record("外", [&] {
            Database::exec("update Member set HC=3 where ID=1");
            QVERIFY(!history.record("内", [] { Database::exec("update Member set HC=4 where ID=2"); }));
        }));
        history.undo();
        QCOMPARE(column("select HC from Member order by ID"), (QVariantList{9, 20, 15}));
        history.undo();
        QVERIFY(!history.canUndo());
        QCOMPARE(column("select HC from Member order by ID"), (QVariantList{12.5, 20, 15}));
    }

    // A row changed since the step, as another program could, refuses the whole undo: nothing
    // is applied and the step can still be undone once the row is back.
    void aChangedRowRefusesTheWholeStep()
    {
        UndoHistory history;
        history.record("削除", [] { Database::exec("delete from Score"); });
        history.record("編集", [] { Database::exec("update Member set HC=1, NAME='x'"); });
        Database::exec("update Member set HC=2 where ID=2");
        const QStringList changed = tables();
        try {
            history.undo();
            QFAIL("undone over a changed row");
        } catch (const DatabaseError &error) {
            QVERIFY(error.engineText().startsWith("「編集」を元に戻せません。"));
        }
        QCOMPARE(tables(), changed);
        QCOMPARE(history.undoName(), QString("編集"));
        Database::exec("update Member set HC=1 where ID=2");
        history.undo();
        history.undo();
        QCOMPARE(count("Score"), 2);
    }

    // The latest fifty steps are kept, and no more than 32 MB of them: the oldest go first.
    void theOldestStepsGoFirst()
    {
        UndoHistory history;
        for (int step = 1; step <= UndoHistory::KeptSteps + 1; ++step)
            history.record(QString::number(step), [step] { Database::exec("update Member set HC=? where ID=1", {step}); });
        int undone = 0;
        while (history.canUndo()) {
            history.undo();
            ++undone;
        }
        QCOMPARE(undone, UndoHistory::KeptSteps);
        QCOMPARE(value("select HC from Member where ID=1").toInt(), 1);

        // A step holds the megabyte name before and after it: 15 such steps fit, 16 do not.
        history.clear();
        const QString megabyte(1024 * 1024, 'x');
        for (int step = 0; step < 20; ++step)
            history.record("大", [&] { Database::exec("update Member set NAME=? where ID=2", {megabyte + QString::number(step)}); });
        for (undone = 0; history.canUndo(); ++undone)
            history.undo();
        QCOMPARE(undone, 15);
    }
};

PARVELA_TEST_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"
