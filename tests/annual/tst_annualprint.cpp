#include "../platform/printchecks.h"
#include "parvelatest.h"

#include "annual/gui/form9.h"
#include "annual/print/annualprint.h"
#include "core/gui/windowregistry.h"
#include "core/module1.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"

using namespace PrintChecks;

namespace {

const QString Title = QStringLiteral("2003年度年間集計 (赤…優勝 青…準優勝 黄…三位)");
const QVector<double> Standard = {8.2,  10.9, 13.5, 15.5, 17.8, 20, 22.2, 24.3, 26.6, 28.7,
                                  30.9, 33.1, 35.3, 37.6, 39.6, 44, 46.3, 48.4, 51,   54};
const QVector<double> ForFifty = {8.5, 11,   13.5, 16, 18, 20.5, 22.5, 24.5, 27, 29,
                                  31,  33.5, 36,   38, 40, 44.5, 47,   49,   52, 55};
const QVector<int> TextColumns = {3, 20, 26, 32, 37, 42, 47, 52, 57, 62, 67, 72, 77, 82, 87, 92, 102, 107, 112, 118};

QStringList header()
{
    return {"氏名", "初HC", "終HC", "1月",  "2月",  "3月",    "4月",  "5月",  "6月",  "7月",
            "8月",  "9月",  "10月", "11月", "12月", "OB罰金", "平均", "最高", "最低", "資格"};
}

// Frame, header rule, the vertical rules (the last on the frame's right edge) and the row
// separators for R grid rows.
QVector<Rule> tableRules(const QVector<double> &set, double u, double v, int R, double T = 1)
{
    const double TW = set.last();
    QVector<Rule> rules;
    rules.append({1, T + v, TW * u, T + (R + 1) * v, 4, true});
    rules.append({1, T + 2 * v, TW * u, T + 2 * v, 4, false});
    for (double k : set)
        rules.append({k * u, T + v, k * u, T + (R + 1) * v, 4, false});
    for (int k = 3; k <= R + 1; ++k)
        rules.append({1, T + k * v, TW * u, T + k * v, 2, false});
    return rules;
}

AnnualPrint::Line line(const QString &name)
{
    AnnualPrint::Line line;
    line.texts << name << "12.5"
               << "10";
    for (int m = 0; m < 12; ++m)
        line.texts << QString::number(100 + m);
    line.texts << "1500"
               << "85"
               << "80"
               << "91"
               << "○";
    return line;
}

// Each copy through the print command, as the window's button prints its rows.
void printRows(const QVector<AnnualRow> &rows)
{
    const QVector<AnnualPrint::Line> lines = AnnualPrint::linesOf(rows);
    PrintCommand::run(nullptr, [&](PrintCanvas &canvas) {
        AnnualPrint::printpage(canvas, Module1::Settings.EditYear, lines, Module1::Settings.printSize);
    });
}

} // namespace

class AnnualPrintTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        Module1::Settings.printSize = 100;
        Module1::Settings.EditYear = 2003;
        MessageBox::takeShown();
    }
    void cleanup() { restoreSeams(); }

    void layout_data()
    {
        QTest::addColumn<int>("printSize");
        QTest::addColumn<int>("members");
        for (int size : {100, 50, 75, 120}) {
            for (int count : {0, 1, 2})
                QTest::addRow("%d%%, %d members", size, count) << size << count;
        }
    }
    void layout()
    {
        QFETCH(int, printSize);
        QFETCH(int, members);
        QVector<AnnualPrint::Line> lines;
        for (int i = 0; i < members; ++i)
            lines.append(line(QStringLiteral("会員%1").arg(i + 1)));

        RecordingCanvas canvas;
        AnnualPrint::printpage(canvas, 2003, lines, printSize);

        const double points = 15.0 * printSize / 100;
        const double u = points / 6, v = points / 12, column = (printSize == 50 ? 0.45 : 0.44) * u;
        const QVector<double> &set = printSize == 50 ? ForFifty : Standard;
        QVERIFY(canvas.landscape());
        QCOMPARE(canvas.fontSize(), points);
        QCOMPARE(canvas.pages(), 1);

        const QVector<RecordingCanvas::Text> &texts = canvas.texts();
        QCOMPARE(texts.size(), 1 + 20 * (1 + members));
        QCOMPARE(texts[0].text, Title);
        QVERIFY(near(texts[0].x, 0) && near(texts[0].y, 1));
        for (int r = 0; r <= members; ++r) {
            const QStringList expected = r == 0 ? header() : lines.at(r - 1).texts;
            for (int c = 0; c < 20; ++c) {
                const auto &t = texts[1 + 20 * r + c];
                QCOMPARE(t.text, expected.at(c));
                QVERIFY(near(t.x, (TextColumns.at(c) - 1) * column));
                QVERIFY(near(t.y, 1 + (r + 1) * v));
                QVERIFY(near(t.clipRight, set.at(c) * u));
                // With the standard rules a three-digit score fits every month whole.
                if (r > 0 && printSize != 50)
                    QVERIFY2(canvas.textWidth(t.text) <= t.clipRight - t.x + 1e-9, qPrintable(t.text));
            }
        }
        const QString wrong = ruleDifferences(canvas.lines(), tableRules(set, u, v, members + 1));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        const QString outside = textsOutsideTheirCells(canvas);
        QVERIFY2(outside.isEmpty(), qPrintable(outside));
        if (printSize <= 100) {
            // A4 landscape holds the whole width.
            QVERIFY(set.last() * u <= canvas.pageWidth());
        }
    }

    void placedMonthsAreBoxedInsideTheirCells_data()
    {
        QTest::addColumn<int>("printSize");
        QTest::newRow("100%") << 100;
        QTest::newRow("50%") << 50;
    }
    void placedMonthsAreBoxedInsideTheirCells()
    {
        QFETCH(int, printSize);
        AnnualPrint::Line placed = line("佐藤一郎");
        placed.monthBackgrounds[0] = AnnualMarks::Winner;
        placed.monthBackgrounds[1] = AnnualMarks::RunnerUp;
        placed.monthBackgrounds[11] = AnnualMarks::Third;
        AnnualPrint::Line other = line("鈴木花子");
        other.monthBackgrounds[0] = QColor(255, 192, 193); // not exactly the winner colour
        other.monthBackgrounds[1] = Qt::white;
        other.monthBackgrounds[2] = Grid::FixedColor;
        RecordingCanvas canvas;
        AnnualPrint::printpage(canvas, 2003, {other, placed}, printSize);

        const double points = 15.0 * printSize / 100, u = points / 6, v = points / 12, T = 1;
        const QVector<double> &set = printSize == 50 ? ForFifty : Standard;
        // 佐藤 is grid row 2: from T + 3v to T + 4v.
        const QVector<Rule> boxes = {
            {13.5 * u + 0.1, T + 3 * v + 0.1, set[3] * u - 0.1, T + 4 * v - 0.1, 2, true, QColor(255, 0, 0)},
            {set[3] * u + 0.1, T + 3 * v + 0.1, set[4] * u - 0.1, T + 4 * v - 0.1, 2, true, QColor(0, 0, 255)},
            {set[13] * u + 0.1, T + 3 * v + 0.1, set[14] * u - 0.1, T + 4 * v - 0.1, 2, true, QColor(255, 255, 0)},
        };
        // The boxes come after the texts and before the frame and rules, drawn over them.
        const QString wrong = ruleDifferences(canvas.lines(), boxes + tableRules(set, u, v, 3));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        if (printSize == 100) {
            QVERIFY(near(canvas.lines()[0].x1, 13.5 * 2.5 + 0.1));
            QVERIFY(near(canvas.lines()[0].x2, 15.5 * 2.5 - 0.1));
        }
    }

    void boxColoursFollowOnlyTheExactMarkColours()
    {
        QCOMPARE(AnnualPrint::boxColourOf(QColor(255, 192, 192)), QColor(255, 0, 0));
        QCOMPARE(AnnualPrint::boxColourOf(QColor(192, 192, 255)), QColor(0, 0, 255));
        QCOMPARE(AnnualPrint::boxColourOf(QColor(255, 255, 128)), QColor(255, 255, 0));
        QVERIFY(!AnnualPrint::boxColourOf(QColor(255, 255, 127)).isValid());
        QVERIFY(!AnnualPrint::boxColourOf(QColor()).isValid());
    }

    void rowsAsTheWindowShowsThem()
    {
        AnnualRow played;
        played.name = "佐藤一郎";
        played.initialHc = 12.5;
        played.finalHc = 10;
        played.monthGross[0] = 85;
        played.monthMark[0] = 1;
        played.monthGross[2] = 90;
        played.monthMark[2] = 3;
        played.obTotal = 1500;
        played.averageGross = 88;
        played.bestGross = 85;
        played.worstGross = 90;
        played.eligible = false;
        AnnualRow absent;
        absent.name = "鈴木花子";
        absent.initialHc = 20;
        absent.finalHc = 20;
        const QVector<AnnualPrint::Line> lines = AnnualPrint::linesOf({played, absent});
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].texts, QStringList({"佐藤一郎", "12.5", "10", "85", "", "90",   "",   "",   "",   "",
                                              "",         "",     "",   "",   "", "1500", "88", "85", "90", "×"}));
        QCOMPARE(lines[0].monthBackgrounds[0], AnnualMarks::Winner);
        QVERIFY(!lines[0].monthBackgrounds[1].isValid());
        QCOMPARE(lines[0].monthBackgrounds[2], AnnualMarks::Third);
        QCOMPARE(lines[1].texts.size(), 20);
        QCOMPARE(lines[1].texts.mid(3), QStringList(17, QString()));
    }

    void printsTheGridWithItsCellColours()
    {
        Form9 &summary = WindowRegistry::instance().form<Form9>();
        Grid &grid = *summary.ScoreGrid;
        grid.addRow();
        const QStringList texts = line("佐藤一郎").texts;
        for (int c = 0; c < 20; ++c)
            grid.setTextAt(1, c, texts.at(c));
        grid.setRow(1);
        grid.setCol(3 + 4); // May
        grid.setCellBackColor(AnnualMarks::RunnerUp);
        Copies copies;
        recordCopies(copies, 1);
        summary.Command5_Click();
        QCOMPARE(int(copies.canvases.size()), 1);
        const RecordingCanvas &canvas = copies.canvases[0];
        QCOMPARE(canvas.texts().size(), 41);
        QCOMPARE(canvas.texts()[0].text, Title);
        QCOMPARE(canvas.texts()[21].text, QStringLiteral("佐藤一郎"));
        const auto &box = canvas.lines().first();
        QCOMPARE(box.color, QColor(0, 0, 255));
        QVERIFY(near(box.x1, 22.2 * 2.5 + 0.1) && near(box.x2, 24.3 * 2.5 - 0.1));
        summary.close();
    }

    void aLongTableContinuesOnLandscapePages()
    {
        QVector<AnnualPrint::Line> lines;
        for (int i = 0; i < 45; ++i)
            lines.append(line(QStringLiteral("会員%1").arg(i + 1)));
        lines.last().monthBackgrounds[5] = AnnualMarks::Winner;
        RecordingCanvas canvas;
        AnnualPrint::printpage(canvas, 2003, lines, 100);
        QCOMPARE(canvas.pages(), 2);
        int titles = 0, headers = 0;
        for (const auto &text : canvas.texts()) {
            titles += text.text == Title;
            headers += text.text == QStringLiteral("氏名");
        }
        QCOMPARE(titles, 2);
        QCOMPARE(headers, 2);
        int frames = 0;
        for (const auto &l : canvas.lines()) {
            QVERIFY(l.y2 <= canvas.pageHeight());
            if (l.box && l.color == QColor(Qt::black))
                ++frames;
            if (l.color == QColor(255, 0, 0))
                QCOMPARE(l.page, 1);
        }
        QCOMPARE(frames, 2);
        const QString outside = textsOutsideTheirCells(canvas);
        QVERIFY2(outside.isEmpty(), qPrintable(outside));
    }

    void copiesAreSeparateJobsAndAFailureIsReportedOnce()
    {
        AnnualRow row;
        row.name = "佐藤一郎";
        row.monthGross[0] = 85;
        row.monthMark[0] = 1;
        Copies copies;
        copies.failingCopy = 2;
        copies.failingOperation = 30;
        recordCopies(copies, 3);
        printRows({row});
        QCOMPARE(int(copies.canvases.size()), 3);
        QVERIFY(copies.canvases[0].ended() && copies.canvases[2].ended());
        QVERIFY(copies.canvases[1].cancelled() && !copies.canvases[1].ended());
        QCOMPARE(copies.canvases[0].lines().size(), copies.canvases[2].lines().size());
        QCOMPARE(copies.canvases[0].lines().first().color, QColor(255, 0, 0));
        const QString report = printFailureReportProblems();
        QVERIFY2(report.isEmpty(), qPrintable(report));
    }

    void printsOneLandscapePdfPage()
    {
        QVector<AnnualRow> rows;
        for (const char *name : {"佐藤一郎", "鈴木花子"}) {
            AnnualRow row;
            row.name = QString::fromUtf8(name);
            row.initialHc = 12.5;
            row.finalHc = 10;
            row.monthGross[0] = 85;
            row.monthMark[0] = rows.isEmpty() ? 1 : 2;
            row.obTotal = 500;
            row.averageGross = 85;
            row.bestGross = 85;
            row.worstGross = 85;
            row.eligible = rows.isEmpty();
            rows.append(row);
        }
        QTemporaryDir dir;
        const QString path = dir.filePath("annual.pdf");
        printToPdf(path);
        printRows(rows);
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(pdfPages(path), 1);
        const QSizeF page = pdfPageSize(path);
        QVERIFY2(qAbs(page.width() - 842) < 1 && qAbs(page.height() - 595) < 1, "A4 landscape");
        QVERIFY2(pdfEmbedsFont(path, "IPAGothic"), qPrintable(pdfFonts(path)));
        const QString text = pdfText(path).simplified();
        QVERIFY2(text.contains(Title), qPrintable(text));
        for (const QString &caption : header())
            QVERIFY2(text.contains(caption), qPrintable(caption));
        for (const char *expected : {"佐藤一郎", "鈴木花子", "12.5", "○", "×", "500"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);

        // In the real face every column caption starts inside its ruled cell.
        const double u = realFaceUnit(15);
        const QString outside = captionsOutsideTheirCells(path, header(), Standard, u);
        QVERIFY2(outside.isEmpty(), qPrintable(outside));
        // The frame's right edge stays on the page.
        QVERIFY(pageMarginPoints() + 54 * u < page.width());
    }
};

PARVELA_TEST_MAIN(AnnualPrintTest)
#include "tst_annualprint.moc"
