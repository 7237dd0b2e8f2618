// The month's score sheet with its score entry and bulk add. And for the sheet and the member
// list alike: what the mouse and the keys select is what edit and delete act on, whatever
// happened in between.

#include "parvelatest.h"

#include <QPrinter>

#include <tuple>

using namespace ParvelaTest;

namespace {

enum Window { Sheet, Members };

// What the entry dialog of either window opened as: "caption:name".
QString entryOf(QWidget *modal)
{
    if (auto *entry = qobject_cast<ScoreEntryDialog *>(modal))
        return entry->windowTitle() + ':' + entry->memberCombo->currentText();
    auto *member = qobject_cast<MemberDialog *>(modal);
    return member ? member->windowTitle() + ':' + member->nameEdit->text() : QString();
}

// The grid window as the user drives it.
struct GridWindow
{
    GridView *grid;
    QAbstractButton *add, *edit, *remove, *print;
    int nameColumn;
    QStringList names() const { return shownColumn(*grid, nameColumn); }
};

} // namespace

class TestScoreSheet : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;
    int m_may = 0;

    // 会員1 … 会員5, in that order in the member list (kana) and on May's sheet (nets 70 … 74);
    // June has the same five. The window is open with them.
    GridWindow openWithFive(int window)
    {
        Transaction transaction; // one disk sync, not twenty
        const int june = CourseTable::insert(2003, 6, "2003/6/15", "西");
        for (int i = 1; i <= 5; ++i) {
            const QString name = QStringLiteral("会員%1").arg(i);
            const int member = MemberTable::insert(name, QStringLiteral("かい%1").arg(i), QString(), 0);
            addScore(m_may, member, name, 0, 40, 29 + i);
            addScore(june, member, name, 0, 40, 29 + i);
        }
        transaction.commit();
        if (window == Members) {
            MemberListWindow &list = showTableWindow<MemberListWindow>();
            return {list.memberGrid, list.addButton, list.editButton, list.deleteButton, list.printButton, 0};
        }
        ScoreSheetWindow &sheet = openSheet(2003, 5);
        return {sheet.scoreGrid, sheet.addButton, sheet.editButton, sheet.deleteButton, sheet.printButton, 1};
    }

    // 加藤 かとう, 後藤 がとう, 河合 かわい, 木村 きむら (IDs 1 … 4).
    static void kanaMembers()
    {
        for (const auto &[name, kana, hc] : {std::tuple{"加藤", "かとう", 10.0},
                                             {"後藤", "がとう", 18.0},
                                             {"河合", "かわい", 7.5},
                                             {"木村", "きむら", 12.0}})
            MemberTable::insert(name, kana, "1950/1/1", hc);
    }

