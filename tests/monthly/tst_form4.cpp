// The month's score sheet: order and labels, edit, delete, date and course on closing, placement.

#include "monthlyfixtures.h"

#include "core/database.h"
#include "core/settingsstore.h"
#include "monthly/gui/form5.h"
#include "parvelatest.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/splitbutton.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <memory>

using namespace MonthlyFixtures;

class TestForm4 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

    CourseRecord may() const { return *CourseTable::firstOfMonth(2003, 5); }

private slots:
    void init()
    {
        m_db = ParvelaTest::freshSettingsAndDatabase(2003);
        CourseTable::insert(2003, 5, QStringLiteral("2003/5/18"), QStringLiteral("東コース"));
        MessageBox::takeShown();
    }

    void cleanup()
    {
        closeAllWindows();
        m_db.reset();
    }

    void netOrderWithPlaceLabelsAndTiesByBirthday()
    {
        const int young =
            MemberTable::insert(QStringLiteral("若手"), QStringLiteral("わかて"), QStringLiteral("1960/10/5"), 10);
        const int old =
            MemberTable::insert(QStringLiteral("年長"), QStringLiteral("ねんちょう"), QStringLiteral("1960/2/3"), 10);
        const int best =
            MemberTable::insert(QStringLiteral("名手"), QStringLiteral("めいしゅ"), QStringLiteral("1970/01/01"), 5);
        const int last =
            MemberTable::insert(QStringLiteral("新人"), QStringLiteral("しんじん"), QStringLiteral("不明"), 20);
        const int gone =
            MemberTable::insert(QStringLiteral("退会"), QStringLiteral("たいかい"), QStringLiteral("1950/1/1"), 0);
        const int fifth =
            MemberTable::insert(QStringLiteral("中堅"), QStringLiteral("ちゅうけん"), QStringLiteral("1980/1/1"), 0);
        const int course = may().id;
        addScore(course, young, QStringLiteral("若手"), 10, 42, 43);    // net 75
        addScore(course, last, QStringLiteral("新人"), 20, 50, 50);     // net 80
        addScore(course, old, QStringLiteral("年長"), 10, 40, 45, 300); // net 75, older
        addScore(course, best, QStringLiteral("名手"), 5, 35, 40);      // net 70
        addScore(course, gone, QStringLiteral("退会"), 0, 30, 30);      // member deleted below
        addScore(course, fifth, QStringLiteral("中堅"), 0, 45, 45);     // net 90
        MemberTable::remove(gone);

        Form4 &sheet = openSheet(may());
        QCOMPARE(columnTexts(*sheet.ScoreGrid, 1),
                 (QStringList{QStringLiteral("名手"), QStringLiteral("年長"), QStringLiteral("若手"),
                              QStringLiteral("新人"), QStringLiteral("中堅")}));
        QCOMPARE(columnTexts(*sheet.ScoreGrid, 0),
                 (QStringList{QStringLiteral("優勝"), QStringLiteral("準優勝"), QStringLiteral("3位"),
                              QStringLiteral("4"), QStringLiteral("5")}));
        QCOMPARE(rowTexts(*sheet.ScoreGrid, 2), (QStringList{QStringLiteral("準優勝"), QStringLiteral("年長"), "10",
                                                             "300", "40", "45", "85", "75", "0"}));
        QCOMPARE(rowTexts(*sheet.ScoreGrid, 0),
                 (QStringList{"RANK", QStringLiteral("氏名"), "HC", QStringLiteral("OB罰金"), "OUT", "IN", "GROSS",
                              "NET", QStringLiteral("新HC")}));
        // Widths are kept in whole pixels of 15 twips.
        QCOMPARE(sheet.ScoreGrid->colWidth(1), 1995);
        QCOMPARE(sheet.ScoreGrid->colWidth(0), 600);
    }

    void emptySheetKeepsEditAndDeleteOff()
    {
        Form4 &sheet = openSheet(may());
        QCOMPARE(sheet.ScoreGrid->rows(), 1);
        QVERIFY(!sheet.Command2->isEnabled());
        QVERIFY(!sheet.Command3->isEnabled());
        QVERIFY(sheet.Command1->isEnabled());
        QVERIFY(sheet.Command4->isEnabled());
        QVERIFY(sheet.Command5->isEnabled());
        QTest::mouseClick(sheet.ScoreGrid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QTest::mouseDClick(sheet.ScoreGrid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!sheet.Command2->isEnabled());
    }

    void clickOnDataRowEnablesEditAndDelete()
    {
        const int id = MemberTable::insert(QStringLiteral("一人"), QStringLiteral("ひとり"), QString(), 3);
        addScore(may().id, id, QStringLiteral("一人"), 3, 40, 40);
        Form4 &sheet = openSheet(may());
        QVERIFY(!sheet.Command2->isEnabled());
        clickRow(*sheet.ScoreGrid, 1);
        QVERIFY(sheet.Command2->isEnabled());
        QVERIFY(sheet.Command3->isEnabled());
    }

    void deleteBlockOfThreeLeavesOthers()
    {
        CourseTable::insert(2003, 6, QStringLiteral("2003/6/15"), QStringLiteral("西コース"));
        const int june = CourseTable::firstOfMonth(2003, 6)->id;
        QStringList names;
        for (int i = 0; i < 5; ++i) {
            const QString name = QStringLiteral("会員%1").arg(i + 1);
            const int member = MemberTable::insert(name, QStringLiteral("かい%1").arg(i), QString(), 0);
            addScore(may().id, member, name, 0, 40, 30 + i); // nets 70 … 74, shown in this order
            addScore(june, member, name, 0, 40, 30 + i);
            names << name;
        }
        Form4 &sheet = openSheet(may());
        clickRow(*sheet.ScoreGrid, 2);
        clickRow(*sheet.ScoreGrid, 4, Qt::ShiftModifier);
        QVERIFY(sheet.Command3->isEnabled());
        QTest::mouseClick(sheet.Command3, Qt::LeftButton);

        QCOMPARE(columnTexts(*sheet.ScoreGrid, 1), (QStringList{names[0], names[4]}));
        QCOMPARE(ParvelaTest::column(QStringLiteral("select MEMBER_NAME from Score where COURSE_ID=? order by ID"),
                                     {may().id}),
                 (QVariantList{names[0], names[4]}));
        QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Score where COURSE_ID=?"), {june}).toInt(), 5);
        QVERIFY(!sheet.Command2->isEnabled());
        QVERIFY(!sheet.Command3->isEnabled());
    }

    void editOfRenamedMemberFindsItsRow()
    {
        const int member =
            MemberTable::insert(QStringLiteral("O'Brien"), QStringLiteral("おぶらいえん"), QString(), 12);
        const int other = MemberTable::insert(QStringLiteral("別人"), QStringLiteral("べつじん"), QString(), 7);
        const int id = addScore(may().id, member, QStringLiteral("O'Brien"), 12, 45, 47);
        addScore(may().id, other, QStringLiteral("別人"), 7, 50, 50);
        ScoreTable::updateNewHcAndRank(id, 8, 1);
        MemberTable::update(member, QStringLiteral("O'Brien Jr"), QStringLiteral("おぶらいえん"), QString(), 9);

        Form4 &sheet = openSheet(may());
        QCOMPARE(sheet.ScoreGrid->textAt(1, 1), QStringLiteral("O'Brien"));
        struct Seen
        {
            QString title, name, hc, ob, out, in, gross, net, newHc;
            int entries = -1;
            bool okEnabled = false;
        } seen;
        ParvelaTest::onNextDialog<Form5>([&](Form5 *entry) {
            seen = {entry->windowTitle(),   entry->Combo1->currentText(), entry->Text1->text(),
                    entry->Text2->text(),   entry->Text3->text(),         entry->Text4->text(),
                    entry->Text5->text(),   entry->Text6->text(),         entry->Text7->text(),
                    entry->Combo1->count(), entry->Command1->isEnabled()};
            entry->Text2->setText(QStringLiteral("200"));
            entry->Text4->setText(QStringLiteral("40"));
            entry->Command1->click();
        });
        doubleClickRow(*sheet.ScoreGrid, 1);

        QCOMPARE(seen.title, QStringLiteral("編集"));
        QCOMPARE(seen.name, QStringLiteral("O'Brien"));
        QCOMPARE(seen.entries, 1);
        QVERIFY(seen.okEnabled);
        QCOMPARE(seen.hc, QStringLiteral("12")); // the row's HC, not the member's current 9
        QCOMPARE(seen.ob, QStringLiteral("0"));  // OB 0 is shown once there are scores
        QCOMPARE(seen.out, QStringLiteral("45"));
        QCOMPARE(seen.in, QStringLiteral("47"));
        QCOMPARE(seen.gross, QStringLiteral("92"));
        QCOMPARE(seen.net, QStringLiteral("80"));
        QCOMPARE(seen.newHc, QStringLiteral("8"));

        const std::optional<ScoreRecord> row = ScoreTable::byId(id);
        QVERIFY(row);
        QCOMPARE(row->memberName, QStringLiteral("O'Brien"));
        QCOMPARE(row->memberId, member);
        QCOMPARE(row->ob, 200.0);
        QCOMPARE(row->in, 40);
        QCOMPARE(row->gross, 85);
        QCOMPARE(row->net, 73.0);
        QCOMPARE(row->newHc, 8.0);
        QCOMPARE(ParvelaTest::value(QStringLiteral("select RANK from Score where ID=?"), {id}).toInt(), 1);
        QCOMPARE(sheet.ScoreGrid->textAt(1, 7), QStringLiteral("73"));
        QVERIFY(!sheet.Command2->isEnabled());
    }

    void editOfBulkRowOpensWithEmptyScores()
    {
        const int member = MemberTable::insert(QStringLiteral("一括"), QStringLiteral("いっかつ"), QString(), 14);
        addScore(may().id, member, QStringLiteral("一括"), 14, 0, 0);
        ScoreTable::update([&] {
            ScoreRecord r = *ScoreTable::firstOfMember(may().id, member);
            r.net = 0;
            return r;
        }());
        Form4 &sheet = openSheet(may());
        QCOMPARE(rowTexts(*sheet.ScoreGrid, 1),
                 (QStringList{QStringLiteral("優勝"), QStringLiteral("一括"), "14", "0", "0", "0", "0", "0", "0"}));
        QStringList fields;
        ParvelaTest::onNextModal([&](QWidget *modal) {
            if (auto *entry = qobject_cast<Form5 *>(modal))
                fields = {entry->Text1->text(), entry->Text2->text(), entry->Text3->text(), entry->Text4->text()};
            modal->close();
        });
        clickRow(*sheet.ScoreGrid, 1);
        QTest::mouseClick(sheet.Command2, Qt::LeftButton);
        QCOMPARE(fields, (QStringList{"14", QString(), QString(), QString()}));
    }

    void rightClickOpensAdd()
    {
        Form4 &sheet = openSheet(may());
        QString title;
        ParvelaTest::onNextModal([&](QWidget *modal) {
            title = modal->windowTitle();
            modal->close();
        });
        QTest::mouseClick(sheet.ScoreGrid->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(30, 30));
        QCOMPARE(title, QStringLiteral("追加"));
    }

    void escStoresDateAndCourse()
    {
        SettingsStore::save(SettingKeys::course(1), QStringLiteral("東"));
        SettingsStore::save(SettingKeys::course(2), QStringLiteral("西"));
        SettingsStore::save(SettingKeys::course(3), QStringLiteral("北"));
        Form4 &sheet = openSheet(may());
        QCOMPARE(sheet.boxCourse->count(), 3);
        sheet.boxDate->setText(QStringLiteral("2003/5/25"));
        sheet.boxCourse->setEditText(QStringLiteral("南'コース"));
        sheet.boxCourse->setFocus();
        QTest::keyClick(sheet.boxCourse, Qt::Key_Escape);
        QVERIFY(!sheet.isVisible());

        QCOMPARE(may().playDate, QStringLiteral("2003/5/25"));
        QCOMPARE(may().courseName, QStringLiteral("南'コース"));
        QCOMPARE(SettingsStore::read(SettingKeys::course(1), QString()), QStringLiteral("南'コース"));
        QCOMPARE(SettingsStore::read(SettingKeys::course(2), QString()), QStringLiteral("東"));
        QCOMPARE(SettingsStore::read(SettingKeys::course(3), QString()), QStringLiteral("西"));
    }

    void closeButtonWithKnownCourseKeepsHistory()
    {
        SettingsStore::save(SettingKeys::course(1), QStringLiteral("東"));
        SettingsStore::save(SettingKeys::course(2), QStringLiteral("西"));
        SettingsStore::save(SettingKeys::course(3), QStringLiteral("北"));
        Form4 &sheet = openSheet(may());
        sheet.boxCourse->setEditText(QStringLiteral("西"));
        QTest::mouseClick(sheet.Command7, Qt::LeftButton);
        QVERIFY(!sheet.isVisible());
        QCOMPARE(may().courseName, QStringLiteral("西"));
        QCOMPARE(SettingsStore::read(SettingKeys::course(1), QString()), QStringLiteral("東"));
        QCOMPARE(SettingsStore::read(SettingKeys::course(2), QString()), QStringLiteral("西"));
        QCOMPARE(SettingsStore::read(SettingKeys::course(3), QString()), QStringLiteral("北"));
    }

    void closeBoxStoresNeitherDateNorCourse()
    {
        Form4 &sheet = openSheet(may());
        sheet.boxDate->setText(QStringLiteral("2003/5/30"));
        sheet.boxCourse->setEditText(QStringLiteral("南"));
        sheet.close();
        QCOMPARE(may().playDate, QStringLiteral("2003/5/18"));
        QCOMPARE(may().courseName, QStringLiteral("東コース"));
        QCOMPARE(SettingsStore::read(SettingKeys::course(1), QString()), QString());
    }

    void failedStoreKeepsSheetOpen()
    {
        Form4 &sheet = openSheet(may());
        Database::exec(QStringLiteral("drop table Course"));
        QTest::mouseClick(sheet.Command7, Qt::LeftButton);
        QVERIFY(sheet.isVisible());
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, QMessageBox::Critical);
    }

    void placementAndColumnWidthsRoundTrip()
    {
        {
            Form4 &sheet = openSheet(may());
            sheet.resize(700, 500);
            sheet.ScoreGrid->setColWidth(1, 3000);
            sheet.ScoreGrid->setColWidth(8, 900);
            sheet.close();
            flushDeletes();
        }
        QCOMPARE(SettingsStore::read(QStringLiteral("Form4WindowSate"), QStringLiteral("?")), QStringLiteral("0"));
        QCOMPARE(SettingsStore::readInt(QStringLiteral("Form4Width"), 0), 700 * 15);
        QCOMPARE(SettingsStore::readInt(QStringLiteral("Form4Height"), 0), 500 * 15);
        QCOMPARE(SettingsStore::readInt(QStringLiteral("ScoreGridColWidth1"), 0), 3000);
        QCOMPARE(SettingsStore::readInt(QStringLiteral("ScoreGridColWidth8"), 0), 900);
        QCOMPARE(SettingsStore::readInt(QStringLiteral("ScoreGridColWidth5"), 0), 495); // 500 twips = 33 px
        QCOMPARE(SettingsStore::read(QStringLiteral("Form4WindowState"), QStringLiteral("none")),
                 QStringLiteral("none"));

        Form4 &again = openSheet(may());
        QCOMPARE(again.size(), QSize(700, 500));
        QCOMPARE(again.ScoreGrid->colWidth(1), 3000);
        QCOMPARE(again.ScoreGrid->colWidth(8), 900);
        QCOMPARE(again.ScoreGrid->width(), 700 - 16);
        QCOMPARE(again.Command7->x(), 700 - 80);
        QCOMPARE(again.Command1->y(), 500 - 32);
    }

    void storedPlacementFarOffScreenStillOpensVisible()
    {
        SettingsStore::save(QStringLiteral("Form4WindowSate"), QStringLiteral("1"));
        SettingsStore::save(QStringLiteral("Form4Left"), QStringLiteral("-900000"));
        SettingsStore::save(QStringLiteral("Form4Top"), QStringLiteral("900000"));
        SettingsStore::save(QStringLiteral("Form4Width"), QStringLiteral("-15"));
        Form4 &sheet = openSheet(may());
        QVERIFY(sheet.isVisible());
        QVERIFY(!sheet.isMinimized());
        const QRect screen = sheet.screen()->availableGeometry();
        QVERIFY(screen.intersects(sheet.geometry()));
        QVERIFY(sheet.width() > 0);
    }

    void tinyWindowNeverGetsNegativeLayout()
    {
        Form4 &sheet = openSheet(may());
        sheet.setMinimumSize(0, 0);
        sheet.resize(20, 10);
        for (QWidget *child : sheet.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            QVERIFY(child->x() >= 0);
            QVERIFY(child->y() >= 0);
            QVERIFY(child->width() >= 0);
            QVERIFY(child->height() >= 0);
        }
        QCOMPARE(sheet.ScoreGrid->width(), qMax(0, sheet.width() - 16));
        QCOMPARE(sheet.Command1->y(), qMax(0, sheet.height() - 32));
    }
};

PARVELA_TEST_MAIN(TestForm4)
#include "tst_form4.moc"
