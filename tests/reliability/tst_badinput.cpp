// What only a window shows of bad input, one handler path per dialog: a number field that does
// not hold a number is refused with a message naming it and nothing stored, the dialog staying
// open; a text field stores exactly what was typed, quotes and statement text included; a new
// handicap that leaves 16 bits stops the calculation with nothing stored. Which texts each field
// takes is tested on the parsing functions.
#include "../monthly/monthlyfixtures.h"

#include "core/database.h"
#include "core/gui/form1.h"
#include "core/gui/form2.h"
#include "core/settingsstore.h"
#include "members/gui/form7.h"
#include "members/gui/form8.h"
#include "monthly/gui/form5.h"
#include "monthly/gui/form6.h"
#include "parvelatest.h"
#include "platform/gui/messagebox.h"

#include <QFile>
#include <QPointer>
#include <QPushButton>

#include <memory>

using namespace MonthlyFixtures;

namespace {

const QString Statement = QStringLiteral("O'Neil'); delete from Score;--");

QByteArray settingsFile()
{
    QFile file(SettingsStore::fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QVariant stored(const QString &statement)
{
    return ParvelaTest::value(statement);
}

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;
    CourseRecord m_may;
    int m_cases = 0;

    // Types `text` into a field of the next modal dialog of that kind, presses OK, and gives
    // the one warning shown (empty when none) and whether the dialog stayed open.
    template <typename Dialog>
    std::pair<QString, bool> enter(QAbstractButton *opener, const std::function<void(Dialog *)> &fill)
    {
        std::pair<QString, bool> seen;
        ParvelaTest::onNextDialog<Dialog>([&](Dialog *dialog) {
            QPointer<Dialog> guard(dialog);
            fill(dialog);
            dialog->Command1->click();
            const auto shown = MessageBox::takeShown();
            seen.first = shown.size() == 1 && shown[0].icon == QMessageBox::Warning ? shown[0].text : QString();
            seen.second = guard && guard->isVisible();
            if (guard)
                guard->close();
        });
        opener->click();
        return seen;
    }

private slots:
    void init()
    {
        m_db = ParvelaTest::freshSettingsAndDatabase(2003);
        CourseTable::insert(2003, 5, QStringLiteral("2003/5/18"), QStringLiteral("東"));
        m_may = *CourseTable::firstOfMonth(2003, 5);
        MemberTable::insert(QStringLiteral("田中"), QStringLiteral("たなか"), QStringLiteral("1950/1/1"), 12);
        MessageBox::takeShown();
    }
    void cleanup()
    {
        ++m_cases;
        closeAllWindows();
        QCOMPARE(ParvelaTest::column(QStringLiteral("PRAGMA integrity_check")), QVariantList{QStringLiteral("ok")});
        m_db.reset();
    }
    void cleanupTestCase() { qInfo("bad input: %d cases", m_cases); }

    void numberFieldRefusesTextAndStoresNothing_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("named");
        QTest::newRow("score entry HC") << 1 << QStringLiteral("HCには");
        QTest::newRow("score entry OUT") << 3 << QStringLiteral("OUTには");
    }
    void numberFieldRefusesTextAndStoresNothing()
    {
        QFETCH(int, field);
        QFETCH(QString, named);
        Form4 &sheet = openSheet(m_may);
        const auto [warning, open] = enter<Form5>(sheet.Command1, [field](Form5 *entry) {
            entry->Combo1->setCurrentIndex(entry->Combo1->findText(QStringLiteral("田中")));
            for (QLineEdit *box : {entry->Text1, entry->Text2, entry->Text3, entry->Text4})
                box->setText(QStringLiteral("40"));
            QList<QLineEdit *>{entry->Text1, entry->Text2, entry->Text3, entry->Text4}[field - 1]->setText(Statement);
        });
        QVERIFY2(warning.startsWith(named), qPrintable(warning));
        QVERIFY(open);
        QCOMPARE(stored(QStringLiteral("select count(*) from Score")).toInt(), 0);
    }

    void memberDialogStoresTextAsTypedAndRefusesABadHandicap()
    {
        Form7 &list = ParvelaTest::showTableWindow<Form7>();
        const auto fill = [](const QString &hc) {
            return [hc](Form8 *dialog) {
                for (QLineEdit *box : {dialog->Text1, dialog->Text2, dialog->Text3})
                    box->setText(Statement);
                dialog->Text4->setText(hc);
            };
        };
        auto [warning, open] = enter<Form8>(list.Command1, fill(QStringLiteral("abc")));
        QVERIFY2(warning.startsWith(QStringLiteral("HCには")), qPrintable(warning));
        QVERIFY(open);
        QCOMPARE(stored(QStringLiteral("select count(*) from Member")).toInt(), 1);
        std::tie(warning, open) = enter<Form8>(list.Command1, fill(QStringLiteral("10")));
        QVERIFY2(warning.isEmpty() && !open, qPrintable(warning));
        QCOMPARE(ParvelaTest::value(QStringLiteral("select HURIKANA||BIRTHDAY from Member where NAME=?"), {Statement}),
                 QVariant(Statement + Statement));
    }

    void competitionAndSheetStoreTextAsTyped()
    {
        Module1::CurrentMonth = 6;
        Form6 &dialog = ParvelaTest::showWindow<Form6>();
        dialog.boxDate->setText(QStringLiteral("2003/6/15"));
        dialog.boxCourse->setEditText(Statement);
        ParvelaTest::onNextModal([](QWidget *sheet) { sheet->close(); });
        dialog.Command1->click();
        QCOMPARE(stored(QStringLiteral("select COURSENAME from Course where CMONTH=6")).toString(), Statement);

        Form4 &sheet = openSheet(m_may);
        sheet.boxDate->setText(Statement);
        sheet.Command7->click();
        QCOMPARE(stored(QStringLiteral("select PLAYDATE from Course where CMONTH=5")).toString(), Statement);
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void settingsDialogRefusesAMultiplierThatIsNotANumber()
    {
        Form1 menu;
        QVERIFY(ParvelaTest::showActive(&menu));
        const QByteArray before = settingsFile();
        const auto [warning, open] =
            enter<Form2>(menu.Command3, [](Form2 *dialog) { dialog->Text2->setText(Statement); });
        QVERIFY2(warning.contains(QStringLiteral("優勝")), qPrintable(warning));
        QVERIFY(open);
        QCOMPARE(settingsFile(), before);
    }

    void newHandicapBeyondSixteenBitsStopsTheCalculation()
    {
        // A handicap the score entry takes, and a multiplier the settings take: 30000 × 1.5.
        addScore(m_may.id, 1, QStringLiteral("田中"), 30000, 40, 40);
        addScore(m_may.id, 1, QStringLiteral("田中"), 12, 50, 50);
        Module1::Settings.par1st = 1.5f;
        Form4 &sheet = openSheet(m_may);
        sheet.Command4->click();
        const std::optional<QString> error = ParvelaTest::takeOnlyError();
        QVERIFY(error);
        QVERIFY2(error->contains(QStringLiteral("新HC計算を中止しました。1位")), qPrintable(*error));
        QCOMPARE(stored(QStringLiteral("select count(*) from Score where RANK<>0 or NEW_HC<>0")).toInt(), 0);
        QCOMPARE(stored(QStringLiteral("select HC from Member")).toInt(), 12);
        QCOMPARE(sheet.ScoreGrid->rows(), 3);
    }
};

PARVELA_TEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
