// The month's score sheet with its score entry and bulk add: the rows it shows, what add, edit,
// new HC and closing do. And for the sheet and the member list alike: what the mouse and the
// keys select is what edit and delete act on, whatever happened in between.

#include "monthlyfixtures.h"

#include "core/database.h"
#include "core/settingsstore.h"
#include "members/gui/form7.h"
#include "members/gui/form8.h"
#include "monthly/gui/form12.h"
#include "monthly/gui/form5.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/printcommand.h"
#include "platform/gui/splitbutton.h"

#include <QListWidget>
#include <QPrinter>
#include <QPushButton>

#include <tuple>

using namespace MonthlyFixtures;
using namespace ParvelaTest;

namespace {

enum Before { PrintCancelled, Printed, AddCancelled };
enum Window { Sheet, Members };

// What the entry dialog of either window opened as: "caption:name".
QString entryOf(QWidget *modal)
{
    if (auto *entry = qobject_cast<Form5 *>(modal))
        return entry->windowTitle() + QLatin1Char(':') + entry->Combo1->currentText();
    auto *member = qobject_cast<Form8 *>(modal);
    return member ? member->windowTitle() + QLatin1Char(':') + member->Text1->text() : QString();
}

// The grid window as the user drives it.
struct GridWindow
{
    Grid *grid;
    QPushButton *add, *edit, *remove;
    QAbstractButton *print;
    int nameColumn;
    QStringList names() const { return shownColumn(*grid, nameColumn); }
};

} // namespace

class TestForm4 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;
    int m_may = 0;

    CourseRecord may() const { return *CourseTable::firstOfMonth(2003, 5); }

    // 会員1 … 会員5, in that order in the member list (kana) and on May's sheet (nets 70 … 74);
    // June has the same five. The window is open with them.
    GridWindow openWithFive(int window)
    {
        Transaction transaction; // one disk sync, not twenty
        const int june = CourseTable::insert(2003, 6, QStringLiteral("2003/6/15"), QStringLiteral("西"));
        for (int i = 1; i <= 5; ++i) {
            const QString name = QStringLiteral("会員%1").arg(i);
            const int member = MemberTable::insert(name, QStringLiteral("かい%1").arg(i), QString(), 0);
            addScore(m_may, member, name, 0, 40, 29 + i);
            addScore(june, member, name, 0, 40, 29 + i);
        }
        transaction.commit();
        if (window == Members) {
            Form7 &list = showTableWindow<Form7>();
            return {list.MemberGrid, list.Command1, list.Command2, list.Command3, list.Command5, 0};
        }
        Form4 &sheet = openSheet(may());
        return {sheet.ScoreGrid, sheet.Command1, sheet.Command2, sheet.Command3, sheet.Command5, 1};
    }

    // The score entry dialog of 追加 over the loaded sheet, the window the user works in.
    Form5 &openAdd()
    {
        Module1::CurrentCourseId = static_cast<qint16>(m_may);
        Form4 &sheet = WindowRegistry::instance().form<Form4>();
        sheet.Showtable();
        Form5 &entry = WindowRegistry::instance().form<Form5>(&sheet);
        entry.setWindowTitle(Form5::AddCaption);
        showActive(&entry);
        return entry;
    }

    // 加藤 かとう, 後藤 がとう, 河合 かわい, 木村 きむら (IDs 1 … 4): in kana order, not in the
    // byte order of their readings.
    static void kanaMembers()
    {
        for (const auto &[name, kana, hc] : {std::tuple{"加藤", "かとう", 10.0},
                                             {"後藤", "がとう", 18.0},
                                             {"河合", "かわい", 7.5},
                                             {"木村", "きむら", 12.0}})
            MemberTable::insert(QString::fromUtf8(name), QString::fromUtf8(kana), QStringLiteral("1950/1/1"), hc);
    }