private slots:
    void init()
    {
        m_db = freshSettingsAndDatabase(2003);
        m_may = CourseTable::insert(2003, 5, "2003/5/18", "東コース");
        MessageBox::takeShown();
    }

    void cleanup() { endWindowTest(m_db); }

    // The order within equal nets is the ranking's own, tested there.
    void rowsInNetOrderWithPlaceLabels()
    {
        for (const auto &[name, hc, in, ob] : {std::tuple("若手", 10.0, 55, 0.0),
                                               {"年長", 10.0, 45, 2001684.3},
                                               {"名手", 5.0, 35, 0.0},
                                               {"新人", 20.0, 60, 0.0},
                                               {"退会", 0.0, 20, 0.0}})
            addScore(m_may, MemberTable::insert(name, "か", QString(), hc), name, hc, 40, in, ob);
        MemberTable::remove(5); // a member deleted since: not on the sheet
        ScoreSheetWindow &sheet = openSheet(2003, 5);
        QCOMPARE(shownTable(*sheet.scoreGrid)[2],
                 (QStringList{"準優勝", "年長", "10", "2001684.3", "40", "45", "85", "75", "0"}));
        QCOMPARE(shownColumn(*sheet.scoreGrid, 0) + shownColumn(*sheet.scoreGrid, 1),
                 (QStringList{"優勝", "準優勝", "3位", "4", "名手", "年長", "新人", "若手"}));
        QVERIFY(!sheet.editButton->isEnabled() && !sheet.deleteButton->isEnabled());
    }

    // However the rows were selected, and whatever was done since (印刷 cancelled or printed,
    // 追加 cancelled), what is highlighted is what 編集 opens and 削除 deletes.
    void editAndDeleteActOnTheHighlightedRows_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QList<int>>("highlighted");
        for (const int window : {Sheet, Members}) {
            const char *name = window == Sheet ? "sheet" : "members";
            // Printing leaves the last row current, as the window always did, and highlighted; a
            // cancelled print reads nothing and leaves the clicked row.
            QTest::addRow("%s: click, printed", name) << window << "printed" << QList<int>{5};
            QTest::addRow("%s: click, print cancelled", name) << window << "print cancelled" << QList<int>{2};
            QTest::addRow("%s: click, add cancelled", name) << window << "add cancelled" << QList<int>{2};
            // A click below the rows clears the highlight, and disarms 編集 and 削除 with it.
            QTest::addRow("%s: click, then below the rows", name) << window << "below the rows" << QList<int>{};
            for (const char *how : {"drag", "Shift+Down"})
                QTest::addRow("%s: %s", name, how) << window << QString::fromLatin1(how) << QList<int>{2, 3, 4};
            // Every row, the clicked one current in the middle of the block.
            QTest::addRow("%s: click, Ctrl+A", name) << window << "Ctrl+A" << QList<int>{1, 2, 3, 4, 5};
        }
        for (const char *how : {"Shift+click in the fixed column", "Shift+click upwards"})
            QTest::addRow("sheet: %s", how) << int(Sheet) << QString::fromLatin1(how) << QList<int>{2, 3, 4};
    }
    void editAndDeleteActOnTheHighlightedRows()
    {
        QFETCH(int, window);
        QFETCH(QString, how);
        QFETCH(QList<int>, highlighted);
        QTemporaryDir folder;
        const GridWindow w = openWithFive(window);
        GridView &grid = *w.grid;
        PrintCommand::setChooser([&](QPrinter &printer, QWidget *) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(folder.filePath("grid.pdf"));
            return how == "printed" ? 1 : 0;
        });
        if (how == "drag") {
            dragRows(grid, 2, 4);
        } else if (how.endsWith("column")) {
            clickCell(grid, 2, 0);
            clickCell(grid, 4, 0, Qt::ShiftModifier);
        } else if (how.endsWith("upwards")) {
            clickRow(grid, 4);
            clickRow(grid, 2, Qt::ShiftModifier);
        } else {
            clickRow(grid, 2);
            if (how == "Shift+Down") {
                QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
                QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
            } else if (how == "Ctrl+A") {
                QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
            } else if (how == "below the rows") {
                QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, {20, grid.viewport()->height() - 4});
            } else if (how == "add cancelled") {
                QCOMPARE(opens([&] { w.add->click(); }, entryOf), "追加:");
            } else {
                w.print->click();
            }
        }
        QCOMPARE(highlightedRows(grid), highlighted);
        QCOMPARE(w.edit->isEnabled() && w.remove->isEnabled(), !highlighted.isEmpty());
        if (highlighted.size() == 1)
            QCOMPARE(opens([&] { w.edit->click(); }, entryOf), QStringLiteral("編集:会員%1").arg(highlighted[0]));
        QStringList left = {"会員1", "会員2", "会員3", "会員4", "会員5"};
        for (const int row : highlighted)
            left.removeOne(QStringLiteral("会員%1").arg(row));
        w.remove->click();
        QCOMPARE(w.names(), left);
        QCOMPARE(count("Score where COURSE_ID<>?", {m_may}), 5); // June's stay
        QVERIFY(!w.edit->isEnabled() && !w.remove->isEnabled());
    }

    // A right click anywhere over the grid adds; a double click on any cell of a row edits it.
    void theMouseAddsOrEdits_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("row"); // -1: below the last row
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("opened"); // 追加 by a right click, 編集 by a double click
        QTest::newRow("sheet: cell") << int(Sheet) << 2 << 3 << QString("追加:");
        QTest::newRow("sheet: header row") << int(Sheet) << 0 << 3 << QString("追加:");
        QTest::newRow("sheet: fixed column") << int(Sheet) << 2 << 0 << QString("追加:");
        QTest::newRow("sheet: corner") << int(Sheet) << 0 << 0 << QString("追加:");
        QTest::newRow("sheet: below the last row") << int(Sheet) << -1 << 3 << QString("追加:");
        QTest::newRow("members: below the last row") << int(Members) << -1 << 0 << QString("追加:");
        QTest::newRow("sheet: RANK") << int(Sheet) << 3 << 0 << QString("編集:会員3");
        QTest::newRow("sheet: NET") << int(Sheet) << 3 << 7 << QString("編集:会員3");
        QTest::newRow("members: 氏名") << int(Members) << 3 << 0 << QString("編集:会員3");
        QTest::newRow("members: HC") << int(Members) << 3 << 3 << QString("編集:会員3");
    }
    void theMouseAddsOrEdits()
    {
        QFETCH(int, window);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, opened);
        GridView &grid = *openWithFive(window).grid;
        const bool adding = opened == "追加:";
        const auto press = [&] {
            if (!adding)
                doubleClickCell(grid, row, column);
            else if (row < 0)
                QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, {20, grid.viewport()->height() - 4});
            else
                clickCell(grid, row, column, Qt::NoModifier, Qt::RightButton);
        };
        QCOMPARE(opens(press, entryOf), opened);
        QVERIFY(!adding || highlightedRows(grid).isEmpty());
    }

    // 編集 shows the row's own HC, not the member's of today, and stores what follows from the
    // scores typed over it.
    void editShowsTheRowAndStoresWhatFollowsFromIt()
    {
        const int member = MemberTable::insert("O'Brien", "お", QString(), 12);
        const int id = addScore(m_may, member, "O'Brien", 12, 45, 47, 0, 1, 8);
        MemberTable::update(member, "O'Brien Jr", "お", QString(), 9);
        ScoreSheetWindow &sheet = openSheet(2003, 5);
        const auto edit = [](QWidget *modal) {
            auto *entry = static_cast<ScoreEntryDialog *>(modal);
            QStringList seen = {entry->memberCombo->currentText(), QString::number(entry->memberCombo->count())};
            for (QLineEdit *field : {entry->hcEdit, entry->obEdit, entry->outEdit, entry->inEdit, entry->grossEdit,
                                     entry->netEdit, entry->newHcEdit})
                seen << field->text();
            entry->obEdit->setText("200");
            entry->inEdit->setText("40");
            entry->okButton->click();
            return seen.join(' ');
        };
        QCOMPARE(opens([&] { doubleClickCell(*sheet.scoreGrid, 1, 1); }, edit), "O'Brien 1 12 0 45 47 92 80 8");
        QCOMPARE(count("Score where ID=? and MEMBER_NAME='O''Brien' and OB=200 and GROSS_VAL=85 "
                       "and NET_VAL=73 and NEW_HC=8 and RANK=1",
                       {id}),
                 1);
        QCOMPARE(shownText(*sheet.scoreGrid, 1, 7), "73");
    }

    void closingStoresDateAndCourse_data()
    {
        QTest::addColumn<QString>("course");     // typed, then the sheet is closed by the row's way
        QTest::addColumn<QStringList>("stored"); // date, course, history
        QTest::newRow("Esc") << "南'" << QStringList{"2004/5/25", "南'", "南'", "東", "西"};
        QTest::newRow("終了, a known course") << "西" << QStringList{"2003/5/25", "西", "東", "西", "北"};
        QTest::newRow("close box") << "南" << QStringList{"2003/5/18", "東コース", "東", "西", "北"};
        QTest::newRow("終了, the store failing") << "南" << QStringList{};
    }
    void closingStoresDateAndCourse()
    {
        QFETCH(QString, course);
        QFETCH(QStringList, stored);
        const QString how = QString::fromUtf8(QTest::currentDataTag());
        for (int n = 1; n <= 3; ++n)
            SettingsStore::save(SettingKeys::course(n), QStringList{"東", "西", "北"}[n - 1]);
        ScoreSheetWindow &sheet = openSheet(2003, 5);
        QCOMPARE(sheet.courseCombo->count(), 3);
        // A date outside the sheet's May is asked about once: at "no" the sheet stays, the date's box
        // focused; the next Esc asks again.
        sheet.playDateEdit->setText(how == "Esc" ? "2004/5/25" : "2003/5/25");
        sheet.courseCombo->setEditText(course);
        if (stored.isEmpty()) {
            Database::exec("drop table Course");
            sheet.closeButton->click();
            QVERIFY(sheet.isVisible() && !takeOnlyError().isEmpty()); // what was typed is not lost
            return;
        }
        if (how == "Esc") {
            MessageBox::queueAnswer(QMessageBox::No);
            QTest::keyClick(sheet.courseCombo, Qt::Key_Escape);
            QVERIFY(sheet.isVisible() && sheet.playDateEdit->hasFocus());
            MessageBox::queueAnswer(QMessageBox::Yes);
            QTest::keyClick(sheet.playDateEdit, Qt::Key_Escape);
        } else if (how == "close box")
            sheet.close();
        else
            sheet.closeButton->click();
        QVERIFY(!sheet.isVisible());
        QCOMPARE(MessageBox::takeShown().size(), how == "Esc" ? 2 : 0);
        const CourseRecord may = *CourseTable::firstOfMonth(2003, 5);
        QCOMPARE(QStringList({may.playDate, may.courseName}) + courseHistory(), stored);
    }

    // The sheet can be maximised like the other grid windows, and its placement is kept. The same
    // placement code serves the member list, whose odd stored values are in reliability/tst_faults.
    void placementAndWidthsAreKept()
    {
        SettingsStore::save("Form4WindowSate", "2");
        ScoreSheetWindow *sheet = &openSheet(2003, 5);
        QVERIFY(sheet->isMaximized());
        sheet->showNormal();
        sheet->resize(700, 500);
        sheet->scoreGrid->setColumnTwips(8, 900);
        QTest::keyClick(sheet->scoreGrid, Qt::Key_Escape);
        flushDeletes();
        sheet = &openSheet(2003, 5);
        QVERIFY(!sheet->isMaximized());
        QCOMPARE(sheet->size(), QSize(700, 500));
        QCOMPARE(sheet->scoreGrid->columnTwips(8), 900);
    }

    // 追加 offers the members not entered; the totals follow the member picked and the HC typed; a
    // refused field (which texts each refuses is tested on ScoreEntry::check) stores nothing and
    // keeps the dialog and what was typed; OK by the keys stores and reloads the sheet.
    void entryOffersTheMembersNotEnteredAndStoresWhatFollowsFromThePick()
    {
        addScore(m_may, 4, "木村", 12, 40, 40);
        kanaMembers();
        ScoreSheetWindow &sheet = openSheet(2003, 5);
        QStringList seen;
        opens([&] { sheet.addButton->click(); },
              [&](QWidget *modal) {
                  auto &entry = *static_cast<ScoreEntryDialog *>(modal);
                  QStringList offered;
                  for (int i = 0; i < entry.memberCombo->count(); ++i)
                      offered << entry.memberCombo->itemText(i);
                  seen << entry.windowTitle() << offered.join(',') << (entry.okButton->isEnabled() ? "on" : "off");
                  QTest::keyClicks(entry.outEdit, "45");
                  QTest::keyClicks(entry.inEdit, "48");
                  seen << entry.netEdit->text();
                  entry.memberCombo->setCurrentIndex(entry.memberCombo->findText("後藤"));
                  seen << entry.grossEdit->text() + ' ' + entry.netEdit->text();
                  entry.hcEdit->setText("13.5"); // a handicap typed over counts too, as 14: 93 − 14
                  seen << entry.netEdit->text();
                  entry.outEdit->setText("45.5");
                  entry.okButton->click();
                  const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
                  // The focus comes back once the dialog is active again, later on a busy machine.
                  const bool focused = QTest::qWaitFor([&] { return entry.outEdit->hasFocus(); });
                  seen << QString::number(shown.size() == 1 && shown[0].text.startsWith("OUTには") && focused
                                          && entry.isVisible())
                       << QString::number(count("Score") + sheet.scoreGrid->model()->rowCount());
                  entry.outEdit->setText("45");
                  QTest::keyClick(entry.inEdit, Qt::Key_Return);
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier); // on OK
                  return "entered";
              });
        // がとう after かとう, before かわい
        QCOMPARE(seen, (QStringList{"追加", "加藤,後藤,河合", "off", "93", "93 75", "79", "1", "2"}));
        QCOMPARE(count("Score where MEMBER_ID=2 and HC=13.5 and NET_VAL=79"), 1);
        QCOMPARE(shownColumn(*sheet.scoreGrid, 7), (QStringList{"68", "79"}));
    }

    void bulkAddEntersTheChosenWithZerosThenNewHandicaps()
    {
        kanaMembers();
        const int scored = addScore(m_may, 4, "木村", 12, 45, 47);
        ScoreSheetWindow &sheet = openSheet(2003, 5);
        const auto choose = [&](const QStringList &chosen, bool ok) {
            return opens([&] { sheet.bulkAddButton->click(); },
                         [&](QWidget *modal) {
                             auto *dialog = static_cast<BulkAddDialog *>(modal);
                             QStringList listed;
                             QListView *list = dialog->memberList;
                             for (int i = 0; i < list->model()->rowCount(); ++i) {
                                 const QModelIndex member = list->model()->index(i, 0);
                                 listed << member.data().toString();
                                 if (chosen.contains(listed.last()))
                                     QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                                       list->visualRect(member).center());
                             }
                             (ok ? dialog->okButton : dialog->cancelButton)->click();
                             return listed.join(',');
                         });
        };
        QCOMPARE(choose({"河合", "加藤", "木村"}, true), "加藤,後藤,河合,木村");
        choose({"後藤"}, false);
        // 木村 was entered already; the others got the next IDs, in the order of the list, with
        // the member's handicap and every score 0.
        QCOMPARE(column("select (ID-?)||' '||MEMBER_NAME||' '||HC||' '||(OB+OUT_VAL+IN_VAL+GROSS_VAL+"
                        "abs(NET_VAL)+NEW_HC+RANK) from Score where ID>? order by ID",
                        {scored, scored}),
                 (QVariantList{"1 加藤 10.0 0.0", "2 河合 7.5 0.0"}));
        QCOMPARE(shownColumn(*sheet.scoreGrid, 1), (QStringList{"加藤", "河合", "木村"}));
        // Then 新HC計算: the new handicaps shown, every member's HC following them (a calculation
        // that fails, and a bulk add that does, are in reliability/tst_faults).
        sheet.newHandicapButton->click();
        QCOMPARE(shownColumn(*sheet.scoreGrid, 8), (QStringList{"7", "6", "11"}));
        QCOMPARE(column("select HC from Member order by ID"), (QVariantList{7.0, 18.0, 6.0, 11.0}));
        QVERIFY(!QApplication::overrideCursor() && MessageBox::takeShown().isEmpty());
    }
};

PARVELA_TEST_MAIN(TestScoreSheet)
#include "tst_scoresheet.moc"
