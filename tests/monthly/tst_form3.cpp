// The month selection window: month keys, the path to a sheet or to a new competition.

#include "monthlyfixtures.h"

#include "core/gui/form1.h"
#include "core/settingsstore.h"
#include "monthly/gui/form3.h"
#include "monthly/gui/form5.h"
#include "monthly/gui/form6.h"
#include "parvelatest.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

using namespace MonthlyFixtures;

class TestForm3 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

    Form3 &openMonths() { return ParvelaTest::showWindow<Form3>(); }

private slots:
    void init() { m_db = ParvelaTest::freshSettingsAndDatabase(2003); }

    void cleanup()
    {
        closeAllWindows();
        m_db.reset();
    }

    void layoutAndHint()
    {
        Form3 &months = openMonths();
        QCOMPARE(months.windowTitle(), QStringLiteral("編集月選択"));
        QCOMPARE(months.Command1[4]->text(), QStringLiteral("5月"));
        QCOMPARE(months.Command1[11]->text(), QStringLiteral("12月"));
        // May starts the second row, under January.
        QCOMPARE(months.Command1[4]->x(), months.Command1[0]->x());
        QVERIFY(months.Command1[4]->y() > months.Command1[0]->y());
        QCOMPARE(months.Command3->text(), QStringLiteral("年間"));
        QCOMPARE(months.Command2->text(), QStringLiteral("閉じる"));
        QCOMPARE(months.Label2->text(),
                 QStringLiteral("１月～９月は1～9\r\n１０月～１２月はA～C\r\n年間は0のキーに対応しています"));
    }

    void monthKeysOpenTheNewCompetitionDialog_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("month");
        QTest::newRow("5") << int(Qt::Key_5) << int(Qt::NoModifier) << 5;
        QTest::newRow("keypad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << 5;
        QTest::newRow("1") << int(Qt::Key_1) << int(Qt::NoModifier) << 1;
        QTest::newRow("9") << int(Qt::Key_9) << int(Qt::NoModifier) << 9;
        QTest::newRow("A") << int(Qt::Key_A) << int(Qt::NoModifier) << 10;
        QTest::newRow("Shift+A") << int(Qt::Key_A) << int(Qt::ShiftModifier) << 10;
        QTest::newRow("B") << int(Qt::Key_B) << int(Qt::NoModifier) << 11;
        QTest::newRow("C") << int(Qt::Key_C) << int(Qt::NoModifier) << 12;
    }

    void monthKeysOpenTheNewCompetitionDialog()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, month);
        Form3 &months = openMonths();
        QString title;
        ParvelaTest::onNextModal([&](QWidget *modal) {
            title = modal->windowTitle();
            if (auto *dialog = qobject_cast<Form6 *>(modal))
                dialog->Command2->click();
            else
                modal->close();
        });
        // The key goes to whichever button has the focus; the window sees it first.
        months.Command2->setFocus();
        QTest::keyClick(months.Command2, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(title, QStringLiteral("新規入力-2003年%1月").arg(month));
        QCOMPARE(int(Module1::CurrentMonth), month);
        QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Course")).toInt(), 0);
        QVERIFY(months.isVisible());
    }

    void zeroPressesTheAnnualButtonAndEscNothing()
    {
        Form3 &months = openMonths();
        QSignalSpy annual(months.Command3, &QPushButton::clicked);
        QSignalSpy closing(months.Command2, &QPushButton::clicked);
        QStringList opened;
        const auto closeAnnual = [&opened](QWidget *dialog) {
            opened << dialog->windowTitle();
            dialog->close();
        };
        ParvelaTest::onNextModal(closeAnnual);
        QTest::keyClick(months.Command1[0], Qt::Key_0);
        QCOMPARE(annual.count(), 1);
        ParvelaTest::onNextModal(closeAnnual);
        QTest::keyClick(months.Command1[0], Qt::Key_0, Qt::KeypadModifier);
        QCOMPARE(annual.count(), 2);
        QCOMPARE(opened, QStringList(2, QStringLiteral("年間集計 (赤…優勝 青…準優勝 黄…三位)")));
        Module1::CurrentMonth = 7;
        QTest::keyClick(months.Command1[0], Qt::Key_Escape);
        QTest::keyClick(months.Command1[0], Qt::Key_D);
        QVERIFY(months.isVisible());
        QCOMPARE(closing.count(), 0);
        QCOMPARE(annual.count(), 2);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(int(Module1::CurrentMonth), 7);
    }

    void monthWithCompetitionOpensItsSheet()
    {
        CourseTable::insert(2003, 5, QStringLiteral("2003/5/18"), QStringLiteral("東コース"));
        const int member = MemberTable::insert(QStringLiteral("会員"), QStringLiteral("かいいん"), QString(), 10);
        addScore(CourseTable::firstOfMonth(2003, 5)->id, member, QStringLiteral("会員"), 10, 40, 40);
        CourseTable::insert(2004, 5, QStringLiteral("2004/5/16"), QStringLiteral("別の年"));
        Form3 &months = openMonths();
        QStringList seen;
        ParvelaTest::onNextModal([&](QWidget *modal) {
            if (auto *sheet = qobject_cast<Form4 *>(modal)) {
                seen << sheet->windowTitle() << sheet->boxDate->text() << sheet->boxCourse->currentText()
                     << columnTexts(*sheet->ScoreGrid, 1);
            }
            modal->close();
        });
        QTest::keyClick(months.Command1[0], Qt::Key_5);
        QCOMPARE(seen, (QStringList{QStringLiteral("2003年5月"), QStringLiteral("2003/5/18"),
                                    QStringLiteral("東コース"), QStringLiteral("会員")}));
        QCOMPARE(int(Module1::CurrentCourseId), int(CourseTable::firstOfMonth(2003, 5)->id));
    }

    void buttonsUseTheYearOfTheMomentOfThePress()
    {
        CourseTable::insert(2004, 3, QStringLiteral("2004/3/7"), QStringLiteral("春"));
        Form3 &months = openMonths();
        Module1::Settings.EditYear = 2004;
        QString title;
        ParvelaTest::onNextModal([&](QWidget *modal) {
            title = modal->windowTitle();
            modal->close();
        });
        QTest::mouseClick(months.Command1[2], Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("2004年3月"));
    }

    // A month's road: menu key 1, key 5, a new competition, one participant, Esc, and back.
    void aNewMonthFromTheMenuToItsSheet()
    {
        SettingsStore::save(SettingKeys::course(1), QStringLiteral("東"));
        const int member = MemberTable::insert(QStringLiteral("田中"), QStringLiteral("たなか"), QString(), 12);
        Form1 menu;
        QVERIFY(ParvelaTest::showActive(&menu));
        QTest::keyClick(menu.Command2, Qt::Key_1);
        Form3 *months = WindowRegistry::instance().existing<Form3>();
        QVERIFY(months);
        QVERIFY(ParvelaTest::showActive(months));

        QStringList seen;
        ParvelaTest::onNextDialog<Form6>([&](Form6 *dialog) {
            dialog->boxDate->setText(QStringLiteral("2003/5/18"));
            dialog->boxCourse->setCurrentIndex(0);
            ParvelaTest::onNextModal([&](QWidget *sheetWindow) {
                auto *sheet = qobject_cast<Form4 *>(sheetWindow);
                if (!sheet) {
                    sheetWindow->close();
                    return;
                }
                ParvelaTest::onNextModal([&](QWidget *entryWindow) {
                    if (auto *entry = qobject_cast<Form5 *>(entryWindow)) {
                        entry->Combo1->setCurrentIndex(0);
                        entry->Text3->setText(QStringLiteral("45"));
                        entry->Text4->setText(QStringLiteral("47"));
                        seen << entry->Text5->text() << entry->Text6->text();
                        entry->Command1->click();
                    }
                    if (entryWindow->isVisible())
                        entryWindow->close();
                });
                sheet->Command1->click();
                seen << rowTexts(*sheet->ScoreGrid, 1);
                sheet->boxCourse->setEditText(QStringLiteral("西"));
                QTest::keyClick(sheet->boxDate, Qt::Key_Escape);
                if (sheet->isVisible())
                    sheet->close();
            });
            dialog->Command1->click();
        });
        QTest::keyClick(months->Command1[0], Qt::Key_5);
        QCOMPARE(seen, (QStringList{"92", "80", QStringLiteral("優勝"), QStringLiteral("田中"), "12", "0", "45", "47",
                                    "92", "80", "0"}));
        const std::optional<CourseRecord> stored = CourseTable::firstOfMonth(2003, 5);
        QVERIFY(stored);
        QCOMPARE(stored->courseName, QStringLiteral("西"));
        QCOMPARE(SettingsStore::read(SettingKeys::course(1), QString()), QStringLiteral("西"));
        QCOMPARE(SettingsStore::read(SettingKeys::course(2), QString()), QStringLiteral("東"));
        QVERIFY(ScoreTable::firstOfMember(stored->id, member));

        flushDeletes();
        QString next;
        ParvelaTest::onNextModal([&](QWidget *modal) {
            if (auto *sheet = qobject_cast<Form4 *>(modal))
                next = sheet->boxCourse->currentText() + QLatin1Char('/') + sheet->ScoreGrid->textAt(1, 1);
            modal->close();
        });
        QTest::keyClick(months->Command1[0], Qt::Key_5);
        QCOMPARE(next, QStringLiteral("西/田中"));
        months->close();
        flushDeletes();
    }

    void mainMenuScoreButtonAndKeyOneOpenTheMonths()
    {
        Form1 menu;
        QVERIFY(ParvelaTest::showActive(&menu));
        QTest::keyClick(menu.Command1, Qt::Key_1);
        Form3 *months = WindowRegistry::instance().existing<Form3>();
        QVERIFY(months);
        QVERIFY(months->isVisible());
        QVERIFY(!months->isModal());
        QCOMPARE(months->Label1->text(), QStringLiteral("2003年度"));

        Module1::Settings.EditYear = 2005;
        QTest::mouseClick(menu.Command2, Qt::LeftButton);
        QCOMPARE(WindowRegistry::instance().existing<Form3>(), months);
        QCOMPARE(months->Label1->text(), QStringLiteral("2005年度"));
        months->Command2->click();
        QVERIFY(!months->isVisible());
        flushDeletes();
        QVERIFY(!WindowRegistry::instance().existing<Form3>());
    }
};

PARVELA_TEST_MAIN(TestForm3)
#include "tst_form3.moc"