private slots:
    void init()
    {
        m_db = freshSettingsAndDatabase(2003);
        m_may = CourseTable::insert(2003, 5, QStringLiteral("2003/5/18"), QStringLiteral("東コース"));
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
        const auto play = [this](const char *name, const char *birthday, double hc, int in, double ob = 0) {
            const QString who = QString::fromUtf8(name);
            const qint16 member = MemberTable::insert(who, "か", QString::fromUtf8(birthday), hc);
            addScore(m_may, member, who, hc, 40, in, ob);
            return member;
        };
        play("若手", "1960/10/5", 10, 45);           // net 75
        play("年長", "1960/2/3", 10, 45, 2001684.3); // net 75, the elder
        play("名手", "1970/01/01", 5, 35);           // net 70
        play("新人", "不明", 20, 60);                // net 80
        MemberTable::remove(play("退会", "1950/1/1", 0, 20));
        Form4 &sheet = openSheet(may());
        QStringList second;
        for (int column = 0; column < 9; ++column)
            second << shownText(*sheet.ScoreGrid, 0, column) + QLatin1Char('=')
                          + shownText(*sheet.ScoreGrid, 2, column);
        QCOMPARE(second, (QStringList{"RANK=準優勝", "氏名=年長", "HC=10", "OB罰金=2001684.3", "OUT=40", "IN=45",
                                      "GROSS=85", "NET=75", "新HC=0"}));
        QCOMPARE(shownColumn(*sheet.ScoreGrid, 0) + shownColumn(*sheet.ScoreGrid, 1),
                 (QStringList{"優勝", "準優勝", "3位", "4", "名手", "年長", "若手", "新人"}));
        QVERIFY(!sheet.Command2->isEnabled() && !sheet.Command3->isEnabled());
    }

    void editAndDeleteActOnTheHighlightedRow_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("deleting");
        for (const int window : {Sheet, Members}) {
            for (const bool deleting : {false, true}) {
                const char *where = window == Sheet ? "sheet" : "members";
                const char *action = deleting ? "delete" : "edit";
                QTest::addRow("%s: print cancelled, %s", where, action) << window << int(PrintCancelled) << deleting;
                QTest::addRow("%s: printed, %s", where, action) << window << int(Printed) << deleting;
                QTest::addRow("%s: add cancelled, %s", where, action) << window << int(AddCancelled) << deleting;
            }
        }
    }
    void editAndDeleteActOnTheHighlightedRow()
    {
        QFETCH(int, window);
        QFETCH(int, before);
        QFETCH(bool, deleting);
        QTemporaryDir folder;
        const GridWindow w = openWithFive(window);
        clickRow(*w.grid, 2);
        PrintCommand::setChooser([&](QPrinter &printer, QWidget *) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(folder.filePath(QStringLiteral("grid.pdf")));
            return before == Printed ? 1 : 0;
        });
        if (before == AddCancelled)
            QCOMPARE(opens([&] { w.add->click(); }, entryOf), QStringLiteral("追加:"));
        else
            w.print->click();
        const QList<int> highlighted = highlightedRows(*w.grid);
        QCOMPARE(highlighted.size(), 1);
        const QString name = shownText(*w.grid, highlighted[0], w.nameColumn);
        QVERIFY(w.edit->isEnabled() && w.remove->isEnabled());
        if (!deleting) {
            QCOMPARE(opens([&] { w.edit->click(); }, entryOf), QStringLiteral("編集:") + name);
            return;
        }
        QStringList left = w.names();
        left.removeOne(name);
        w.remove->click();
        QCOMPARE(w.names(), left);
    }

    void deleteRemovesExactlyTheSelectedBlock_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("how");
        for (const char *how : {"drag", "Shift+click in the fixed column", "Shift+click upwards", "Shift+Down"})
            QTest::addRow("sheet: %s", how) << int(Sheet) << QString::fromLatin1(how);
        for (const char *how : {"drag", "Shift+Down"})
            QTest::addRow("members: %s", how) << int(Members) << QString::fromLatin1(how);
    }
    void deleteRemovesExactlyTheSelectedBlock()
    {
        QFETCH(int, window);
        QFETCH(QString, how);
        const GridWindow w = openWithFive(window);
        Grid &grid = *w.grid;
        if (how == QLatin1String("drag")) {
            dragRows(grid, 2, 4);
        } else if (how.endsWith(QLatin1String("column"))) {
            clickCell(grid, 2, 0);
            clickCell(grid, 4, 0, Qt::ShiftModifier);
        } else if (how.endsWith(QLatin1String("upwards"))) {
            clickRow(grid, 4);
            clickRow(grid, 2, Qt::ShiftModifier);
        } else {
            clickRow(grid, 2);
            QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
            QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
        }
        QCOMPARE(highlightedRows(grid), (QList<int>{2, 3, 4}));
        QVERIFY(w.remove->isEnabled());
        w.remove->click();
        QCOMPARE(w.names(), (QStringList{"会員1", "会員5"}));
        QCOMPARE(value(QStringLiteral("select count(*) from Score where COURSE_ID<>?"), {m_may}).toInt(), 5); // June
        QVERIFY(!w.edit->isEnabled() && !w.remove->isEnabled());
    }

    void rightClickAnywhereOverTheGridAdds_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("sheet: cell") << int(Sheet) << 2 << 3;
        QTest::newRow("sheet: header row") << int(Sheet) << 0 << 3;
        QTest::newRow("sheet: fixed column") << int(Sheet) << 2 << 0;
        QTest::newRow("sheet: corner") << int(Sheet) << 0 << 0;
        QTest::newRow("sheet: below the last row") << int(Sheet) << -1 << 3;
        QTest::newRow("members: header row") << int(Members) << 0 << 0;
        QTest::newRow("members: below the last row") << int(Members) << -1 << 0;
    }
    void rightClickAnywhereOverTheGridAdds()
    {
        QFETCH(int, window);
        QFETCH(int, row);
        QFETCH(int, column);
        Grid &grid = *openWithFive(window).grid;
        const QPoint below(20, grid.viewport()->height() - 4);
        QCOMPARE(opens(
                     [&] {
                         if (row < 0)
                             QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::NoModifier, below);
                         else
                             clickCell(grid, row, column, Qt::NoModifier, Qt::RightButton);
                     },
                     entryOf),
                 QStringLiteral("追加:"));
        QVERIFY(highlightedRows(grid).isEmpty());
    }

    void doubleClickOnAnyCellOfARowEditsIt_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("column");
        QTest::newRow("sheet: RANK") << int(Sheet) << 0;
        QTest::newRow("sheet: 氏名") << int(Sheet) << 1;
        QTest::newRow("sheet: NET") << int(Sheet) << 7;
        QTest::newRow("members: 氏名") << int(Members) << 0;
        QTest::newRow("members: HC") << int(Members) << 3;
    }
    void doubleClickOnAnyCellOfARowEditsIt()
    {
        QFETCH(int, window);
        QFETCH(int, column);
        Grid &grid = *openWithFive(window).grid;
        QCOMPARE(opens([&] { doubleClickCell(grid, 3, column); }, entryOf), QStringLiteral("編集:会員3"));
    }

    void editShowsTheRowAndStoresWhatFollowsFromIt()
    {
        const int member = MemberTable::insert(QStringLiteral("O'Brien"), QStringLiteral("お"), QString(), 12);
        const int id = addScore(m_may, member, QStringLiteral("O'Brien"), 12, 45, 47);
        ScoreTable::updateNewHcAndRank(id, 8, 1);
        MemberTable::update(member, QStringLiteral("O'Brien Jr"), QStringLiteral("お"), QString(), 9);
        const int bulk = MemberTable::insert(QStringLiteral("一括"), QStringLiteral("い"), QString(), 14);
        addScore(m_may, bulk, QStringLiteral("一括"), 14, 0, 0);
        Form4 &sheet = openSheet(may());
        const auto fields = [](bool store) {
            return [store](QWidget *modal) {
                auto *entry = static_cast<Form5 *>(modal);
                QStringList seen = {entry->Combo1->currentText() + QLatin1Char('/')
                                    + QString::number(entry->Combo1->count())};
                for (QLineEdit *field :
                     {entry->Text1, entry->Text2, entry->Text3, entry->Text4, entry->Text5, entry->Text6, entry->Text7})
                    seen << field->text();
                entry->Text2->setText(QStringLiteral("200"));
                entry->Text4->setText(QStringLiteral("40"));
                (store ? entry->Command1 : entry->Command2)->click();
                return seen.join(QLatin1Char(' '));
            };
        };
        // The bulk row (NET -14, first) opens with empty scores; the other with its own HC, not
        // the member's 9 of today.
        QCOMPARE(opens([&] { doubleClickCell(*sheet.ScoreGrid, 1, 1); }, fields(false)),
                 QStringLiteral("一括/1 14    0 -14 0"));
        QCOMPARE(opens([&] { doubleClickCell(*sheet.ScoreGrid, 2, 1); }, fields(true)),
                 QStringLiteral("O'Brien/1 12 0 45 47 92 80 8"));
        QCOMPARE(value(QStringLiteral("select count(*) from Score where ID=? and MEMBER_NAME='O''Brien' and OB=200 "
                                      "and GROSS_VAL=85 and NET_VAL=73 and NEW_HC=8 and RANK=1"),
                       {id})
                     .toInt(),
                 1);
        QCOMPARE(shownText(*sheet.ScoreGrid, 2, 7), QStringLiteral("73"));
    }

    void closingStoresDateAndCourse_data()
    {
        QTest::addColumn<QString>("course");     // typed, then the sheet is closed by the row's way
        QTest::addColumn<QStringList>("stored"); // date, course, history
        QTest::newRow("Esc") << "南'" << QStringList{"2003/5/25", "南'", "南'", "東", "西"};
        QTest::newRow("終了, a known course") << "西" << QStringList{"2003/5/25", "西", "東", "西", "北"};
        QTest::newRow("close box") << "南" << QStringList{"2003/5/18", "東コース", "東", "西", "北"};
    }
    void closingStoresDateAndCourse()
    {
        QFETCH(QString, course);
        QFETCH(QStringList, stored);
        const QString how = QString::fromUtf8(QTest::currentDataTag());
        for (int n = 1; n <= 3; ++n)
            SettingsStore::save(SettingKeys::course(n), QStringList{"東", "西", "北"}[n - 1]);
        Form4 &sheet = openSheet(may());
        QCOMPARE(sheet.boxCourse->count(), 3);
        sheet.boxDate->setText(QStringLiteral("2003/5/25"));
        sheet.boxCourse->setEditText(course);
        if (how == QLatin1String("Esc"))
            QTest::keyClick(sheet.boxCourse, Qt::Key_Escape);
        else if (how == QLatin1String("close box"))
            sheet.close();
        else
            sheet.Command7->click();
        QVERIFY(!sheet.isVisible());
        QStringList now = {may().playDate, may().courseName};
        for (int n = 1; n <= 3; ++n)
            now << SettingsStore::read(SettingKeys::course(n), QString());
        QCOMPARE(now, stored);
    }

    void aFailedStoreKeepsTheSheetOpen()
    {
        Form4 &sheet = openSheet(may());
        Database::exec(QStringLiteral("drop table Course"));
        sheet.Command7->click();
        QVERIFY(sheet.isVisible() && takeOnlyError());
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
        sheet = &openSheet(may());
        QVERIFY(!sheet->isMaximized());
        QCOMPARE(sheet->size(), QSize(700, 500));
        QCOMPARE(sheet->ScoreGrid->colWidth(8), 900);
    }

    void newHandicapsOfTheMonthAndAFailedCalculation()
    {
        // Nets 70, 72, 75, 76.
        for (const auto &[name, hc, out, in] :
             {std::tuple{"青木", 20, 45, 45}, {"伊藤", 15, 43, 44}, {"上田", 11, 43, 43}, {"遠藤", 18, 47, 47}}) {
            const QString who = QString::fromUtf8(name);
            addScore(m_may, MemberTable::insert(who, "か", QString(), hc), who, hc, out, in);
        }
        Database::exec(QStringLiteral("create trigger refuse before update on Member begin "
                                      "select raise(abort, 'refused'); end"));
        Form4 &sheet = openSheet(may());
        sheet.Command4->click(); // refused after every row was ranked: nothing of it stays
        QVERIFY(takeOnlyError());
        QCOMPARE(value(QStringLiteral("select count(*) from Score where RANK<>0 or NEW_HC<>0")).toInt(), 0);
        Database::exec(QStringLiteral("drop trigger refuse"));
        sheet.Command4->click();
        QCOMPARE(shownColumn(*sheet.ScoreGrid, 1) + shownColumn(*sheet.ScoreGrid, 8),
                 (QStringList{"青木", "伊藤", "上田", "遠藤", "14", "12", "10", "18"}));
        QCOMPARE(value(QStringLiteral("select group_concat(HC, ' ') from (select HC from Member order by ID)")),
                 QVariant("14.0 12.0 10.0 18.0"));
        QVERIFY(!QApplication::overrideCursor());
    }

    void entryOffersTheMembersNotYetEnteredInKanaOrder()
    {
        kanaMembers();
        addScore(m_may, 4, QStringLiteral("木村"), 12, 40, 40);
        Form5 &entry = openAdd();
        QStringList offered;
        for (int i = 0; i < entry.Combo1->count(); ++i)
            offered << entry.Combo1->itemText(i);
        QCOMPARE(offered, (QStringList{"加藤", "後藤", "河合"})); // がとう after かとう, before かわい
        QVERIFY(!entry.Command1->isEnabled());
    }

    void entryTotalsFollowTheMemberPickedAfterTheScores()
    {
        kanaMembers();
        Form5 &entry = openAdd();
        QTest::keyClicks(entry.Text3, QStringLiteral("45"));
        QTest::keyClicks(entry.Text4, QStringLiteral("47"));
        QCOMPARE(entry.Text6->text(), QStringLiteral("92"));
        entry.Combo1->setCurrentIndex(entry.Combo1->findText(QStringLiteral("木村")));
        QCOMPARE(entry.Text5->text() + QLatin1Char(' ') + entry.Text6->text(), QStringLiteral("92 80"));
        entry.Text1->setText(QStringLiteral("13.5")); // a handicap typed over counts too, rounded to even
        QCOMPARE(entry.Text6->text(), QStringLiteral("78"));
        QTest::keyClick(entry.Text4, Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier); // on OK
        QCOMPARE(value(QStringLiteral("select count(*) from Score where HC=13.5 and NET_VAL=78")).toInt(), 1);
        QCOMPARE(shownColumn(*WindowRegistry::instance().existing<Form4>()->ScoreGrid, 7), QStringList{"78"});
    }

    void aRefusedEntryStoresNothingAndCancelLeavesTheSheet()
    {
        kanaMembers();
        Form5 &entry = openAdd();
        entry.Combo1->setCurrentIndex(0);
        entry.Text3->setText(QStringLiteral("45.5"));
        entry.Command1->click();
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QVERIFY(shown.size() == 1 && shown[0].text.startsWith(QStringLiteral("OUTには")) && entry.Text3->hasFocus());
        QTest::keyClick(entry.Text2, Qt::Key_Escape);
        QVERIFY(!entry.isVisible());
        QCOMPARE(value(QStringLiteral("select count(*) from Score")).toInt(), 0);
        QCOMPARE(WindowRegistry::instance().existing<Form4>()->ScoreGrid->rows(), 1); // not reloaded
    }

    void bulkAddEntersTheChosenWithZeros()
    {
        kanaMembers();
        const int scored = addScore(m_may, 4, QStringLiteral("木村"), 12, 45, 47);
        Form4 &sheet = openSheet(may());
        const auto choose = [&](const QStringList &chosen, bool ok) {
            return opens(
                [&] { sheet.Command8->click(); },
                [&](QWidget *modal) {
                    QListWidget *list = static_cast<Form12 *>(modal)->List1;
                    QStringList listed;
                    for (int i = 0; i < list->count(); ++i) {
                        listed << list->item(i)->text();
                        if (chosen.contains(listed.last()))
                            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                              list->visualItemRect(list->item(i)).center());
                    }
                    (ok ? static_cast<Form12 *>(modal)->Command1 : static_cast<Form12 *>(modal)->Command2)->click();
                    return listed.join(QLatin1Char(','));
                });
        };
        QCOMPARE(choose({"河合", "加藤", "木村"}, true), QStringLiteral("加藤,後藤,河合,木村"));
        choose({"後藤"}, false);
        // 木村 was entered already; the others got the next IDs, in the order of the list, with
        // the member's handicap and every score 0.
        QCOMPARE(column(QStringLiteral("select MEMBER_NAME from Score where ID>? order by ID"), {scored}),
                 (QVariantList{"加藤", "河合"}));
        QCOMPARE(value(QStringLiteral("select max(ID)-? + sum(OB+OUT_VAL+IN_VAL+GROSS_VAL+abs(NET_VAL)+NEW_HC+RANK) "
                                      "from Score where ID>?"),
                       {scored, scored})
                     .toInt(),
                 2);
        QCOMPARE(value(QStringLiteral("select HC from Score where MEMBER_NAME='河合'")).toDouble(), 7.5);
        QCOMPARE(shownColumn(*sheet.ScoreGrid, 1), (QStringList{"加藤", "河合", "木村"}));
    }
};

PARVELA_TEST_MAIN(TestForm4)
#include "tst_form4.moc"
