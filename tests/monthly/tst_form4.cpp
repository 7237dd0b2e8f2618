// The month's score sheet: its rows, what the mouse and the keys select, what add, edit and
// delete then act on, and what closing stores.

#include "monthlyfixtures.h"

#include "core/database.h"
#include "core/settingsstore.h"
#include "monthly/gui/form5.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/printcommand.h"

#include <QPrinter>
#include <QPushButton>

using namespace MonthlyFixtures;
using namespace ParvelaTest;

namespace {

enum Before { PrintCancelled, Printed, AddCancelled };

} // namespace

class TestForm4 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;

    CourseRecord may() const { return *CourseTable::firstOfMonth(2003, 5); }

    // 会員1 … 会員5 with nets 70 … 74, shown in that order; June has the same five.
    Form4 &sheetOfFive()
    {
        Transaction transaction; // one disk sync, not twenty
        const int june = CourseTable::insert(2003, 6, QStringLiteral("2003/6/15"), QStringLiteral("西"));
        for (int i = 1; i <= 5; ++i) {
            const QString name = QStringLiteral("会員%1").arg(i);
            const int member = MemberTable::insert(name, QStringLiteral("かい%1").arg(i), QString(), 0);
            addScore(may().id, member, name, 0, 40, 29 + i);
            addScore(june, member, name, 0, 40, 29 + i);
        }
        transaction.commit();
        return openSheet(may());
    }

    static QVariantList namesLeft(int courseId)
    {
        return column(QStringLiteral("select MEMBER_NAME from Score where COURSE_ID=? order by NET_VAL"), {courseId});
    }

    // What the next score entry dialog opens as, "caption:name"; the dialog is cancelled.
    static QString entryOpenedBy(const std::function<void()> &press)
    {
        QString seen;
        onNextDialog<Form5>(
            [&](Form5 *entry) {
                seen = entry->windowTitle() + QLatin1Char(':') + entry->Combo1->currentText();
                entry->Command2->click();
            },
            500);
        press();
        if (seen.isEmpty())
            QTest::qWait(600); // nothing opened: let the wait for it run out
        return seen;
    }

