// Undo and redo through the windows: every action that writes is one step, named as the user
// sees it; undone, the three tables hold exactly what they held before (IDs and storage classes
// included), redone what they held after, and the windows show it and say so.
#include "parvelatest.h"

#include "core/gui/errorreport.h"
#include "core/gui/undocommands.h"

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

struct Action
{
    QString step;
    Window window;
    std::function<void(QWidget &)> run;
};

void answer(const std::function<void()> &press, const std::function<void(QWidget *)> &dialog)
{
    opens(press, [&](QWidget *modal) { return dialog(modal), "answered"; });
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

ScoreSheetWindow &sheet(QWidget &w) { return static_cast<ScoreSheetWindow &>(w); }
MemberListWindow &list(QWidget &w) { return static_cast<MemberListWindow &>(w); }

const QVector<Action> actions = {
    {"「鈴木」の追加", Sheet,
     [](QWidget &w) { answer([&] { sheet(w).addButton->click(); }, [](QWidget *m) { enterScore(m, "鈴木", "40"); }); }},
    {"「山田太郎」の編集", Sheet,
     [](QWidget &w) { answer([&] { doubleClickCell(*sheet(w).scoreGrid, 2, 2); }, [](QWidget *m) { enterScore(m, {}, "44"); }); }},
    {"「佐藤」ほか1人の削除", Sheet, [](QWidget &w) { dragRows(*sheet(w).scoreGrid, 1, 2), sheet(w).deleteButton->click(); }},
    {"5月の一括追加", Sheet,
     [](QWidget &w) {
         answer([&] { sheet(w).bulkAddButton->click(); }, [](QWidget *m) {
             static_cast<BulkAddDialog *>(m)->memberList->selectAll();
             static_cast<BulkAddDialog *>(m)->okButton->click();
         });
     }},
    {"5月の新HC計算", Sheet, [](QWidget &w) { sheet(w).newHandicapButton->click(); }},
    // Undone in the month window, the sheet being closed.
    {"5月のプレイ日とコースの変更", Sheet, [](QWidget &w) { sheet(w).courseCombo->setEditText("西"), sheet(w).closeButton->click(); }},
    // The sheet that follows closes by 終了 with its date and course as entered: no step.
    {"6月の月例会の追加", Months,
     [](QWidget &w) {
         answer([&] { static_cast<MonthWindow &>(w).monthButtons[5]->click(); }, [](QWidget *m) {
             auto *dialog = static_cast<CompetitionDialog *>(m);
             dialog->playDateEdit->setText("2026/6/21");
             dialog->courseCombo->setEditText("南");
             onNextDialog<ScoreSheetWindow>([](ScoreSheetWindow *opened) { opened->closeButton->click(); });
             dialog->okButton->click();
         });
     }},
    {"「田中」の追加", Members,
     [](QWidget &w) {
         answer([&] { list(w).addButton->click(); },
                [](QWidget *m) { enterMember(static_cast<MemberDialog *>(m), {"田中", "たなか", "1990/1/1", "10"}); });
     }},
    {"「佐藤」の編集", Members,
     [](QWidget &w) {
         answer([&] { doubleClickCell(*list(w).memberGrid, 1, 0); },
                [](QWidget *m) { enterMember(static_cast<MemberDialog *>(m), {"", "", "", "9"}); });
     }},
    {"「佐藤」ほか1人の削除", Members, [](QWidget &w) { dragRows(*list(w).memberGrid, 1, 2), list(w).deleteButton->click(); }},
    {"最新HC取得", Members, [](QWidget &w) { list(w).latestHandicapButton->click(); }},
    {"「roster.csv」からの取込", Members, [](QWidget &w) {
         FileDialogs::setAnswer([](auto, auto, auto) { return QFileInfo(Database::path()).dir().filePath("roster.csv"); });
         answer([&] { QTest::keyClick(&w, Qt::Key_I, Qt::ControlModifier); },
                [](QWidget *m) { static_cast<MemberImportDialog *>(m)->importButton->click(); });
     }}};

// What a window shows of the records: its grid, and the sheet's date and course.
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

// Undoes as the user finds it: the arrow menu's entry (whose caption is returned), or Ctrl+Z.
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

    std::unique_ptr<TemporaryDatabase> m_db;

private slots:
    void init()
    {
        m_db = freshSettingsAndDatabase(2026);
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

    void everyActionIsOneStepThroughTheWindows_data()
    {
        QTest::addColumn<int>("action");
        for (int i = 0; i < actions.size(); ++i)
            QTest::newRow(qPrintable(QString("%1 %2").arg(actions[i].window).arg(actions[i].step))) << i;
    }
    void everyActionIsOneStepThroughTheWindows()
    {
        QFETCH(int, action);
        const Action &act = actions[action];
        QWidget *window = act.window == Sheet     ? static_cast<QWidget *>(&openSheet(2026, 5))
                          : act.window == Members ? static_cast<QWidget *>(&showTableWindow<MemberListWindow>())
                                                  : &showWindow<MonthWindow>(settings(), undoHistory());
        const QStringList before = tables();
        const QString shownBefore = shown(window);
        act.run(*window);
        const QStringList after = tables();
        QVERIFY(after != before);
        QCOMPARE(undoHistory().undoName(), act.step);
        // Undone where the user is: the window, or the month window once the sheet has closed.
        QWidget *undoWindow = window->isVisible() ? window : &showWindow<MonthWindow>(settings(), undoHistory());
        const QString shownAfter = shown(undoWindow);
        QVERIFY(showActive(undoWindow));
        QCOMPARE(undoIn(undoWindow), undoWindow->findChild<QMenu *>() ? "元に戻す：" + act.step : "Ctrl+Z");
        QCOMPARE(tables(), before);
        QCOMPARE(notice(undoWindow), "元に戻しました：" + act.step);
        QCOMPARE(shown(undoWindow), undoWindow == window ? shownBefore : QString());
        // Both keys of redo, in turn.
        QTest::keyClick(undoWindow, action % 2 ? Qt::Key_Y : Qt::Key_Z,
                        action % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tables(), after);
        QCOMPARE(shown(undoWindow), shownAfter);
        QCOMPARE(notice(undoWindow), "やり直しました：" + act.step);
        for (const MessageBox::Shown &shown : MessageBox::takeShown())
            QCOMPARE(shown.text, "2 人を取り込みました。");
    }

    // Typing keeps Ctrl+Z until none is left to take back; a step refused over a row changed
    // since applies nothing and stays; an action that fails or changes nothing is no step, and a
    // new step drops what could be redone.
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
        QVERIFY(!sheet.undoCommands->undoAction->isEnabled());

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
        undoHistory().record("一", [] { Database::exec("update Member set HC=8 where ID=2"); });
        QVERIFY(!undoHistory().canRedo());
    }

    // The latest fifty steps are kept, and no more than 32 MB of them: the oldest go first.
    void theOldestStepsGoFirst()
    {
        UndoHistory history;
        for (int step = 1; step <= UndoHistory::KeptSteps + 1; ++step)
            history.record(QString::number(step), [step] { Database::exec("update Member set HC=? where ID=1", {step}); });
        int undone = 0;
        for (; history.canUndo(); ++undone)
            history.undo();
        QCOMPARE(undone, UndoHistory::KeptSteps);
        QCOMPARE(value("select HC from Member where ID=1").toInt(), 1);
        // A step holds the megabyte name before and after it: 15 such steps fit, 16 do not.
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
