// The competition dialog and the date picker.

#include "monthlyfixtures.h"

#include "core/settingsstore.h"
#include "monthly/gui/form10.h"
#include "monthly/gui/form3.h"
#include "monthly/gui/form6.h"
#include "parvelatest.h"
#include "platform/gui/messagebox.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QTableView>

#include <memory>

using namespace MonthlyFixtures;

namespace {

void storeHistory(const QStringList &names)
{
    for (int n = 0; n < names.size(); ++n)
        SettingsStore::save(SettingKeys::course(n + 1), names[n]);
}

QStringList history()
{
    return {SettingsStore::read(SettingKeys::course(1), QString()),
            SettingsStore::read(SettingKeys::course(2), QString()),
            SettingsStore::read(SettingKeys::course(3), QString())};
}

// Clicks a day of the calendar's shown month as the mouse would.
bool clickDay(QCalendarWidget *calendar, int day)
{
    auto *view = calendar->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
    if (!view)
        return false;
    QAbstractItemModel *model = view->model();
    // Days of the neighbouring months share the grid: the shown month's day lies after its 1st.
    bool inMonth = false;
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            const int shown = index.data(Qt::DisplayRole).toInt();
            if (shown == 1)
                inMonth = true;
            if (inMonth && shown == day) {
                QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(index).center());
                return true;
            }
        }
    }
    return false;
}

} // namespace

class TestForm6 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

    Form6 &openDialog() { return ParvelaTest::showWindow<Form6>(); }

