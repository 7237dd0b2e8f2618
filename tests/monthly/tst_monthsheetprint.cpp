#include "../platform/printchecks.h"
#include "monthlyfixtures.h"
#include "parvelatest.h"

#include "core/coursetable.h"
#include "core/gui/windowregistry.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "monthly/gui/form4.h"
#include "monthly/print/monthsheetprint.h"
#include "monthly/scoretext.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/splitbutton.h"
#include <QComboBox>
#include <QLineEdit>

#include <QPushButton>

#include <memory>

using namespace MonthlyFixtures;
using namespace PrintChecks;

namespace {

const QStringList Header = {"RANK", "氏名", "HC", "OB罰金", "OUT", "IN", "GROSS", "NET", "新HC"};
const QVector<int> TextColumns = {3, 12, 25, 30, 40, 45, 50, 60, 65};
const QVector<double> ColumnRules = {4.5, 10, 12, 17, 19, 21, 25.5, 28};

// The sheet's rules for R grid rows (header included), u and v of the print font.
QVector<Rule> sheetRules(double u, double v, int R, double T = 1)
{
    QVector<Rule> rules;
    rules.append({1, T + 2 * v, 32 * u, T + (R + 2) * v, 4, true});
    rules.append({1, T + 3 * v, 32 * u, T + 3 * v, 4, false});
    for (double k : ColumnRules)
        rules.append({k * u, T + 2 * v, k * u, T + (R + 2) * v, 4, false});
    for (int k = 4; k <= R + 1; ++k)
        rules.append({1, T + k * v, 32 * u, T + k * v, 2, false});
    return rules;
}

QStringList row(const QString &label, const QString &name)
{
    return {label, name, "12.5", "500", "45", "47", "92", "79.5", "11"};
}

} // namespace

class MonthSheetPrintTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

    // Four members in a January competition; the nets make the order 鈴木, 佐藤, 田中, 高橋.
    void fillCompetition()
    {
        const qint16 course = CourseTable::insert(1999, 1, "1999/1/10", "大宮");
        const QVector<std::tuple<QString, QString, double, int, int>> players = {{"佐藤一郎", "さとう", 10, 45, 46},
                                                                                 {"鈴木花子", "すずき", 20.5, 48, 47},
                                                                                 {"高橋次郎", "たかはし", 5, 50, 52},
                                                                                 {"田中三郎", "たなか", 12, 44, 49}};
        for (const auto &[name, kana, hc, out, in] : players) {
            const qint16 member = MemberTable::insert(name, kana, "1950/1/1", hc);
            addScore(course, member, name, hc, out, in);
        }
    }

    // 印刷 on the January sheet, opened the way the month window opens it.
    static void printFromTheSheet()
    {
        Module1::Settings.EditYear = 1999;
        Module1::CurrentMonth = 1;
        ParvelaTest::onNextModal([](QWidget *dialog) {
            auto *sheet = qobject_cast<Form4 *>(dialog);
            QTest::mouseClick(sheet->Command5, Qt::LeftButton);
            sheet->close();
        });
        Form4::ShowCompetition(nullptr, *CourseTable::firstOfMonth(1999, 1));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void init()
    {
        m_db = std::make_unique<ParvelaTest::TemporaryDatabase>();
        Module1::Settings.printSize = 100;
        MessageBox::takeShown();
    }
    void cleanup()
    {
        restoreSeams();
        m_db.reset();
    }

    void layout_data()
    {
        QTest::addColumn<int>("printSize");
        QTest::addColumn<int>("dataRows");
        for (int size : {100, 50}) {
            for (int rows : {0, 1, 2, 4})
                QTest::addRow("%d%%, %d rows", size, rows) << size << rows;
        }
    }
    void layout()
    {
        QFETCH(int, printSize);
        QFETCH(int, dataRows);
        QVector<QStringList> cells;
        const QStringList names = {"佐藤一郎", "鈴木花子", "高橋次郎", "田中三郎"};
        for (int i = 0; i < dataRows; ++i)
            cells.append(row(ScoreText::placeLabel(i + 1), names.at(i)));

        RecordingCanvas canvas;
        MonthSheetPrint::printpage(canvas, "1999年1月", "1999/1/10", "大宮", cells, printSize);

        const double points = 15.0 * printSize / 100;
        const double u = points / 6; // the recording face: "あ" one em wide, one em high
        const double v = points / 12;
        const double column = 0.44 * u;
        QCOMPARE(canvas.fontSize(), points);
        QCOMPARE(canvas.pages(), 1);
        QVERIFY(!canvas.landscape());

        const QVector<RecordingCanvas::Text> &texts = canvas.texts();
        QCOMPARE(texts.size(), 3 + 9 * (1 + dataRows));
        QCOMPARE(texts[0].text, QStringLiteral("1999年1月"));
        QVERIFY(near(texts[0].x, 0) && near(texts[0].y, 1));
        QCOMPARE(texts[1].text, QStringLiteral("Date 1999/1/10"));
        QVERIFY(near(texts[1].x, 6 * column) && near(texts[1].y, 1 + v));
        QCOMPARE(texts[2].text, QStringLiteral("Course 大宮"));
        QVERIFY(near(texts[2].x, 49 * column) && near(texts[2].y, 1 + v));
        for (int r = 0; r <= dataRows; ++r) {
            const QStringList expected = r == 0 ? Header : cells.at(r - 1);
            for (int c = 0; c < 9; ++c) {
                const RecordingCanvas::Text &t = texts[3 + 9 * r + c];
                QCOMPARE(t.text, expected.at(c));
                QVERIFY(near(t.x, (TextColumns.at(c) - 1) * column));
                QVERIFY(near(t.y, 1 + (2 + r) * v));
                QVERIFY(near(t.clipRight, c < 8 ? ColumnRules.at(c) * u : 32 * u));
                QCOMPARE(t.fontSize, points);
                // Scores and places show whole; only a fractional HC ("12.5") is cut by its
                // narrow cell.
                if (r > 0 && c != 2)
                    QVERIFY2(canvas.textWidth(t.text) <= t.clipRight - t.x + 1e-9, qPrintable(t.text));
            }
        }
        if (printSize == 100)
            QVERIFY(32 * u <= canvas.pageWidth()); // A4 portrait holds the whole width
        const QString wrong = ruleDifferences(canvas.lines(), sheetRules(u, v, dataRows + 1));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        const QString outside = textsOutsideTheirCells(canvas);
        QVERIFY2(outside.isEmpty(), qPrintable(outside));
    }

    void emptyBoxesPrintTheBareCaptions()
    {
        RecordingCanvas canvas;
        MonthSheetPrint::printpage(canvas, "1999年1月", "", "", {}, 100);
        QCOMPARE(canvas.texts()[1].text, QStringLiteral("Date "));
        QCOMPARE(canvas.texts()[2].text, QStringLiteral("Course "));
    }

    void rowsBeyondThePageContinueUnderARepeatedHeader()
    {
        QVector<QStringList> cells;
        for (int i = 0; i < 60; ++i)
            cells.append(row(ScoreText::placeLabel(i + 1), QStringLiteral("会員%1").arg(i + 1)));
        RecordingCanvas canvas;
        MonthSheetPrint::printpage(canvas, "1999年1月", "1999/1/10", "大宮", cells, 100);
        QCOMPARE(canvas.pages(), 2);

        const double u = 2.5, v = 1.25, T = 1;
        // 50 rows fit the portrait page: the frame's foot at T + (2 + 1 + 50) v stays on it.
        const int first = int((canvas.pageHeight() - T - 3 * v) / v);
        QVERIFY(first >= 40 && first < 60);
        QVERIFY(T + (3 + first) * v <= canvas.pageHeight());
        QVERIFY(T + (4 + first) * v > canvas.pageHeight());

        QVector<RecordingCanvas::Line> page0, page1;
        for (const auto &line : canvas.lines())
            (line.page == 0 ? page0 : page1).append(line);
        QString wrong = ruleDifferences(page0, sheetRules(u, v, first + 1));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        wrong = ruleDifferences(page1, sheetRules(u, v, 60 - first + 1));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

        QStringList names;
        int headers = 0;
        for (const auto &text : canvas.texts()) {
            if (text.text == QStringLiteral("RANK")) {
                ++headers;
                QVERIFY(near(text.y, T + 2 * v));
            }
            if (text.text.startsWith(QStringLiteral("会員")))
                names.append(text.text);
            QVERIFY(text.y + v <= canvas.pageHeight());
        }
        QCOMPARE(headers, 2);
        QCOMPARE(names.size(), 60);
        QCOMPARE(names.first(), QStringLiteral("会員1"));
        QCOMPARE(names.at(first), QStringLiteral("会員%1").arg(first + 1));
        QCOMPARE(names.last(), QStringLiteral("会員60"));
        const QString outside = textsOutsideTheirCells(canvas);
        QVERIFY2(outside.isEmpty(), qPrintable(outside));
    }

    void printsTheSheetOncePerCopy()
    {
        fillCompetition();
        Copies copies;
        recordCopies(copies, 2);
        printFromTheSheet();
        QCOMPARE(int(copies.canvases.size()), 2);
        for (const RecordingCanvas &copy : copies.canvases) {
            QVERIFY(copy.ended());
            QStringList labelsAndNames;
            for (const auto &text : copy.texts()) {
                if (near(text.x, 2 * 0.44 * 2.5) || near(text.x, 11 * 0.44 * 2.5))
                    labelsAndNames.append(text.text);
            }
            QCOMPARE(labelsAndNames, QStringList({"RANK", "氏名", "優勝", "鈴木花子", "準優勝", "佐藤一郎", "3位",
                                                  "田中三郎", "4", "高橋次郎"}));
        }
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void printsTheGridAsItStands()
    {
        Form4 &sheet = WindowRegistry::instance().form<Form4>();
        Grid &grid = *sheet.ScoreGrid;
        sheet.setWindowTitle("1999年1月");
        sheet.boxDate->setText("1999/1/10");
        sheet.boxCourse->setEditText("大宮");
        grid.addRow();
        const QStringList cells = row("優勝", "佐藤一郎");
        for (int c = 0; c < 9; ++c)
            grid.setTextAt(1, c, cells.at(c));
        grid.setRow(0);
        grid.setCol(0);
        Copies copies;
        recordCopies(copies, 1);
        sheet.Command5_Click();
        QCOMPARE(int(copies.canvases.size()), 1);
        QCOMPARE(copies.canvases[0].texts().size(), 3 + 18);
        QCOMPARE(copies.canvases[0].texts()[3 + 9 + 1].text, QStringLiteral("佐藤一郎"));
        // The cells are read by making each current: the last one stays current.
        QCOMPARE(grid.row(), 1);
        QCOMPARE(grid.col(), 8);
        sheet.close();
    }

    void aFailingCopyIsReportedOnceAndTheOthersPrint()
    {
        fillCompetition();
        Copies copies;
        copies.failingCopy = 2;
        copies.failingOperation = 20;
        recordCopies(copies, 3);
        printFromTheSheet();
        QCOMPARE(int(copies.canvases.size()), 3);
        QVERIFY(copies.canvases[0].ended());
        QVERIFY(copies.canvases[1].cancelled());
        QVERIFY(!copies.canvases[1].ended());
        QVERIFY(copies.canvases[2].ended());
        QCOMPARE(copies.canvases[2].texts().size(), copies.canvases[0].texts().size());
        const QString report = printFailureReportProblems();
        QVERIFY2(report.isEmpty(), qPrintable(report));
    }

    void printsAJapanesePdfPage()
    {
        fillCompetition();
        QTemporaryDir dir;
        const QString path = dir.filePath("sheet.pdf");
        printToPdf(path);
        printFromTheSheet();
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(pdfPages(path), 1);
        const QSizeF page = pdfPageSize(path);
        QVERIFY2(page.width() < page.height(), "portrait");

        QVERIFY2(pdfEmbedsFont(path, "IPAGothic"), qPrintable(pdfFonts(path)));

        const QString text = pdfText(path);
        for (const char *expected :
             {"1999年1月", "Date 1999/1/10", "Course 大宮", "RANK", "氏名", "OB罰金", "GROSS", "新HC", "優勝", "準優勝",
              "3位", "鈴木花子", "佐藤一郎", "田中三郎", "高橋次郎", "20.5", "74.5"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);

        // In the real face each caption of the header row starts inside its ruled cell.
        const QString outside =
            captionsOutsideTheirCells(path, Header, ColumnRules + QVector<double>{32}, realFaceUnit(15));
        QVERIFY2(outside.isEmpty(), qPrintable(outside));
    }
};

PARVELA_TEST_MAIN(MonthSheetPrintTest)
#include "tst_monthsheetprint.moc"
