#include "parvelatest.h"
#include "printchecks.h"

#include "annual/gui/form9.h"
#include "annual/print/annualprint.h"
#include "core/coursetable.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "members/gui/form7.h"
#include "members/print/memberlistprint.h"
#include "monthly/gui/form4.h"
#include "monthly/print/monthsheetprint.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/splitbutton.h"
#include "platform/print/ruledtable.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>

using namespace PrintChecks;

namespace {

// The longest realistic names and values of each printout, the header row first.
QVector<QStringList> rowsOf(const QString &printout)
{
    if (printout == QLatin1String("sheet"))
        return {{"RANK", "氏名", "HC", "OB罰金", "OUT", "IN", "GROSS", "NET", "新HC"},
                {"優勝", "寿限無寿限無五劫", "12.5", "123456", "45", "47", "92", "79.5", "11"},
                {"準優勝", "長谷川一郎", "36", "1234567", "50", "51", "101", "100.5", "-2"}};
    if (printout == QLatin1String("list"))
        return {{"氏名", "HC"}, {"寿限無寿限無五劫", "12.5"}, {"長谷川一郎", "100.5"}};
    QVector<QStringList> rows = {
        {"氏名", "初HC", "終HC"}, {"寿限無寿限無五劫", "12.5", "100.5"}, {"長谷川一郎", "36", "8"}};
    for (int month = 1; month <= 12; ++month) {
        rows[0] << QStringLiteral("%1月").arg(month);
        rows[1] << "100";
        rows[2] << QString::number(80 + month);
    }
    rows[0] += QStringList{"OB罰金", "平均", "最高", "最低", "資格"};
    rows[1] += QStringList{"1234567", "100", "100", "100", "○"};
    rows[2] += QStringList{"999999", "87", "81", "92", "×"};
    return rows;
}

PrintCommand::Printout printoutOf(const QString &printout, const QVector<QStringList> &rows, int printSize)
{
    if (printout == QLatin1String("sheet"))
        return [=](PrintCanvas &canvas) {
            MonthSheetPrint::printpage(canvas, "2026年5月", "2026/5/10", "大宮", rows.mid(1), printSize);
        };
    if (printout == QLatin1String("list"))
        return [=](PrintCanvas &canvas) { MemberListPrint::printpage(canvas, "メンバー", rows.mid(1), printSize); };
    QVector<AnnualPrint::Line> lines;
    for (const QStringList &texts : rows.mid(1))
        lines.append({texts, {}});
    return [=](PrintCanvas &canvas) { AnnualPrint::printpage(canvas, 2026, lines, printSize); };
}

// A word of a PDF page and its glyph box, in points from the page's top-left corner.
struct Word
{
    QString text;
    QRectF box;
};

QVector<Word> pdfWords(const QString &path, QSizeF *pageSize = nullptr)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    process.waitForFinished(30000);
    const QRegularExpression number(QStringLiteral("\"([\\d.]+)\""));
    QVector<Word> words;
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        QVector<double> values;
        for (auto it = number.globalMatch(line); it.hasNext();)
            values << it.next().captured(1).toDouble();
        if (line.contains(QLatin1String("<page")) && pageSize)
            *pageSize = QSizeF(values.value(0), values.value(1));
        if (line.contains(QLatin1String("<word")))
            words.append({line.section(QLatin1Char('>'), 1).section(QLatin1Char('<'), 0, 0),
                          QRectF(QPointF(values.at(0), values.at(1)), QPointF(values.at(2), values.at(3)))});
    }
    return words;
}

