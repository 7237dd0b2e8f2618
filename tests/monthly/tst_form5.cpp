// The score entry dialog: the member list, live totals, checks on OK, what is stored.

#include "monthlyfixtures.h"

#include "core/database.h"
#include "monthly/gui/form5.h"
#include "parvelatest.h"
#include "platform/gui/messagebox.h"

#include <QPushButton>

#include <memory>

using namespace MonthlyFixtures;

class TestForm5 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;
    int m_courseId = 0;
    int m_tanaka = 0; // HC 12
    int m_abe = 0;    // HC 10
    int m_quote = 0;  // HC -2

    // The sheet as a user has it, and its "追加" dialog shown over it.
    Form5 &openAdd()
    {
        // The sheet loaded as its opener loads it; the dialog is the window the user works in.
        const CourseRecord course = *CourseTable::firstOfMonth(2003, 5);
        Module1::CurrentCourseId = course.id;
        Form4 &sheet = WindowRegistry::instance().form<Form4>();
        sheet.Showtable();
        Form5 &entry = WindowRegistry::instance().form<Form5>(&sheet);
        entry.setWindowTitle(Form5::AddCaption);
        ParvelaTest::showActive(&entry);
        return entry;
    }

    void pick(Form5 &entry, const QString &name)
    {
        entry.Combo1->setFocus();
        // The keyboard walks the list as the user would, down to the name.
        QTest::keyClick(entry.Combo1, Qt::Key_Home);
        while (entry.Combo1->currentText() != name && entry.Combo1->currentIndex() < entry.Combo1->count() - 1)
            QTest::keyClick(entry.Combo1, Qt::Key_Down);
    }

    int scoreCount() const { return ParvelaTest::value(QStringLiteral("select count(*) from Score")).toInt(); }

