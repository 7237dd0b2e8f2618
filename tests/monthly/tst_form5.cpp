// The score entry dialog: the members it offers, the totals it shows, and what OK stores.

#include "monthlyfixtures.h"

#include "core/database.h"
#include "monthly/gui/form5.h"
#include "platform/gui/messagebox.h"

#include <QPushButton>

#include <tuple>

using namespace MonthlyFixtures;
using namespace ParvelaTest;

class TestForm5 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;
    int m_courseId = 0;

    // The sheet as a user has it, and its "追加" dialog shown over it.
    Form5 &openAdd()
    {
        const CourseRecord course = *CourseTable::firstOfMonth(2003, 5);
        Module1::CurrentCourseId = course.id;
        Form4 &sheet = WindowRegistry::instance().form<Form4>();
        sheet.Showtable();
        Form5 &entry = WindowRegistry::instance().form<Form5>(&sheet);
        entry.setWindowTitle(Form5::AddCaption);
        showActive(&entry);
        return entry;
    }

    static QStringList offered(const Form5 &entry)
    {
        QStringList names;
        for (int i = 0; i < entry.Combo1->count(); ++i)
            names << entry.Combo1->itemText(i);
        return names;
    }

    static QVariant stored(const char *column)
    {
        return value(QStringLiteral("select %1 from Score").arg(QLatin1String(column)));
    }

private slots:
    void init()
    {
        m_db = freshSettingsAndDatabase(2003);
        m_courseId = CourseTable::insert(2003, 5, QStringLiteral("2003/5/18"), QStringLiteral("東"));
        // Added in another order than the kana order.
        for (const auto &[name, kana, hc] : {std::tuple{"木村", "きむら", 12.0}, {"加藤", "かとう", 10.0},
                                             {"河合", "かわい", -2.0}, {"後藤", "がとう", 20.0}, {"カトウ", "カトウ", 5.0}})
            MemberTable::insert(QString::fromUtf8(name), QString::fromUtf8(kana), QString(), hc);
        MessageBox::takeShown();
    }

    void cleanup()
    {
        closeAllWindows();
        m_db.reset();
    }

    void offersTheMembersNotYetEnteredInKanaOrder()
    {
        addScore(m_courseId, 5, QStringLiteral("カトウ"), 5, 40, 40);
        Form5 &entry = openAdd();
        // 五十音順: がとう after かとう, before かわい.
        QCOMPARE(offered(entry), (QStringList{"加藤", "後藤", "河合", "木村"}));
        QVERIFY(!entry.Command1->isEnabled() && entry.Combo1->currentIndex() == -1);
    }

    void pickingAMemberAfterTheScoresCountsTheirHandicap()
    {
        Form5 &entry = openAdd();
        QTest::keyClicks(entry.Text3, QStringLiteral("45"));
        QCOMPARE(entry.Text5->text(), QString());
        QTest::keyClicks(entry.Text4, QStringLiteral("47"));
        QCOMPARE(entry.Text6->text(), QStringLiteral("92"));
        entry.Combo1->setCurrentIndex(entry.Combo1->findText(QStringLiteral("木村")));
        QCOMPARE(entry.Text6->text(), QStringLiteral("80"));
        entry.Text1->setText(QStringLiteral("13.5")); // a handicap typed over counts too, rounded to even
        QCOMPARE(entry.Text6->text(), QStringLiteral("78"));
        entry.Command1->click();
        QCOMPARE(stored("HC").toDouble(), 13.5);
        QCOMPARE(stored("NET_VAL").toInt(), 78);
        QCOMPARE(shownColumn(*WindowRegistry::instance().existing<Form4>()->ScoreGrid, 7), QStringList{"78"});
    }

    void enterMovesThroughTheFieldsAndPressesOk()
    {
        Form5 &entry = openAdd();
        entry.Combo1->setFocus();
        QTest::keyClick(entry.Combo1, Qt::Key_Down);
        QCOMPARE(entry.Combo1->currentText(), QStringLiteral("加藤"));
        for (QWidget *next : QList<QWidget *>{entry.Text2, entry.Text3, entry.Text4, entry.Command1}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), next);
            if (next == entry.Text3 || next == entry.Text4)
                QTest::keyClicks(next, QStringLiteral("40"));
        }
        QTest::keyClick(entry.Command1, Qt::Key_Enter);
        QVERIFY(!entry.isVisible());
        QCOMPARE(stored("NET_VAL").toInt(), 70);
        QCOMPARE(stored("OB").toInt(), 0);
    }

    void aRefusedFieldIsNamedAndNothingIsStored()
    {
        Form5 &entry = openAdd();
        entry.Combo1->setCurrentIndex(0);
        entry.Text3->setText(QStringLiteral("45.5"));
        entry.Command1->click();
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.startsWith(QStringLiteral("OUTには")));
        QVERIFY(entry.isVisible() && entry.Text3->hasFocus());
        QCOMPARE(value(QStringLiteral("select count(*) from Score")).toInt(), 0);
    }

    void aRefusedInsertKeepsTheDialogOpen()
    {
        Form5 &entry = openAdd();
        entry.Combo1->setCurrentIndex(0);
        // IDs are used up: the insert is refused rather than reusing ID 1.
        addScore(m_courseId + 1, 1, QStringLiteral("昔の人"), 0, 40, 40);
        Database::exec(QStringLiteral("update Score set ID=32767"));
        entry.Command1->click();
        QVERIFY(takeOnlyError());
        QVERIFY(entry.isVisible());
    }

    void cancelStoresNothingAndLeavesTheSheet()
    {
        Form5 &entry = openAdd();
        addScore(m_courseId, 1, QStringLiteral("木村"), 12, 40, 40); // not yet on the sheet
        entry.Combo1->setCurrentIndex(0);
        QTest::keyClick(entry.Text2, Qt::Key_Escape);
        QVERIFY(!entry.isVisible());
        QCOMPARE(value(QStringLiteral("select count(*) from Score")).toInt(), 1);
        QCOMPARE(WindowRegistry::instance().existing<Form4>()->ScoreGrid->rows(), 1); // not reloaded
    }
};

PARVELA_TEST_MAIN(TestForm5)
#include "tst_form5.moc"