// What the paper shows: every text of `rows` (one row a ruled band of the table the black
// `lines` draw) whole, in its own cell, its glyphs clear of the ink of the rules. The first
// offence; empty when there is none.
QString offCellTexts(const QVector<Word> &words, const QVector<RecordingCanvas::Line> &lines,
                     const QVector<QStringList> &rows)
{
    const double margin = PrintCanvas::PageMarginMillimetres * 72 / 25.4;
    const double ink = RuledTablePrint::RuleDots * 72.0 / 1200 / 2; // half a rule at 1200 dpi
    QVector<double> ys, xs;
    const auto addOnce = [](QVector<double> &edges, double edge) {
        if (std::none_of(edges.begin(), edges.end(), [&](double known) { return qAbs(known - edge) < 0.01; }))
            edges.append(edge);
    };
    for (const RecordingCanvas::Line &line : lines) {
        for (int end = 0; end < 2 && line.color == QColor(Qt::black); ++end) {
            if (line.box || line.y1 == line.y2)
                addOnce(ys, margin + (end ? line.y2 : line.y1) * 12);
            if (line.box || line.x1 == line.x2)
                addOnce(xs, margin + (end ? line.x2 : line.x1) * 6);
        }
    }
    std::sort(ys.begin(), ys.end());
    std::sort(xs.begin(), xs.end());
    if (ys.size() != rows.size() + 1)
        return QStringLiteral("%1 ruled bands for %2 rows").arg(ys.size() - 1).arg(rows.size());
    QStringList shown;
    for (const Word &word : words) {
        const QRectF &box = word.box;
        const auto row = std::upper_bound(ys.begin(), ys.end(), box.center().y()) - ys.begin() - 1;
        const auto cell = std::upper_bound(xs.begin(), xs.end(), box.left()) - xs.begin() - 1;
        shown << word.text;
        if (row < 0)
            continue; // a title line
        if (row >= rows.size() || cell < 0 || cell >= rows.at(row).size() || !rows.at(row).at(cell).contains(word.text)
            || box.left() < xs.at(cell) + ink || box.right() > xs.at(cell + 1) - ink
            || box.top() < ys.at(row) - 0.03 * box.height() || box.bottom() > ys.at(row + 1) + 0.03 * box.height())
            return QStringLiteral("\"%1\" at %2-%3 pt is not inside its cell")
                .arg(word.text)
                .arg(box.left())
                .arg(box.right());
    }
    for (const QStringList &row : rows) {
        for (const QString &text : row) {
            if (!shown.contains(text))
                return QStringLiteral("\"%1\" is not on the paper").arg(text);
        }
    }
    return {};
}

// The window that prints `printout`, loaded and shown as its opener shows it.
QWidget &openWindow(const QString &printout)
{
    if (printout == QLatin1String("list"))
        return ParvelaTest::showTableWindow<Form7>();
    if (printout == QLatin1String("annual"))
        return ParvelaTest::showTableWindow<Form9>();
    Module1::CurrentCourseId = CourseTable::firstOfMonth(2003, 5)->id;
    Form4 &sheet = WindowRegistry::instance().form<Form4>();
    sheet.setWindowTitle(QStringLiteral("2003年5月"));
    sheet.boxDate->setText(QStringLiteral("2003/5/18"));
    sheet.Showtable();
    ParvelaTest::showActive(&sheet);
    return sheet;
}

// The window's 印刷 button (the member list has further split buttons before it).
SplitButton *printButton(QWidget &window)
{
    for (SplitButton *button : window.findChildren<SplitButton *>()) {
        if (button->text() == QStringLiteral("印刷"))
            return button;
    }
    return nullptr;
}

void clickRow(Grid &grid, int row)
{
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(row - 1, 0)).center());
}

} // namespace

class PrintingTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