private slots:
    void init()
    {
        m_db = ParvelaTest::freshSettingsAndDatabase(2003);
        m_courseId = CourseTable::insert(2003, 5, QStringLiteral("2003/5/18"), QStringLiteral("東"));
        m_tanaka = MemberTable::insert(QStringLiteral("田中"), QStringLiteral("たなか"), QString(), 12);
        m_abe = MemberTable::insert(QStringLiteral("阿部"), QStringLiteral("あべ"), QString(), 10);
        m_quote = MemberTable::insert(QStringLiteral("O'Neil"), QStringLiteral("おにーる"), QString(), -2);
        MessageBox::takeShown();
    }

    void cleanup()
    {
        closeAllWindows();
        m_db.reset();
    }

    void listOffersMembersNotYetEntered()
    {
        {
            Form5 &entry = openAdd();
            QCOMPARE(entry.Combo1->count(), 3);
            QCOMPARE(entry.Combo1->itemText(0), QStringLiteral("阿部"));
            QCOMPARE(entry.Combo1->itemText(1), QStringLiteral("O'Neil"));
            QCOMPARE(entry.Combo1->itemText(2), QStringLiteral("田中"));
            QCOMPARE(entry.Combo1->currentIndex(), -1);
            QVERIFY(!entry.Command1->isEnabled());
            QCOMPARE(entry.Text1->text(), QString());
            closeAllWindows();
        }
        addScore(m_courseId, m_quote, QStringLiteral("O'Neil"), -2, 40, 40);
        Form5 &entry = openAdd();
        QCOMPARE(entry.Combo1->count(), 2);
        QCOMPARE(entry.Combo1->itemText(0), QStringLiteral("阿部"));
        QCOMPARE(entry.Combo1->itemText(1), QStringLiteral("田中"));
        QCOMPARE(entry.Combo1->itemData(1).toInt(), m_tanaka);
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void everyoneEnteredLeavesNothingToPick()
    {
        for (int id : {m_tanaka, m_abe, m_quote})
            addScore(m_courseId, id, MemberTable::byId(id)->name, 0, 40, 40);
        Form5 &entry = openAdd();
        QCOMPARE(entry.Combo1->count(), 0);
        QVERIFY(!entry.Command1->isEnabled());
        QTest::keyClick(entry.Text2, Qt::Key_Escape);
        QVERIFY(!entry.isVisible());
        QCOMPARE(scoreCount(), 3);
    }

    void liveTotalsWhileTyping()
    {
        Form5 &entry = openAdd();
        pick(entry, QStringLiteral("田中"));
        QVERIFY(entry.Command1->isEnabled());
        QCOMPARE(entry.Text1->text(), QStringLiteral("12"));
        QTest::keyClicks(entry.Text3, QStringLiteral("45"));
        QCOMPARE(entry.Text5->text(), QString());
        QCOMPARE(entry.Text6->text(), QString());
        QTest::keyClicks(entry.Text4, QStringLiteral("47"));
        QCOMPARE(entry.Text5->text(), QStringLiteral("92"));
        QCOMPARE(entry.Text6->text(), QStringLiteral("80"));
        // Not a number: the totals stay as they were.
        QTest::keyClicks(entry.Text4, QStringLiteral("x"));
        QCOMPARE(entry.Text5->text(), QStringLiteral("92"));
        QTest::keyClick(entry.Text4, Qt::Key_Backspace);
        // A change of HC alone does not recompute NET; the next change of IN does.
        entry.Text1->setText(QStringLiteral("-2"));
        QCOMPARE(entry.Text6->text(), QStringLiteral("80"));
        QTest::keyClick(entry.Text4, Qt::Key_Backspace);
        QTest::keyClicks(entry.Text4, QStringLiteral("7"));
        QCOMPARE(entry.Text6->text(), QStringLiteral("94"));
        // HC with a fraction counts rounded, halves to even.
        entry.Text1->setText(QStringLiteral("12.5"));
        entry.Text4->setText(QStringLiteral("10"));
        entry.Text3->setText(QStringLiteral("9"));
        QCOMPARE(entry.Text5->text(), QStringLiteral("19"));
        QCOMPARE(entry.Text6->text(), QStringLiteral("7"));
        entry.Text1->setText(QStringLiteral("13.5"));
        entry.Text3->setText(QStringLiteral("10"));
        QCOMPARE(entry.Text6->text(), QStringLiteral("6"));
    }

    void enterMovesThroughTheFields()
    {
        Form5 &entry = openAdd();
        pick(entry, QStringLiteral("阿部"));
        QVERIFY(entry.Combo1->hasFocus());
        QTest::keyClick(entry.Combo1, Qt::Key_Return);
        QVERIFY(entry.Text2->hasFocus());
        QTest::keyClick(entry.Text2, Qt::Key_Return);
        QVERIFY(entry.Text3->hasFocus());
        QTest::keyClicks(entry.Text3, QStringLiteral("40"));
        QTest::keyClick(entry.Text3, Qt::Key_Return);
        QVERIFY(entry.Text4->hasFocus());
        QTest::keyClicks(entry.Text4, QStringLiteral("41"));
        QTest::keyClick(entry.Text4, Qt::Key_Return);
        QVERIFY(entry.Command1->hasFocus());
        QTest::keyClick(entry.Command1, Qt::Key_Return);
        QVERIFY(!entry.isVisible());
        QCOMPARE(ParvelaTest::value(QStringLiteral("select NET_VAL from Score where MEMBER_ID=?"), {m_abe}).toDouble(),
                 71.0);
    }

    void okWithEmptyFieldsStoresZeros()
    {
        Form5 &entry = openAdd();
        pick(entry, QStringLiteral("阿部"));
        QTest::mouseClick(entry.Command1, Qt::LeftButton);
        QVERIFY(!entry.isVisible());
        const std::optional<ScoreRecord> row = ScoreTable::firstOfMember(m_courseId, m_abe);
        QVERIFY(row);
        QCOMPARE(row->memberName, QStringLiteral("阿部"));
        QCOMPARE(int(row->courseId), m_courseId);
        QCOMPARE(row->hc, 10.0);
        QCOMPARE(row->ob, 0.0);
        QCOMPARE(row->out, 0);
        QCOMPARE(row->in, 0);
        QCOMPARE(row->gross, 0);
        QCOMPARE(row->net, -10.0);
        QCOMPARE(row->newHc, 0.0);
        QCOMPARE(row->rank, 0);
        QCOMPARE(int(Module1::NewId), int(row->id));
        // The sheet was reloaded and shows the new row.
        Form4 *sheet = WindowRegistry::instance().existing<Form4>();
        QCOMPARE(columnTexts(*sheet->ScoreGrid, 1), QStringList{QStringLiteral("阿部")});
    }

    void outOnlyAndEmptyHc()
    {
        Form5 &entry = openAdd();
        pick(entry, QStringLiteral("O'Neil"));
        entry.Text1->clear();
        QTest::keyClicks(entry.Text3, QStringLiteral("45"));
        QCOMPARE(entry.Text5->text(), QString());
        QTest::mouseClick(entry.Command1, Qt::LeftButton);
        const std::optional<ScoreRecord> row = ScoreTable::firstOfMember(m_courseId, m_quote);
        QVERIFY(row);
        QCOMPARE(row->memberName, QStringLiteral("O'Neil"));
        QCOMPARE(row->hc, 0.0);
        QCOMPARE(row->in, 0);
        QCOMPARE(row->gross, 45);
        QCOMPARE(row->net, 45.0);
    }

    void storedNumbersAreWhatTheTextReads()
    {
        Form5 &entry = openAdd();
        pick(entry, QStringLiteral("田中"));
        entry.Text1->setText(QStringLiteral(" 12.5 "));
        entry.Text2->setText(QStringLiteral(" 300 "));
        entry.Text3->setText(QStringLiteral(" 45 "));
        entry.Text4->setText(QStringLiteral("47"));
        QTest::mouseClick(entry.Command1, Qt::LeftButton);
        QVERIFY(!entry.isVisible());
        const std::optional<ScoreRecord> row = ScoreTable::firstOfMember(m_courseId, m_tanaka);
        QVERIFY(row);
        QCOMPARE(row->hc, 12.5);
        QCOMPARE(row->ob, 300.0);
        QCOMPARE(row->out, 45);
        QCOMPARE(row->gross, 92);
        QCOMPARE(row->net, 80.0); // computed with HC 12
    }

    void badFieldIsNamedAndNothingStored_data()
    {
        QTest::addColumn<QString>("hc");
        QTest::addColumn<QString>("ob");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("field");
        QTest::newRow("HC letters") << "abc"
                                    << "0"
                                    << "45"
                                    << "47"
                                    << "HC";
        QTest::newRow("HC beyond 16 bits") << "40000"
                                           << "0"
                                           << "45"
                                           << "47"
                                           << "HC";
        QTest::newRow("OB letters") << "12"
                                    << "1,000"
                                    << "45"
                                    << "47" << QStringLiteral("OB罰金");
        QTest::newRow("OUT fraction") << "12"
                                      << "0"
                                      << "45.5"
                                      << "47"
                                      << "OUT";
        QTest::newRow("OUT negative") << "12"
                                      << "0"
                                      << "-1"
                                      << "47"
                                      << "OUT";
        QTest::newRow("IN too large") << "12"
                                      << "0"
                                      << "45"
                                      << "40000"
                                      << "IN";
        QTest::newRow("IN letters") << "12"
                                    << "0"
                                    << "45"
                                    << "4x"
                                    << "IN";
        QTest::newRow("GROSS beyond 16 bits") << "12"
                                              << "0"
                                              << "20000"
                                              << "20000"
                                              << "GROSS";
        QTest::newRow("NET beyond 16 bits") << "-10"
                                            << "0"
                                            << "32760"
                                            << "7"
                                            << "NET";
    }

    void badFieldIsNamedAndNothingStored()
    {
        QFETCH(QString, hc);
        QFETCH(QString, ob);
        QFETCH(QString, out);
        QFETCH(QString, in);
        QFETCH(QString, field);
        Form5 &entry = openAdd();
        pick(entry, QStringLiteral("田中"));
        entry.Text1->setText(hc);
        entry.Text2->setText(ob);
        entry.Text3->setText(out);
        entry.Text4->setText(in);
        QTest::mouseClick(entry.Command1, Qt::LeftButton);
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.startsWith(field + QStringLiteral("には")), qPrintable(shown[0].text));
        QVERIFY(entry.isVisible());
        QCOMPARE(scoreCount(), 0);
    }

    void databaseErrorKeepsTheDialogOpen()
    {
        Form5 &entry = openAdd();
        pick(entry, QStringLiteral("田中"));
        // IDs are used up: the insert is refused rather than reusing ID 1.
        addScore(m_courseId, 999, QStringLiteral("昔の人"), 0, 40, 40);
        Database::exec(QStringLiteral("update Score set ID=32767"));
        QTest::mouseClick(entry.Command1, Qt::LeftButton);
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, QMessageBox::Critical);
        QVERIFY(entry.isVisible());
        QCOMPARE(scoreCount(), 1);
    }

    void cancelStoresNothingAndLeavesTheSheet()
    {
        Form5 &entry = openAdd();
        Form4 *sheet = WindowRegistry::instance().existing<Form4>();
        addScore(m_courseId, m_abe, QStringLiteral("阿部"), 10, 40, 40); // not yet on the sheet
        pick(entry, QStringLiteral("田中"));
        QTest::keyClicks(entry.Text3, QStringLiteral("45"));
        QTest::mouseClick(entry.Command2, Qt::LeftButton);
        QVERIFY(!entry.isVisible());
        QCOMPARE(scoreCount(), 1);
        QCOMPARE(sheet->ScoreGrid->rows(), 1); // not reloaded
    }
};

PARVELA_TEST_MAIN(TestForm5)
#include "tst_form5.moc"