private slots:
    void init()
    {
        m_db = freshSettingsAndDatabase(2003);
        CourseTable::insert(2003, 5, QStringLiteral("2003/5/18"), QStringLiteral("東コース"));
        MessageBox::takeShown();
    }

    void cleanup()
    {
        PrintCommand::setChooser({});
        closeAllWindows();
        m_db.reset();
    }

    void rowsInNetOrderWithPlaceLabels()
    {
        const auto member = [](const char *name, const char *birthday, double hc) {
            return MemberTable::insert(QString::fromUtf8(name), QStringLiteral("かな"), QString::fromUtf8(birthday), hc);
        };
        const int course = may().id;
        addScore(course, member("若手", "1960/10/5", 10), QStringLiteral("若手"), 10, 42, 43);               // 75
        addScore(course, member("年長", "1960/2/3", 10), QStringLiteral("年長"), 10, 40, 45, 2001684.3); // 75, older
        addScore(course, member("名手", "1970/01/01", 5), QStringLiteral("名手"), 5, 35, 40);               // 70
        const int gone = member("退会", "1950/1/1", 0);
        addScore(course, gone, QStringLiteral("退会"), 0, 30, 30);
        addScore(course, member("新人", "不明", 20), QStringLiteral("新人"), 20, 50, 50); // 80
        MemberTable::remove(gone);

        Form4 &sheet = openSheet(may());
        const Grid &grid = *sheet.ScoreGrid;
        QCOMPARE(shownColumn(grid, 1), (QStringList{"名手", "年長", "若手", "新人"}));
        QCOMPARE(shownColumn(grid, 0), (QStringList{"優勝", "準優勝", "3位", "4"}));
        QStringList second, header;
        for (int column = 0; column < grid.cols(); ++column) {
            second << shownText(grid, 2, column);
            header << shownText(grid, 0, column);
        }
        QCOMPARE(second, (QStringList{"準優勝", "年長", "10", "2001684.3", "40", "45", "85", "75", "0"}));
        QCOMPARE(header, (QStringList{"RANK", "氏名", "HC", "OB罰金", "OUT", "IN", "GROSS", "NET", "新HC"}));
        QVERIFY(!sheet.Command2->isEnabled() && !sheet.Command3->isEnabled());
    }

    void editAndDeleteActOnTheHighlightedRow_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("deleting");
        for (const bool deleting : {false, true}) {
            const char *action = deleting ? "delete" : "edit";
            QTest::addRow("print cancelled, %s", action) << int(PrintCancelled) << deleting;
            QTest::addRow("printed, %s", action) << int(Printed) << deleting;
            QTest::addRow("add cancelled, %s", action) << int(AddCancelled) << deleting;
        }
    }
    void editAndDeleteActOnTheHighlightedRow()
    {
        QFETCH(int, before);
        QFETCH(bool, deleting);
        QTemporaryDir folder;
        Form4 &sheet = sheetOfFive();
        clickRow(*sheet.ScoreGrid, 2);
        if (before == AddCancelled) {
            QCOMPARE(entryOpenedBy([&] { sheet.Command1->click(); }), QStringLiteral("追加:"));
        } else {
            PrintCommand::setChooser([&](QPrinter &printer, QWidget *) {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(folder.filePath(QStringLiteral("sheet.pdf")));
                return before == Printed ? 1 : 0;
            });
            sheet.Command5->click();
        }
        const QList<int> highlighted = highlightedRows(*sheet.ScoreGrid);
        QCOMPARE(highlighted.size(), 1);
        const QString name = shownText(*sheet.ScoreGrid, highlighted[0], 1);
        QVERIFY(sheet.Command2->isEnabled() && sheet.Command3->isEnabled());
        if (!deleting) {
            QCOMPARE(entryOpenedBy([&] { sheet.Command2->click(); }), QStringLiteral("編集:") + name);
            return;
        }
        sheet.Command3->click();
        QVERIFY(namesLeft(may().id).size() == 4 && !namesLeft(may().id).contains(name));
    }

    void deleteRemovesExactlyTheSelectedBlock_data()
    {
        QTest::addColumn<QString>("how");
        for (const char *how : {"drag", "Shift+click in the fixed column", "Shift+click upwards", "Shift+Down"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void deleteRemovesExactlyTheSelectedBlock()
    {
        QFETCH(QString, how);
        Form4 &sheet = sheetOfFive();
        Grid &grid = *sheet.ScoreGrid;
        if (how == QLatin1String("drag")) {
            dragRows(grid, 2, 4);
        } else if (how == QLatin1String("Shift+click in the fixed column")) {
            clickCell(grid, 2, 0);
            clickCell(grid, 4, 0, Qt::ShiftModifier);
        } else if (how == QLatin1String("Shift+click upwards")) {
            clickRow(grid, 4);
            clickRow(grid, 2, Qt::ShiftModifier);
        } else {
            clickRow(grid, 2);
            QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
            QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
        }
        QCOMPARE(highlightedRows(grid), (QList<int>{2, 3, 4}));
        QVERIFY(sheet.Command3->isEnabled());
        sheet.Command3->click();
        QCOMPARE(namesLeft(may().id), (QVariantList{"会員1", "会員5"}));
        QCOMPARE(namesLeft(may().id + 1).size(), 5);
        QVERIFY(!sheet.Command2->isEnabled() && !sheet.Command3->isEnabled());
    }

    void rightClickAnywhereOverTheGridAdds_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("cell") << 2 << 3;
        QTest::newRow("header row") << 0 << 3;
        QTest::newRow("fixed column") << 2 << 0;
        QTest::newRow("corner") << 0 << 0;
        QTest::newRow("below the last row") << -1 << 3;
    }
    void rightClickAnywhereOverTheGridAdds()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        Form4 &sheet = sheetOfFive();
        Grid &grid = *sheet.ScoreGrid;
        const QString opened = entryOpenedBy([&] {
            if (row < 0)
                QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::NoModifier, QPoint(20, grid.viewport()->height() - 4));
            else
                clickCell(grid, row, column, Qt::NoModifier, Qt::RightButton);
        });
        QCOMPARE(opened, QStringLiteral("追加:"));
        QCOMPARE(value(QStringLiteral("select count(*) from Score")).toInt(), 10);
    }

    void doubleClickOnAnyCellOfARowEditsIt_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("RANK") << 0;
        QTest::newRow("氏名") << 1;
        QTest::newRow("NET") << 7;
    }
    void doubleClickOnAnyCellOfARowEditsIt()
    {
        QFETCH(int, column);
        Form4 &sheet = sheetOfFive();
        QCOMPARE(entryOpenedBy([&] { doubleClickCell(*sheet.ScoreGrid, 3, column); }), QStringLiteral("編集:会員3"));
    }

    void editShowsTheRowAndStoresWhatFollowsFromIt()
    {
        const int member = MemberTable::insert(QStringLiteral("O'Brien"), QStringLiteral("お"), QString(), 12);
        const int id = addScore(may().id, member, QStringLiteral("O'Brien"), 12, 45, 47);
        ScoreTable::updateNewHcAndRank(id, 8, 1);
        MemberTable::update(member, QStringLiteral("O'Brien Jr"), QStringLiteral("お"), QString(), 9);
        const int bulk = MemberTable::insert(QStringLiteral("一括"), QStringLiteral("い"), QString(), 14);
        addScore(may().id, bulk, QStringLiteral("一括"), 14, 0, 0);
        Form4 &sheet = openSheet(may());
        QStringList seen;
        const auto record = [&seen](bool store) {
            onNextDialog<Form5>([&seen, store](Form5 *entry) {
                seen << entry->Combo1->currentText() + QLatin1Char('/') + QString::number(entry->Combo1->count());
                for (QLineEdit *field : {entry->Text1, entry->Text2, entry->Text3, entry->Text4, entry->Text5,
                                         entry->Text6, entry->Text7})
                    seen << field->text();
                entry->Text2->setText(QStringLiteral("200"));
                entry->Text4->setText(QStringLiteral("40"));
                (store ? entry->Command1 : entry->Command2)->click();
            });
        };
        record(false);
        doubleClickCell(*sheet.ScoreGrid, 1, 1); // the bulk row: NET -14 comes first
        record(true);
        doubleClickCell(*sheet.ScoreGrid, 2, 1);
        // The bulk row opens with empty scores; the other with its own HC, not the member's 9.
        QCOMPARE(seen, (QStringList{"一括/1", "14", "", "", "", "0", "-14", "0", //
                                    "O'Brien/1", "12", "0", "45", "47", "92", "80", "8"}));
        const ScoreRecord row = *ScoreTable::byId(id);
        QCOMPARE(QStringList({row.memberName, QString::number(row.ob), QString::number(row.gross),
                              QString::number(row.net), QString::number(row.newHc), QString::number(row.rank)}),
                 (QStringList{"O'Brien", "200", "85", "73", "8", "1"}));
        QCOMPARE(shownText(*sheet.ScoreGrid, 2, 7), QStringLiteral("73"));
    }

    void closingStoresDateAndCourse_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("course");
        QTest::addColumn<QStringList>("stored"); // date, course, history
        QTest::newRow("Esc, new course")
            << "Esc" << "南'コース" << QStringList{"2003/5/25", "南'コース", "南'コース", "東", "西"};
        QTest::newRow("終了, known course") << "終了" << "西" << QStringList{"2003/5/25", "西", "東", "西", "北"};
        QTest::newRow("close box") << "close box" << "南" << QStringList{"2003/5/18", "東コース", "東", "西", "北"};
    }
    void closingStoresDateAndCourse()
    {
        QFETCH(QString, how);
        QFETCH(QString, course);
        QFETCH(QStringList, stored);
        const QStringList history = {"東", "西", "北"};
        for (int n = 1; n <= 3; ++n)
            SettingsStore::save(SettingKeys::course(n), history[n - 1]);
        Form4 &sheet = openSheet(may());
        QCOMPARE(sheet.boxCourse->count(), 3);
        sheet.boxDate->setText(QStringLiteral("2003/5/25"));
        sheet.boxCourse->setEditText(course);
        if (how == QLatin1String("Esc"))
            QTest::keyClick(sheet.boxCourse, Qt::Key_Escape);
        else if (how == QStringLiteral("終了"))
            sheet.Command7->click();
        else
            sheet.close();
        QVERIFY(!sheet.isVisible());
        QStringList now = {may().playDate, may().courseName};
        for (int n = 1; n <= 3; ++n)
            now << SettingsStore::read(SettingKeys::course(n), QString());
        QCOMPARE(now, stored);
    }

    void failedStoreKeepsTheSheetOpen()
    {
        Form4 &sheet = openSheet(may());
        Database::exec(QStringLiteral("drop table Course"));
        sheet.Command7->click();
        QVERIFY(sheet.isVisible());
        QVERIFY(takeOnlyError());
    }

    void maximisedLikeTheOtherGridWindows()
    {
        SettingsStore::save(QStringLiteral("Form4WindowSate"), QStringLiteral("2"));
        Form4 *sheet = &openSheet(may());
        QVERIFY(sheet->windowFlags().testFlags(Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
        QVERIFY(sheet->isMaximized());
        sheet->showNormal();
        sheet->resize(700, 500);
        sheet->ScoreGrid->setColWidth(8, 900);
        sheet->close();
        flushDeletes();
        QCOMPARE(SettingsStore::read(QStringLiteral("Form4WindowSate"), QString()), QStringLiteral("0"));
        sheet = &openSheet(may());
        QCOMPARE(sheet->size(), QSize(700, 500));
        QCOMPARE(sheet->ScoreGrid->colWidth(8), 900);
    }
};

PARVELA_TEST_MAIN(TestForm4)
#include "tst_form4.moc"