private slots:
    void init()
    {
        // May's places: 鈴木 first, 田中 second, 佐藤 third.
        m_db = ParvelaTest::freshSettingsAndDatabase(2003);
        const qint16 may = CourseTable::insert(2003, 5, "2003/5/18", "東コース");
        for (const auto &[name, kana, hc, place] : {std::tuple("佐藤一郎", "さとう", 10.5, 3),
                                                    {"鈴木花子", "すずき", 20.5, 1},
                                                    {"田中三郎", "たなか", 12.0, 2}}) {
            const qint16 member = MemberTable::insert(name, kana, "1950/1/1", hc);
            const qint16 score = ScoreTable::insert({0, may, member, name, hc, 1234567, 45, 46, 91, 91 - hc, 0, 0, {}});
            ScoreTable::updateNewHcAndRank(score, 0, place);
        }
        MessageBox::takeShown();
    }
    void cleanup()
    {
        restoreSeams();
        for (QWidget *window : QApplication::topLevelWidgets())
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_db.reset();
    }

    void copiesAreJobsOfTheirOwnAndAFailingOneIsToldOnce_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("secondFails");
        QTest::newRow("cancelled") << 0 << false;
        QTest::newRow("three copies") << 3 << false;
        QTest::newRow("the second fails") << 3 << true;
    }
    void copiesAreJobsOfTheirOwnAndAFailingOneIsToldOnce()
    {
        QFETCH(int, chosen);
        QFETCH(bool, secondFails);
        Copies copies;
        recordCopies(copies, chosen);
        bool hourglass = true;
        const bool printed = PrintCommand::run(nullptr, [&](PrintCanvas &canvas) {
            hourglass = hourglass && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            canvas.printLine({{3, QStringLiteral("優勝")}});
            if (secondFails && copies.canvases.size() == 1)
                throw PrintError("printer fault");
        });
        QCOMPARE(printed, chosen > 0);
        QVERIFY(hourglass);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(int(copies.canvases.size()), chosen);
        for (int copy = 0; copy < chosen; ++copy)
            QCOMPARE(copies.canvases[copy].ended(), !(secondFails && copy == 1));
        if (secondFails)
            QCOMPARE(ParvelaTest::takeOnlyError(), QStringLiteral("印刷が出来ません"));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void aFailedDocumentLeavesNothingOnThePrinter()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        Copies copies;
        recordCopies(copies, 1, path);
        PrintCommand::run(nullptr, [](PrintCanvas &canvas) {
            canvas.printLine({{1, QStringLiteral("途中")}});
            throw PrintError("printer fault");
        });
        QVERIFY(!QFile::exists(path));
        const auto printout = [](PrintCanvas &canvas) { canvas.printLine({{1, QStringLiteral("完成")}}); };
        PrintCommand::run(nullptr, printout);
        QCOMPARE(pdfWords(path).value(0).text, QStringLiteral("完成"));
        // A printer that cannot start tells each copy.
        recordCopies(copies, 2, dir.filePath(QStringLiteral("missing/sheet.pdf")));
        PrintCommand::run(nullptr, printout);
        QCOMPARE(MessageBox::takeShown().size(), 1 + 2);
    }

    void thePaperShowsEveryTextWholeInsideItsCell_data()
    {
        QTest::addColumn<QString>("printout");
        QTest::addColumn<int>("printSize");
        for (const char *printout : {"sheet", "list", "annual"}) {
            for (int size : {50, 100, 200})
                QTest::addRow("%s at %d%%", printout, size) << QString::fromLatin1(printout) << size;
        }
    }
    void thePaperShowsEveryTextWholeInsideItsCell()
    {
        QFETCH(QString, printout);
        QFETCH(int, printSize);
        QTemporaryDir dir;
        Copies copies;
        recordCopies(copies, 1, dir.filePath(QStringLiteral("paper.pdf")));
        const QVector<QStringList> rows = rowsOf(printout);
        PrintCommand::run(nullptr, printoutOf(printout, rows, printSize));
        QSizeF page;
        const QVector<Word> words = pdfWords(dir.filePath(QStringLiteral("paper.pdf")), &page);
        const QString offence = offCellTexts(words, copies.canvases.at(0).lines(), rows);
        QVERIFY2(offence.isEmpty(), qPrintable(offence));
        QCOMPARE(page.width() > page.height(), printout == QLatin1String("annual"));
        for (const RecordingCanvas::Line &line : copies.canvases.at(0).lines())
            QVERIFY(qMax(line.x1, line.x2) * 6 < page.width() && qMax(line.y1, line.y2) * 12 < page.height());
    }

    void rowsBeyondThePageContinueUnderTheirHeader_data()
    {
        QTest::addColumn<QString>("printout");
        QTest::newRow("sheet") << "sheet";
        QTest::newRow("list") << "list";
        QTest::newRow("annual") << "annual";
    }
    void rowsBeyondThePageContinueUnderTheirHeader()
    {
        QFETCH(QString, printout);
        QVector<QStringList> rows = rowsOf(printout).mid(0, 1);
        for (int member = 1; member <= 80; ++member) {
            rows.append(rowsOf(printout).at(1));
            rows.last()[printout == QLatin1String("sheet") ? 1 : 0] = QStringLiteral("会員%1").arg(member);
        }
        Copies copies;
        recordCopies(copies, 1);
        PrintCommand::run(nullptr, printoutOf(printout, rows, 100));
        const RecordingCanvas &canvas = copies.canvases.at(0);
        QVERIFY(canvas.pages() >= 2);
        QStringList names;
        QVector<int> headers(canvas.pages());
        for (const RecordingCanvas::Text &text : canvas.texts()) {
            headers[text.page] += text.text == QStringLiteral("氏名");
            if (text.text.startsWith(QStringLiteral("会員")))
                names << text.text;
            QVERIFY(text.y + canvas.textHeight(text.text) <= canvas.paperHeight());
        }
        QCOMPARE(headers, QVector<int>(canvas.pages(), 1));
        QCOMPARE(names.size(), 80);
        QCOMPARE(names.last(), QStringLiteral("会員80"));
        for (const RecordingCanvas::Line &line : canvas.lines())
            QVERIFY(line.y2 <= canvas.paperHeight());
    }

    void printingTakesTheRowsShownAndLeavesTheLastRowCurrent_data()
    {
        QTest::addColumn<QString>("printout");
        QTest::addColumn<QVector<int>>("columns");
        QTest::addColumn<int>("copies");
        for (int copies : {0, 2}) {
            QTest::addRow("sheet, %d copies", copies) << "sheet" << QVector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8} << copies;
            QTest::addRow("list, %d copies", copies) << "list" << QVector<int>{0, 3} << copies; // no kana, no birthday
        }
    }
    void printingTakesTheRowsShownAndLeavesTheLastRowCurrent()
    {
        QFETCH(QString, printout);
        QFETCH(QVector<int>, columns);
        QFETCH(int, copies);
        QWidget &window = openWindow(printout);
        Grid &grid = *window.findChild<Grid *>();
        clickRow(grid, 1);
        Copies printed;
        recordCopies(printed, copies);
        QTest::mouseClick(printButton(window), Qt::LeftButton);
        // The row edit and delete act on is the row highlighted: the clicked one after a cancel.
        const QModelIndexList highlighted = grid.selectionModel()->selectedRows();
        const int current = copies ? 3 : 1;
        QCOMPARE(
            QVector<int>({grid.row(), grid.currentRow() + 1, int(highlighted.size()), highlighted.value(0).row() + 1}),
            QVector<int>({current, current, 1, current}));
        QStringList shown;
        for (int row = 0; row < grid.rows(); ++row) {
            for (int column : columns)
                shown << grid.cellText(row, column);
        }
        QCOMPARE(int(printed.canvases.size()), copies);
        for (const RecordingCanvas &copy : printed.canvases) {
            QStringList texts;
            for (const RecordingCanvas::Text &text : copy.texts())
                texts << text.text;
            QCOMPARE(texts.first(), window.windowTitle());
            QCOMPARE(texts.mid(texts.size() - shown.size()), shown);
        }
    }

    void theArrowPreviewsAndSavesAPdfAndCtrlPPrints_data()
    {
        QTest::addColumn<QString>("printout");
        QTest::addColumn<QString>("pdfName");
        QTest::newRow("sheet") << "sheet"
                               << "2003年5月_月例会.pdf";
        QTest::newRow("list") << "list"
                              << "メンバー.pdf";
        QTest::newRow("annual") << "annual"
                                << "2003年度_年間集計.pdf";
    }
    void theArrowPreviewsAndSavesAPdfAndCtrlPPrints()
    {
        QFETCH(QString, printout);
        QFETCH(QString, pdfName);
        QWidget &window = openWindow(printout);
        const QList<QAction *> commands = printButton(window)->menu()->actions();
        int pages = 0;
        bool landscape = false;
        QStringList tools;
        ParvelaTest::onNextDialog<QPrintPreviewDialog>([&](QPrintPreviewDialog *preview) {
            pages = preview->findChild<QPrintPreviewWidget *>()->pageCount();
            landscape = preview->findChild<QPrintPreviewWidget *>()->orientation() == QPageLayout::Landscape;
            for (const QAction *action : preview->findChild<QToolBar *>()->actions())
                tools << action->text();
            preview->reject();
        });
        commands.value(0)->trigger();
        QCOMPARE(pages, 1);
        QCOMPARE(landscape, printout == QLatin1String("annual"));
        QVERIFY2(tools.contains(QStringLiteral("次のページ")), qPrintable(tools.join(',')));

        QTemporaryDir dir;
        QString proposed;
        FileDialogs::setAnswer([&](const QString &, const QString &proposal, const QString &) {
            proposed = proposal;
            return dir.filePath(QStringLiteral("copy.pdf"));
        });
        commands.value(1)->trigger();
        QCOMPARE(proposed, FileDialogs::inDocuments(pdfName));
        QStringList shown;
        for (const Word &word : pdfWords(dir.filePath(QStringLiteral("copy.pdf"))))
            shown << word.text;
        QVERIFY2(shown.contains(QStringLiteral("鈴木花子")), qPrintable(shown.join(' ')));

        int asked = 0;
        PrintCommand::setChooser([&](QPrinter &, QWidget *) {
            ++asked;
            return 0;
        });
        ParvelaTest::showActive(&window);
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(asked, 1); // a shortcut presses its button after a blink
    }

    void placedMonthsAreBoxedInTheirCellsInTheirColours()
    {
        QWidget &summary = openWindow(QStringLiteral("annual"));
        Copies printed;
        recordCopies(printed, 1);
        QTest::mouseClick(printButton(summary), Qt::LeftButton);
        const RecordingCanvas &copy = printed.canvases.at(0);
        QHash<QString, double> x, y;
        for (const RecordingCanvas::Text &text : copy.texts())
            x[text.text] = text.x, y[text.text] = text.y;
        QVector<RecordingCanvas::Line> boxes, rules;
        for (const RecordingCanvas::Line &line : copy.lines())
            (line.color == QColor(Qt::black) ? rules : boxes) << line;
        QCOMPARE(boxes.size(), 3);
        QVERIFY(x.contains("1234567")); // an OB total of seven digits, every digit
        // In the row of its member, inside the May cell: no rule runs through it.
        const QHash<QString, QColor> colours = {
            {"佐藤一郎", Qt::yellow}, {"鈴木花子", Qt::red}, {"田中三郎", Qt::blue}};
        for (const RecordingCanvas::Line &box : boxes) {
            const QString member = colours.key(box.color);
            QVERIFY(box.y1 > y[member] && box.y2 < y[member] + copy.textHeight(QString()));
            QVERIFY(box.x1 < x["5月"] && x["5月"] < box.x2);
            for (const RecordingCanvas::Line &rule : rules)
                QVERIFY(rule.box || rule.x1 != rule.x2 || rule.x1 < box.x1 || rule.x1 > box.x2);
        }
        // Only the exact mark colours are boxed.
        QVERIFY(!AnnualPrint::boxColourOf(QColor(255, 255, 127)).isValid());
        QVERIFY(!AnnualPrint::boxColourOf(QColor()).isValid());
    }

    void qtsOwnDialogsSpeakJapanese()
    {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));

        QStringList buttons;
        QString selected;
        ParvelaTest::onNextDialog<QFileDialog>([&](QFileDialog *dialog) {
            for (const QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons())
                buttons << button->text();
            selected = dialog->selectedFiles().value(0);
            dialog->reject();
        });
        const QString proposal = FileDialogs::inDocuments(QStringLiteral("メンバー.pdf"));
        QCOMPARE(FileDialogs::saveFileName(nullptr, "PDFに保存", proposal, "PDF (*.pdf)"), QString());
        QCOMPARE(buttons, QStringList({"保存(&S)", "キャンセル"}));
        QCOMPARE(selected, proposal);

        // Whatever the system's locale, every weekday column of a calendar has its Japanese name.
        QCalendarWidget calendar;
        calendar.setFirstDayOfWeek(Qt::Sunday);
        const QAbstractItemModel *days = calendar.findChild<QTableView *>()->model();
        QStringList weekdays;
        for (int column = 1; column <= 7; ++column)
            weekdays << days->data(days->index(0, column)).toString();
        QCOMPARE(weekdays, QStringList({"日", "月", "火", "水", "木", "金", "土"}));
    }
};

PARVELA_TEST_MAIN(PrintingTest)
#include "tst_printing.moc"