private slots:
    void init()
    {
        m_db = ParvelaTest::freshSettingsAndDatabase(2003);
        Module1::CurrentMonth = 5;
        MessageBox::takeShown();
    }

    void cleanup()
    {
        closeAllWindows();
        m_db.reset();
    }

    void okNeedsBothBoxes()
    {
        storeHistory({QStringLiteral("東"), QStringLiteral("西")});
        Form6 &dialog = openDialog();
        QVERIFY(!dialog.Command1->isEnabled());
        QCOMPARE(dialog.boxCourse->currentText(), QString());
        QCOMPARE(dialog.boxDate->text(), QString());
        QTest::keyClicks(dialog.boxDate, QStringLiteral("2003/5/18"));
        QVERIFY(!dialog.Command1->isEnabled());
        // A remembered course chosen from the list.
        dialog.boxCourse->setFocus();
        QTest::keyClick(dialog.boxCourse, Qt::Key_Down);
        QCOMPARE(dialog.boxCourse->currentText(), QStringLiteral("東"));
        QVERIFY(dialog.Command1->isEnabled());
        dialog.boxDate->clear();
        QVERIFY(!dialog.Command1->isEnabled());
        QTest::keyClicks(dialog.boxDate, QStringLiteral("x"));
        QVERIFY(dialog.Command1->isEnabled());
        dialog.boxCourse->setEditText(QString());
        QVERIFY(!dialog.Command1->isEnabled());
    }

    void escDoesNothing()
    {
        Form6 &dialog = openDialog();
        QTest::keyClick(dialog.boxDate, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
    }

    void courseListFromHistory_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("none") << QStringList{} << QStringList{};
        QTest::newRow("one") << QStringList{QStringLiteral("東")} << QStringList{QStringLiteral("東")};
        QTest::newRow("gap") << QStringList{QStringLiteral("東"), QString(), QStringLiteral("北")}
                             << QStringList{QStringLiteral("東"), QStringLiteral("北")};
    }

    void courseListFromHistory()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, listed);
        storeHistory(stored);
        Form6 &dialog = openDialog();
        QStringList items;
        for (int i = 0; i < dialog.boxCourse->count(); ++i)
            items << dialog.boxCourse->itemText(i);
        QCOMPARE(items, listed);
    }

    void okStoresTheCompetitionAndOpensItsSheet_data()
    {
        QTest::addColumn<QString>("course");
        QTest::addColumn<QStringList>("historyAfter");
        QTest::newRow("new name") << QStringLiteral("南")
                                  << QStringList{QStringLiteral("南"), QStringLiteral("東"), QStringLiteral("西")};
        QTest::newRow("known name") << QStringLiteral("西")
                                    << QStringList{QStringLiteral("東"), QStringLiteral("西"), QStringLiteral("北")};
        QTest::newRow("quote") << QStringLiteral("O'Hara's")
                               << QStringList{QStringLiteral("O'Hara's"), QStringLiteral("東"), QStringLiteral("西")};
    }

    void okStoresTheCompetitionAndOpensItsSheet()
    {
        QFETCH(QString, course);
        QFETCH(QStringList, historyAfter);
        storeHistory({QStringLiteral("東"), QStringLiteral("西"), QStringLiteral("北")});
        Form3 &months = WindowRegistry::instance().form<Form3>();
        ParvelaTest::showActive(&months);

        QStringList sheetSeen;
        bool dialogGone = false;
        ParvelaTest::onNextDialog<Form6>([&](Form6 *dialog) {
            dialog->boxDate->setText(QStringLiteral("2003/5/18"));
            dialog->boxCourse->setEditText(course);
            ParvelaTest::onNextModal([&](QWidget *sheetWindow) {
                dialogGone = !WindowRegistry::instance().existing<Form6>()
                             || !WindowRegistry::instance().existing<Form6>()->isVisible();
                if (auto *sheet = qobject_cast<Form4 *>(sheetWindow))
                    sheetSeen << sheet->windowTitle() << sheet->boxDate->text() << sheet->boxCourse->currentText();
                sheetWindow->close();
            });
            dialog->Command1->click();
        });
        QTest::keyClick(months.Command1[0], Qt::Key_5);

        QVERIFY(dialogGone);
        QCOMPARE(sheetSeen, (QStringList{QStringLiteral("2003年5月"), QStringLiteral("2003/5/18"), course}));
        QCOMPARE(history(), historyAfter);
        const std::optional<CourseRecord> stored = CourseTable::firstOfMonth(2003, 5);
        QVERIFY(stored);
        QCOMPARE(int(stored->id), 1);
        QCOMPARE(stored->playDate, QStringLiteral("2003/5/18"));
        QCOMPARE(stored->courseName, course);
        QCOMPARE(int(Module1::CurrentCourseId), 1);

        // The month now has its competition: the next press goes straight to the sheet.
        flushDeletes();
        QString next;
        ParvelaTest::onNextModal([&](QWidget *modal) {
            next = modal->metaObject()->className();
            modal->close();
        });
        QTest::keyClick(months.Command1[0], Qt::Key_5);
        QCOMPARE(next, QStringLiteral("Form4"));
        QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Course")).toInt(), 1);
    }

    void cancelStoresNothing()
    {
        Form6 &dialog = openDialog();
        dialog.boxDate->setText(QStringLiteral("2003/5/18"));
        dialog.boxCourse->setEditText(QStringLiteral("南"));
        dialog.Command2->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Course")).toInt(), 0);
        QCOMPARE(history(), (QStringList{QString(), QString(), QString()}));
    }

    void datePickerFromAnEmptyBoxOpensTodayInTheEditedYear()
    {
        Form6 &dialog = openDialog();
        QDate shown;
        bool clicked = false;
        QString title;
        ParvelaTest::onNextDialog<Form10>([&](Form10 *picker) {
            title = picker->windowTitle();
            shown = picker->MonthView1->selectedDate();
            picker->MonthView1->setCurrentPage(2003, 5);
            clicked = clickDay(picker->MonthView1, 18);
            if (!clicked)
                picker->close();
        });
        QTest::mouseClick(dialog.Command3, Qt::LeftButton);
        QVERIFY(clicked);
        QCOMPARE(title, QStringLiteral("日付指定"));
        const QDate today = QDate::currentDate();
        QCOMPARE(shown.year(), 2003);
        QCOMPARE(shown.month(), today.month());
        QCOMPARE(shown.day(), qMin(today.day(), QDate(2003, today.month(), 1).daysInMonth()));
        QCOMPARE(dialog.boxDate->text(), QStringLiteral("2003/5/18"));
        QCOMPARE(Module1::PickedDateText, QStringLiteral("2003/5/18"));
    }

    void datePickerOpensOnTheBoxDateAndClosingKeepsTheBox_data()
    {
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<QDate>("shown");
        QTest::newRow("date") << QStringLiteral("2003/5/18") << QDate(2003, 5, 18);
        QTest::newRow("leading zeros") << QStringLiteral("2001/02/03") << QDate(2001, 2, 3);
        const QDate today = QDate::currentDate();
        QTest::newRow("not a date") << QStringLiteral(
            "そのうち") << QDate(2003, today.month(), qMin(today.day(), QDate(2003, today.month(), 1).daysInMonth()));
    }

    void datePickerOpensOnTheBoxDateAndClosingKeepsTheBox()
    {
        QFETCH(QString, boxText);
        QFETCH(QDate, shown);
        Module1::PickedDateText = QStringLiteral("1999/1/1"); // an earlier pick of the run
        Form6 &dialog = openDialog();
        dialog.boxDate->setText(boxText);
        QDate seen;
        QDate page;
        ParvelaTest::onNextModal([&](QWidget *modal) {
            if (auto *picker = qobject_cast<Form10 *>(modal)) {
                seen = picker->MonthView1->selectedDate();
                page = QDate(picker->MonthView1->yearShown(), picker->MonthView1->monthShown(), 1);
            }
            modal->close();
        });
        QTest::mouseClick(dialog.Command3, Qt::LeftButton);
        QCOMPARE(seen, shown);
        QCOMPARE(page, QDate(shown.year(), shown.month(), 1));
        QCOMPARE(dialog.boxDate->text(), boxText);
    }
};

PARVELA_TEST_MAIN(TestForm6)
#include "tst_form6.moc"
