#include "../platform/printchecks.h"
#include "parvelatest.h"

#include "core/gui/windowregistry.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "members/gui/form7.h"
#include "members/print/memberlistprint.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/splitbutton.h"

#include <QPushButton>

#include <memory>

using namespace PrintChecks;

namespace {

// The list's rules for R grid rows (header included); W = 10.
QVector<Rule> listRules(double u, double v, int R, double T = 1)
{
    const double W = 10;
    QVector<Rule> rules;
    rules.append({1, T + v, W * u, T + (R + 1) * v, 4, true});
    rules.append({1, T + 2 * v, W * u, T + 2 * v, 4, false});
    rules.append({8 * u, T + v, 8 * u, T + (R + 1) * v, 4, false});
    for (int k = 3; k <= R + 1; ++k)
        rules.append({1, T + k * v, W * u, T + k * v, 2, false});
    return rules;
}

} // namespace

class MemberListPrintTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

    // 印刷 on the member list as the main menu opens it.
    static void printFromTheList()
    {
        Form7 &list = ParvelaTest::showTableWindow<Form7>();
        QTest::mouseClick(list.Command5, Qt::LeftButton);
        list.close();
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
        QTest::addColumn<int>("members");
        for (int size : {100, 50}) {
            for (int count : {0, 1, 2, 3})
                QTest::addRow("%d%%, %d members", size, count) << size << count;
        }
    }
    void layout()
    {
        QFETCH(int, printSize);
        QFETCH(int, members);
        QVector<QStringList> cells;
        for (int i = 0; i < members; ++i)
            cells.append({QStringLiteral("会員%1").arg(i + 1), QString::number(10.5 + i)});

        RecordingCanvas canvas;
        MemberListPrint::printpage(canvas, "メンバー", cells, printSize);

        const double points = 20.0 * printSize / 100;
        const double u = points / 6, v = points / 12, column = 0.45 * u;
        QCOMPARE(canvas.fontSize(), points);
        QCOMPARE(canvas.pages(), 1);
        const QVector<RecordingCanvas::Text> &texts = canvas.texts();
        QCOMPARE(texts.size(), 1 + 2 * (1 + members));
        QCOMPARE(texts[0].text, QStringLiteral("メンバー"));
        QVERIFY(near(texts[0].x, 0) && near(texts[0].y, 1));
        for (int r = 0; r <= members; ++r) {
            const QStringList expected = r == 0 ? QStringList{"氏名", "HC"} : cells.at(r - 1);
            const auto &name = texts[1 + 2 * r];
            const auto &hc = texts[2 + 2 * r];
            QCOMPARE(name.text, expected.at(0));
            QCOMPARE(hc.text, expected.at(1));
            QVERIFY(near(name.x, 2 * column) && near(hc.x, 19 * column));
            QVERIFY(near(name.y, 1 + (1 + r) * v) && near(hc.y, name.y));
            QVERIFY(near(name.clipRight, 8 * u) && near(hc.clipRight, 10 * u));
        }
        const QString wrong = ruleDifferences(canvas.lines(), listRules(u, v, members + 1));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        // The header rule lies on the frame's foot for an empty list; the last row rule does
        // for a list with members.
        const auto &frame = canvas.lines().first();
        const auto &lastRule = members == 0 ? canvas.lines().at(1) : canvas.lines().last();
        QVERIFY(near(lastRule.y1, frame.y2));
        QCOMPARE(lastRule.width, members == 0 ? 4 : 2);
        const QString outside = textsOutsideTheirCells(canvas);
        QVERIFY2(outside.isEmpty(), qPrintable(outside));
    }

    void aLongListContinuesOnTheNextPage()
    {
        QVector<QStringList> cells;
        for (int i = 0; i < 50; ++i)
            cells.append({QStringLiteral("会員%1").arg(i + 1), "12"});
        RecordingCanvas canvas;
        MemberListPrint::printpage(canvas, "メンバー", cells, 100);
        QVERIFY(canvas.pages() >= 2);
        const double v = 20.0 / 12;
        int headers = 0, frames = 0;
        QStringList names;
        for (const auto &text : canvas.texts()) {
            headers += text.text == QStringLiteral("氏名");
            if (text.text.startsWith(QStringLiteral("会員")))
                names.append(text.text);
        }
        for (const auto &line : canvas.lines()) {
            frames += line.box;
            QVERIFY(line.y2 <= canvas.pageHeight());
        }
        QCOMPARE(headers, canvas.pages());
        QCOMPARE(frames, canvas.pages());
        QCOMPARE(names.size(), 50);
        QCOMPARE(names.last(), QStringLiteral("会員50"));
        // Every page is filled before the next begins.
        int onFirst = 0;
        for (const auto &text : canvas.texts())
            onFirst += text.page == 0 && text.text.startsWith(QStringLiteral("会員"));
        QVERIFY(1 + (2 + onFirst) * v <= canvas.pageHeight());
        QVERIFY(1 + (3 + onFirst) * v > canvas.pageHeight());
    }

    void anOverlongNameIsCutAtItsCell()
    {
        RecordingCanvas canvas;
        MemberListPrint::printpage(canvas, "メンバー", {{"寿限無寿限無五劫の擦り切れ海砂利水魚", "12"}}, 100);
        QVERIFY(near(canvas.texts()[3].clipRight, 8 * 20.0 / 6));
    }

    void printsTheMembersInKanaOrderOncePerCopy()
    {
        MemberTable::insert("田中三郎", "たなか", "1950/1/1", 12);
        MemberTable::insert("佐藤一郎", "さとう", "1950/1/1", 10.5);
        MemberTable::insert("鈴木花子", "すずき", "1950/1/1", 20);
        Copies copies;
        copies.failingCopy = 2;
        copies.failingOperation = 6;
        recordCopies(copies, 3);
        printFromTheList();
        QCOMPARE(int(copies.canvases.size()), 3);
        for (int copy : {0, 2}) {
            const RecordingCanvas &canvas = copies.canvases[copy];
            QVERIFY(canvas.ended());
            QStringList texts;
            for (const auto &text : canvas.texts())
                texts.append(text.text);
            QCOMPARE(texts,
                     QStringList({"メンバー", "氏名", "HC", "佐藤一郎", "10.5", "鈴木花子", "20", "田中三郎", "12"}));
        }
        QVERIFY(copies.canvases[1].cancelled() && !copies.canvases[1].ended());
        const QString report = printFailureReportProblems();
        QVERIFY2(report.isEmpty(), qPrintable(report));
    }

    void printsNameAndHcOfTheGridAndLeavesItsLastRowCurrent()
    {
        Form7 &list = WindowRegistry::instance().form<Form7>();
        Grid &grid = *list.MemberGrid;
        const QVector<QStringList> rows = {{"佐藤一郎", "さとう", "1950/1/1", "10.5"},
                                           {"鈴木花子", "すずき", "1960/2/3", "20"}};
        for (const QStringList &cells : rows) {
            grid.addRow();
            for (int c = 0; c < 4; ++c)
                grid.setTextAt(grid.rows() - 1, c, cells.at(c));
        }
        grid.setRow(0);
        Copies copies;
        recordCopies(copies, 1);
        list.Command5_Click();
        QStringList texts;
        for (const auto &text : copies.canvases.at(0).texts())
            texts.append(text.text);
        // Kana and birthday are not printed.
        QCOMPARE(texts, QStringList({"メンバー", "氏名", "HC", "佐藤一郎", "10.5", "鈴木花子", "20"}));
        QCOMPARE(grid.row(), 2);
        list.close();
    }

    void printsAJapanesePdfPage()
    {
        MemberTable::insert("田中三郎", "たなか", "1950/1/1", 12);
        MemberTable::insert("佐藤一郎", "さとう", "1950/1/1", 10.5);
        QTemporaryDir dir;
        const QString path = dir.filePath("members.pdf");
        printToPdf(path);
        printFromTheList();
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(pdfPages(path), 1);
        const QSizeF page = pdfPageSize(path);
        QVERIFY2(page.width() < page.height(), "portrait");
        QVERIFY2(pdfEmbedsFont(path, "IPAGothic"), qPrintable(pdfFonts(path)));
        const QString text = pdfText(path);
        for (const char *expected : {"メンバー", "氏名", "HC", "佐藤一郎", "10.5", "田中三郎", "12"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        // 佐藤 (さとう) before 田中 (たなか).
        QVERIFY(text.indexOf(QStringLiteral("佐藤一郎")) < text.indexOf(QStringLiteral("田中三郎")));

        // In the real face the texts start inside their cells: name 1 unit to 8 u, HC 8 u to 10 u.
        const double u = realFaceUnit(20);
        const double margin = pageMarginPoints();
        for (const Word &word : pdfWords(path)) {
            if (word.text == QStringLiteral("氏名") || word.text == QStringLiteral("佐藤一郎"))
                QVERIFY2(word.xMin > margin + 6 && word.xMin < margin + 8 * u, qPrintable(word.text));
            if (word.text == QStringLiteral("HC") || word.text == QStringLiteral("10.5"))
                QVERIFY2(word.xMin > margin + 8 * u && word.xMin < margin + 10 * u, qPrintable(word.text));
        }
    }
};

PARVELA_TEST_MAIN(MemberListPrintTest)
#include "tst_memberlistprint.moc"
