// What only the windows show of bad input: every text field stores exactly what was typed,
// statement text included; a number field refuses it with a message naming the field, stores
// nothing and stays open (which texts each field takes is tested on its parsing function); a new
// handicap beyond 16 bits stops the calculation and stores nothing.
#include "../monthly/monthlyfixtures.h"

#include "members/gui/form7.h"
#include "members/gui/form8.h"
#include "monthly/gui/form6.h"
#include "platform/gui/messagebox.h"

#include <QPushButton>

using namespace MonthlyFixtures;

namespace {

const QString Typed = QStringLiteral("O'Neil'); delete from Score;--");

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT

private:
    int m_cases = 0;

private slots:
    void cleanup() { closeAllWindows(); }
    void cleanupTestCase() { qInfo("bad input: %d cases", m_cases); }

    void textFieldsStoreExactlyWhatWasTyped()
    {
        const auto db = ParvelaTest::freshSettingsAndDatabase(2003);
        CourseTable::insert(2003, 5, QStringLiteral("2003/5/18"), QStringLiteral("東"));
        ParvelaTest::onNextDialog<Form8>([](Form8 *dialog) {
            for (QLineEdit *box : {dialog->Text1, dialog->Text2, dialog->Text3})
                box->setText(Typed);
            dialog->Text4->setText(QStringLiteral("10"));
            dialog->Command1->click();
        });
        ParvelaTest::showTableWindow<Form7>().Command1->click();
        Module1::CurrentMonth = 6;
        Form6 &competition = ParvelaTest::showWindow<Form6>();
        competition.boxDate->setText(QStringLiteral("2003/6/15"));
        competition.boxCourse->setEditText(Typed);
        ParvelaTest::onNextModal([](QWidget *sheet) { sheet->close(); });
        competition.Command1->click();
        Form4 &sheet = openSheet(*CourseTable::firstOfMonth(2003, 5));
        sheet.boxDate->setText(Typed);
        sheet.Command7->click();

        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(ParvelaTest::column(QStringLiteral("select NAME||HURIKANA||BIRTHDAY from Member union all select "
                                                    "COURSENAME from Course where CMONTH=6 union all select PLAYDATE "
                                                    "from Course where CMONTH=5")),
                 (QVariantList{Typed + Typed + Typed, Typed, Typed}));
        m_cases += 5;
    }

    void numberFieldRefusesTextNamingTheFieldAndStoresNothing()
    {
        const auto db = ParvelaTest::freshSettingsAndDatabase(2003);
        bool stayedOpen = false;
        ParvelaTest::onNextDialog<Form8>([&](Form8 *dialog) {
            for (QLineEdit *box : {dialog->Text1, dialog->Text2, dialog->Text3, dialog->Text4})
                box->setText(box == dialog->Text4 ? Typed : QStringLiteral("山田"));
            dialog->Command1->click();
            stayedOpen = dialog->isVisible();
            dialog->close();
        });
        ParvelaTest::showTableWindow<Form7>().Command1->click();
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.startsWith(QStringLiteral("HCには")), qPrintable(shown[0].text));
        QVERIFY(stayedOpen);
        QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Member")), 0);
        ++m_cases;
    }

    void newHandicapBeyondSixteenBitsStopsTheCalculation()
    {
        const auto db = ParvelaTest::freshSettingsAndDatabase(2003);
        CourseTable::insert(2003, 5, QStringLiteral("2003/5/18"), QStringLiteral("東"));
        MemberTable::insert(QStringLiteral("田中"), QStringLiteral("たなか"), QStringLiteral("1950/1/1"), 12);
        // A handicap the score entry takes, and a multiplier the settings take: 30000 × 1.5.
        addScore(1, 1, QStringLiteral("田中"), 30000, 40, 40);
        addScore(1, 1, QStringLiteral("田中"), 12, 50, 50);
        Module1::Settings.par1st = 1.5f;
        Form4 &sheet = openSheet(*CourseTable::firstOfMonth(2003, 5));
        sheet.Command4->click();
        const std::optional<QString> error = ParvelaTest::takeOnlyError();
        QVERIFY(error && error->contains(QStringLiteral("新HC計算を中止しました。1位")));
        QCOMPARE(ParvelaTest::value(QStringLiteral("select count(*) from Score where RANK<>0 or NEW_HC<>0")), 0);
        QCOMPARE(ParvelaTest::value(QStringLiteral("select HC from Member")), 12);
        QCOMPARE(sheet.ScoreGrid->rows(), 3);
        ++m_cases;
    }
};

PARVELA_TEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
