// The three printouts and the print button that makes them: copies as jobs of their own, pages,
// every text whole inside its cell at every print size, the annual places boxed in their colours;
// the arrow's preview and its PDF and CSV copies (the CSV read back by Python's csv module); and
// the save dialog in Japanese, as every Qt dialog is.
#include "parvelatest.h"

#include "annual/print/annualprint.h"
#include "members/print/memberlistprint.h"
#include "monthly/gui/sideprizedialog.h"
#include "monthly/print/monthsheetprint.h"
#include "platform/print/ruledtable.h"

#include <QAbstractFileIconProvider>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRadioButton>
#include <QSignalSpy>

#include <set>
#include <vector>

using namespace ParvelaTest;

namespace {

// Members enough for more than one page at the smallest print size.
constexpr int Members = 160;

// One copy printed through the print command: what was drawn, in character units.
struct Copy
{
    struct Text
    {
        double x, y, height;
        QString text;
        int page;
    };
    struct Line
    {
        double x1, y1, x2, y2;
        QColor color;
        bool box;
    };
    QVector<Text> texts;
    QVector<Line> lines;
    int pages = 1;
    double paperHeight = 0; // the printable height
};

// The printer's own canvas, keeping what was drawn. It paints only on a printer given a PDF file.
class RecordingCanvas : public PainterCanvas
{
public:
    RecordingCanvas(QPrinter &printer, std::vector<Copy> &copies)
        : PainterCanvas(printer)
        , m_printer(printer)
        , m_copies(copies)
    {
    }
    ~RecordingCanvas() override { m_copies.push_back(m_copy); }
    void drawLine(double x1, double y1, double x2, double y2, const QColor &color) override
    {
        m_copy.lines.append({x1, y1, x2, y2, color, false});
        PainterCanvas::drawLine(x1, y1, x2, y2, color);
    }
    void drawBox(double x1, double y1, double x2, double y2, const QColor &color) override
    {
        m_copy.lines.append({x1, y1, x2, y2, color, true});
        PainterCanvas::drawBox(x1, y1, x2, y2, color);
    }
    void newPage() override
    {
        ++m_copy.pages;
        PainterCanvas::newPage();
    }
    void endDocument() override
    {
        m_copy.paperHeight = pageHeight();
        if (!m_printer.outputFileName().isEmpty())
            PainterCanvas::endDocument();
    }

protected:
    void drawText(double x, double y, const QString &text, double condense) override
    {
        m_copy.texts.append({x, y, textHeight(text), text, m_copy.pages - 1});
        PainterCanvas::drawText(x, y, text, condense);
    }

private:
    QPrinter &m_printer;
    std::vector<Copy> &m_copies;
    Copy m_copy;
};

// The printer dialog answers `count` copies, printed into the PDF file `pdf` when one is given.
void recordCopies(std::vector<Copy> &copies, int count, const QString &pdf = {})
{
    PrintCommand::setChooser([count, pdf](QPrinter &printer, QWidget *) {
        printer.setOutputFileName(pdf);
        return count;
    });
    PrintCommand::setCanvasFactory([&copies](QPrinter &printer) -> std::unique_ptr<PrintCanvas> {
        return std::make_unique<RecordingCanvas>(printer, copies);
    });
}

// The longest realistic names and values of each printout, the header row first.
QVector<QStringList> rowsOf(const QString &printout)
{
    if (printout == "sheet")
        return {{"RANK", "氏名", "HC", "OB罰金", "OUT", "IN", "GROSS", "NET", "新HC"},
                {"優勝", "寿限無寿限無五劫", "12.5", "123456", "45", "47", "92", "79.5", "11"},
                {"準優勝", "長谷川一郎", "36", "1234567", "50", "51", "101", "100.5", "-2"}};
    if (printout == "list")
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
    if (printout == "sheet")
        return [=](PrintCanvas &canvas) {
            MonthSheetPrint::drawCopy(canvas, "2026年5月", "2026/5/10", "大宮", rows.mid(1), printSize);
        };
    if (printout == "list")
        return [=](PrintCanvas &canvas) { MemberListPrint::drawCopy(canvas, "メンバー", rows.mid(1), printSize); };
    QVector<AnnualPrint::Line> lines;
    for (const QStringList &texts : rows.mid(1))
        lines.append({texts, {}});
    return [=](PrintCanvas &canvas) { AnnualPrint::drawCopy(canvas, 2026, lines, printSize); };
}

// What the paper shows: every text of `rows` (one row a ruled band of the table the black
// `lines` draw) whole, in its own cell, its glyphs clear of the ink of the rules. The first
// offence; empty when there is none.
QString offCellTexts(const QVector<Word> &words, const QVector<Copy::Line> &lines, const QVector<QStringList> &rows)
{
    const double margin = PrintCanvas::PageMarginMillimetres * 72 / 25.4;
    const double ink = RuledTablePrint::RuleDots * 72.0 / 1200 / 2; // half a rule at 1200 dpi
    std::set<double> across, down;                                  // the rules' edges in points, to a hundredth
    const auto points = [margin](double units, double unit) { return std::round((margin + units * unit) * 100) / 100; };
    for (const Copy::Line &line : lines) {
        if (line.color == QColor(Qt::black) && (line.box || line.y1 == line.y2))
            down.insert({points(line.y1, 12), points(line.y2, 12)});
        if (line.color == QColor(Qt::black) && (line.box || line.x1 == line.x2))
            across.insert({points(line.x1, 6), points(line.x2, 6)});
    }
    const std::vector<double> ys(down.begin(), down.end()), xs(across.begin(), across.end());
    if (ys.size() != size_t(rows.size()) + 1)
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
            if (!text.isEmpty() && !shown.contains(text))
                return QStringLiteral("\"%1\" is not on the paper").arg(text);
        }
    }
    return {};
}

QVector<QStringList> readWithPython(const QString &path)
{
    QProcess python;
    python.start("python3", {"-c",
                             "import csv,json,sys\nwith open(sys.argv[1],encoding='utf-8-sig',newline='') as f:"
                             " print(json.dumps(list(csv.reader(f))))",
                             path});
    python.waitForFinished(30000);
    QVector<QStringList> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(python.readAllStandardOutput()).array())
        rows << row.toVariant().toStringList();
    return rows;
}

// The print button of the window that prints `printout`, loaded and shown as its opener shows it.
// A text box claims the keys it edits with before the window's shortcuts are looked up, and under
// the key bindings of an X11 desktop Ctrl+E (to the end of the line) is one of them. Here every
// control claims every key so, whatever the platform's bindings.
class ClaimingEveryKey : public QObject
{
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride)
            event->accept();
        return false;
    }
};

SplitButton &openWindow(const QString &printout)
{
    if (printout == "list")
        return *showTableWindow<MemberListWindow>().printButton;
    if (printout == "annual")
        return *showTableWindow<AnnualSummaryWindow>().printButton;
    return *openSheet(2003, 5).printButton;
}

} // namespace

class PrintingTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryDatabase> m_db;
    QList<QUrl> m_opened;

public slots:
    void openUrl(const QUrl &url) { m_opened << url; } // the desktop's opener, for QDesktopServices

private slots:
    void init()
    {
        // May's places: 鈴木 first, 田中 second, 佐藤 third. The names are ones a CSV file must quote or
        // disarm, the negative HC a number it keeps.
        m_db = freshSettingsAndDatabase(2003);
        const qint16 may = CourseTable::insert(2003, 5, "2003/5/18", "東コース");
        for (const auto &[name, kana, hc, place] : {std::tuple("佐藤, \"一郎\"", "さとう", 10.5, 3),
                                                    {"=鈴木花子", "すずき", 20.5, 1},
                                                    {" 田中\n三郎", "たなか", -2.0, 2}}) {
            addScore(may, MemberTable::insert(name, kana, "1950/1/1", hc), name, hc, 45, 46, 1234567, place);
        }
        MessageBox::takeShown();
    }
    void cleanup() { endWindowTest(m_db); }

    // Each copy is a print job of its own; one that fails is told and leaves nothing on paper.
    // Copies chosen, the copy whose drawing fails (-1: the printer cannot start), what the paper
    // then shows: cancelled, three copies, the second failing, the only one failing.
    void copiesAreJobsOfTheirOwnAndAFailingOneIsTold_data()
    {
        QTest::addColumn<QVector<int>>("chosenFailingOnPaper");
        for (const QVector<int> &row : {QVector<int>{0, 0, 0}, {3, 0, 3}, {3, 2, 3}, {1, 1, 0}, {2, -1, 0}})
            QTest::addRow("%d copies, %d failing", row[0], row[1]) << row;
    }
    void copiesAreJobsOfTheirOwnAndAFailingOneIsTold()
    {
        QFETCH(QVector<int>, chosenFailingOnPaper);
        const int chosen = chosenFailingOnPaper[0], failing = chosenFailingOnPaper[1];
        QTemporaryDir dir;
        const QString pdf = dir.filePath(failing < 0 ? "missing/paper.pdf" : "paper.pdf");
        std::vector<Copy> copies;
        recordCopies(copies, chosen, pdf);
        bool hourglass = true;
        const bool printed = PrintCommand::run(nullptr, [&](PrintCanvas &canvas) {
            hourglass = hourglass && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            const int copy = int(copies.size()) + 1;
            canvas.printLine({{3, QString::number(copy)}});
            if (copy == failing)
                throw PrintError("printer fault");
        });
        QCOMPARE(printed, chosen > 0);
        QVERIFY(hourglass && !QApplication::overrideCursor());
        QCOMPARE(int(copies.size()), chosen);
        QStringList told;
        for (const MessageBox::Shown &shown : MessageBox::takeShown())
            told << shown.text;
        QCOMPARE(told, QStringList(failing < 0 ? chosen : int(failing > 0), "印刷が出来ません"));
        QCOMPARE(pdfWords(pdf).value(0).text, chosenFailingOnPaper[2] ? QString::number(chosenFailingOnPaper[2]) : "");
    }

    // At each print size, the table on the paper with every text whole inside its cell; then, with
    // rows beyond one page, continued on the next pages under their header, nothing beyond the paper.
    void thePaperShowsEveryTextInsideItsCellOnEveryPage_data()
    {
        QTest::addColumn<QString>("printout");
        QTest::addColumn<int>("printSize");
        for (const char *printout : {"sheet", "list", "annual"}) {
            for (int size : {50, 100, 200})
                QTest::addRow("%s at %d%%", printout, size) << QString::fromLatin1(printout) << size;
        }
    }
    void thePaperShowsEveryTextInsideItsCellOnEveryPage()
    {
        QFETCH(QString, printout);
        QFETCH(int, printSize);
        QTemporaryDir dir;
        std::vector<Copy> copies;
        recordCopies(copies, 1, dir.filePath("paper.pdf"));
        QVector<QStringList> rows = rowsOf(printout);
        PrintCommand::run(nullptr, printoutOf(printout, rows, printSize));
        QSizeF page;
        const QVector<Word> words = pdfWords(dir.filePath("paper.pdf"), &page);
        const QString offence = offCellTexts(words, copies.at(0).lines, rows);
        QVERIFY2(offence.isEmpty(), qPrintable(offence));
        QCOMPARE(page.width() > page.height(), printout == "annual");
        for (const Copy::Line &line : copies.at(0).lines)
            QVERIFY(qMax(line.x1, line.x2) * 6 < page.width() && qMax(line.y1, line.y2) * 12 < page.height());

        const QStringList longest = rows.at(1);
        rows.resize(1);
        for (int member = 1; member <= Members; ++member) {
            rows.append(longest);
            rows.last()[printout == "sheet" ? 1 : 0] = QStringLiteral("会員%1").arg(member);
        }
        recordCopies(copies, 1);
        PrintCommand::run(nullptr, printoutOf(printout, rows, printSize));
        const Copy &copy = copies.at(1);
        QVERIFY(copy.pages >= 2);
        QStringList names;
        QVector<int> headers(copy.pages);
        for (const Copy::Text &text : copy.texts) {
            headers[text.page] += text.text == "氏名";
            if (text.text.startsWith("会員"))
                names << text.text;
            QVERIFY(text.y + text.height <= copy.paperHeight);
        }
        QCOMPARE(headers, QVector<int>(copy.pages, 1));
        QCOMPARE(names.size(), Members);
        QCOMPARE(names.last(), QStringLiteral("会員%1").arg(Members));
        for (const Copy::Line &line : copy.lines)
            QVERIFY(line.y2 <= copy.paperHeight);
    }

    // The arrow's preview, and its PDF and CSV copies under the name it proposes; then Ctrl+P
    // prints the rows as the window shows them (where the highlight goes then is in tst_scoresheet).
    // The date picker's weekdays in Japanese are checked in tst_monthwindow.
    void theArrowPreviewsAndSavesAndCtrlPPrintsTheRowsShown_data()
    {
        QTest::addColumn<QString>("document");     // the name proposed, without its extension
        QTest::addColumn<QVector<int>>("printed"); // the columns printed (empty cells are not); none: every one
        QTest::newRow("sheet") << "2003年5月_月例会" << QVector<int>{};
        QTest::newRow("list") << "メンバー" << QVector<int>{0, 3}; // no kana, no birthday
        QTest::newRow("annual") << "2003年度_年間集計" << QVector<int>{};
    }
    void theArrowPreviewsAndSavesAndCtrlPPrintsTheRowsShown()
    {
        const QString printout = QTest::currentDataTag();
        QFETCH(QString, document);
        QFETCH(QVector<int>, printed);
        SplitButton &button = openWindow(printout);
        QWidget &window = *button.window();
        const GridView &grid = *window.findChild<GridView *>();
        const auto trigger = [&](const QString &command) {
            for (QAction *action : button.menu()->actions())
                if (action->text() == command)
                    action->trigger();
        };
        QStringList preview;
        onNextDialog<QPrintPreviewDialog>([&](QPrintPreviewDialog *dialog) {
            const auto *pages = dialog->findChild<QPrintPreviewWidget *>();
            preview << QString::number(pages->pageCount()) << QString::number(pages->orientation());
            dialog->reject();
        });
        trigger("印刷プレビュー");
        QCOMPARE(preview, (QStringList{"1", printout == "annual" ? "1" : "0"})); // one page, landscape

        // The file dialog answered in turn: the PDF into a missing folder, then saved and its folder
        // opened with the desktop's opener (a stand-in); the CSV cancelled, into a missing folder,
        // saved where no opener is.
        QTemporaryDir dir;
        QVERIFY(QFile::link("/bin/true", dir.filePath("xdg-open")));
        QDesktopServices::setUrlHandler("file", this, "openUrl");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", dir.path().toLocal8Bit());
        MessageBox::queueAnswer(QMessageBox::Ok);
        MessageBox::queueAnswer(QMessageBox::Open);
        QStringList answers = {dir.filePath("missing/copy.pdf"), dir.filePath("copy.pdf"), "",
                               dir.filePath("missing/copy.csv"), dir.filePath("copy.csv")};
        QStringList proposed;
        FileDialogs::setAnswer([&](const QString &, const QString &proposal, const QString &) {
            proposed << proposal;
            return answers.takeFirst();
        });
        trigger("PDFに保存");
        trigger("PDFに保存");
        qputenv("PATH", dir.filePath("missing").toLocal8Bit());
        for (int save = 0; save < 3; ++save)
            trigger("CSVに保存");
        qputenv("PATH", path);
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(proposed, QStringList(2, FileDialogs::inDocuments(document + ".pdf"))
                               + QStringList(3, FileDialogs::inDocuments(document + ".csv")));
        QStringList told;
        for (const MessageBox::Shown &shown : MessageBox::takeShown())
            told << shown.text.section("（", 0, 0) + shown.choices.join('|');
        QCOMPARE(told, (QStringList{"印刷が出来ません",
                                    "「" + dir.filePath("copy.pdf") + "」に保存しました。フォルダを開く|OK",
                                    "「" + dir.filePath("missing/copy.csv") + "」に保存できません",
                                    "「" + dir.filePath("copy.csv") + "」に保存しました。"}));
        QCOMPARE(std::exchange(m_opened, {}), QList<QUrl>{QUrl::fromLocalFile(dir.path())});
        QProcess pdfinfo;
        pdfinfo.start("pdfinfo", {dir.filePath("copy.pdf")});
        QVERIFY(pdfinfo.waitForFinished());
        QVERIFY(pdfinfo.readAllStandardOutput().simplified().startsWith("Title: " + document.toUtf8() + " "));
        // The annual places as text, in a column after each month's: in kana order 佐藤, 鈴木 and
        // 田中 came third, first and second in May; the other months show their headers only.
        QVector<QStringList> rows = readWithPython(dir.filePath("copy.csv"));
        QStringList mayPlaces, otherPlaces;
        for (QStringList &row : rows) {
            for (int month = 12; month >= 1 && printout == "annual"; --month)
                (month == 5 ? mayPlaces : otherPlaces) << row.takeAt(4 + 2 * (month - 1));
        }
        QVector<QStringList> shownRows = shownTable(grid);
        for (QStringList &row : shownRows)
            row.replaceInStrings(QRegularExpression("^="), "'="); // the HC -2 stays a number
        QCOMPARE(rows, shownRows);
        QCOMPARE(mayPlaces, printout == "annual" ? QStringList({"5月順位", "3位", "優勝", "準優勝"}) : QStringList());
        QCOMPARE(otherPlaces.size() - otherPlaces.count(QString()), printout == "annual" ? 11 : 0);

        std::vector<Copy> copies;
        recordCopies(copies, 1);
        showActive(&window);
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(int(copies.size()), 1); // a shortcut presses its button after a blink
        QStringList shown, texts;
        for (const QStringList &row : shownTable(grid)) {
            for (int column = 0; column < row.size(); ++column) {
                if ((printed.isEmpty() || printed.contains(column)) && !row[column].isEmpty())
                    shown << row[column];
            }
        }
        QHash<QString, Copy::Text> at;
        for (const Copy::Text &text : copies.at(0).texts) {
            texts << text.text;
            at[text.text] = text;
        }
        QVERIFY2(texts.first().endsWith(window.windowTitle()), qPrintable(texts.first())); // under its caption
        QCOMPARE(texts.mid(texts.size() - shown.size()), shown);
        // The annual places boxed in their colours, in the row of their member inside the May cell,
        // clear of every rule.
        QVector<Copy::Line> boxes, rules;
        for (const Copy::Line &line : copies.at(0).lines)
            (line.color == QColor(Qt::black) ? rules : boxes) << line;
        QCOMPARE(boxes.size(), printout == "annual" ? 3 : 0);
        const QHash<QString, QColor> colours = {
            {"佐藤, \"一郎\"", Qt::yellow}, {"=鈴木花子", Qt::red}, {" 田中\n三郎", Qt::blue}};
        for (const Copy::Line &box : boxes) {
            const double y = at.value(colours.key(box.color)).y;
            const Copy::Text may = at.value("5月");
            QVERIFY(box.y1 > y && box.y2 < y + may.height && box.x1 < may.x && may.x < box.x2);
            for (const Copy::Line &rule : rules)
                QVERIFY(rule.box || rule.x1 != rule.x2 || rule.x1 < box.x1 || rule.x1 > box.x2);
        }

        // Every shortcut an arrow shows reaches its command from every control that takes the
        // focus, the text boxes included (what the commands do is checked above).
        window.findChild<GridView *>()->selectOnly(0, 0);
        QVector<QAction *> commands; // undo and redo are off: nothing was changed yet
        for (const SplitButton *arrow : window.findChildren<SplitButton *>()) {
            for (QAction *command : arrow->menu()->actions())
                if (command->isEnabled() && !command->isSeparator())
                    commands << command;
        }
        QStringList missed;
        ClaimingEveryKey claiming;
        for (QWidget *control : window.findChildren<QWidget *>()) {
            if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisibleTo(&window) || !control->isEnabled())
                continue;
            control->setFocus();
            QWidget *focused = QApplication::focusWidget(); // an editable list's box: the list
            focused->installEventFilter(&claiming);
            if (focused != control && focused != control->parentWidget())
                missed << QStringLiteral("no focus: %1").arg(control->metaObject()->className());
            for (QAction *command : commands) {
                QObject::disconnect(command, &QAction::triggered, nullptr, nullptr);
                QSignalSpy reached(command, &QAction::triggered);
                QTest::keySequence(focused, command->shortcut());
                if (reached.isEmpty())
                    missed << control->metaObject()->className() + (" " + command->shortcut().toString());
            }
        }
        QCOMPARE(missed, QStringList());
        QCOMPARE(commands.size(), printout == "list" ? 5 : 3);
    }

    // Side prizes chosen in the settings: the close box keeps none, a refused place keeps the prize
    // dialog open, OK stores them. Then June's sheet names them in its 賞 column (the bulk-added row
    // without a score counts for none), the paper in a 賞 cell that widens the frame, the CSV copy
    // in the same column; the column's width is kept under its own key.
    void sidePrizesReachTheSheetItsPaperAndItsCsv()
    {
        const qint16 june = CourseTable::insert(2003, 6, "2003/6/15", "西コース");
        for (const auto &[name, hc, out, in] : {std::tuple("山本", 0, 0, 0), {"青木", 20, 45, 45}, {"石井", 20, 46, 46},
                                                {"上田", 20, 47, 47}, {"江藤", 12, 44, 44}, {"小川", 20, 50, 50}})
            addScore(june, MemberTable::insert(name, name, "1950/1/1", hc), name, hc, out, in);
        QStringList offered, stored;
        for (const bool ok : {false, true}) {
            auto &form = showWindow<SettingsDialog>(settings());
            onNextDialog<SidePrizeDialog>([&](SidePrizeDialog *prizes) {
                offered << QString::number(prizes->bestGrossCheck->isChecked()
                                           + 2 * prizes->noFlyingRadio->isChecked());
                for (QAbstractButton *choice :
                     std::initializer_list<QAbstractButton *>{prizes->bestGrossCheck, prizes->leaveOutPlacesCheck,
                                                              prizes->boobyMakerCheck, prizes->flyingPlacesRadio})
                    choice->setChecked(true);
                prizes->flyingPlacesEdit->setText("4,0");
                prizes->okButton->click();
                offered << QString::number(MessageBox::takeShown().size()) << (prizes->isVisible() ? "open" : "closed");
                prizes->flyingPlacesEdit->setText("9、4");
                prizes->okButton->click();
            });
            form.prizesButton->click();
            if (ok)
                form.okButton->click();
            else
                form.close();
            for (const char *key :
                 {"prizeBestGross", "prizeBestGrossOthers", "prizeBB", "prizeBM", "prizeFlying", "prizeFlyingEvery"})
                stored << SettingsStore::read(key, "-");
        }
        QCOMPARE(offered, (QStringList{"2", "1", "open", "2", "1", "open"}));
        QCOMPARE(stored, QStringList(6, "-") + QStringList({"1", "1", "0", "1", "4,9", "0"}));
        QCOMPARE(SettingsRecord::load().sidePrizes.flyingPlaces, settings().sidePrizes.flyingPlaces);

        ScoreSheetWindow *sheet = &openSheet(2003, 6);
        QCOMPARE(shownColumn(*sheet->scoreGrid, 9), (QStringList{"", "", "", "", "ベスグロ・飛び賞", "BM"}));
        QTemporaryDir dir;
        std::vector<Copy> copies;
        recordCopies(copies, 1, dir.filePath("paper.pdf"));
        sheet->print();
        const QString offence =
            offCellTexts(pdfWords(dir.filePath("paper.pdf")), copies.at(0).lines, shownTable(*sheet->scoreGrid));
        QVERIFY2(offence.isEmpty(), qPrintable(offence));
        FileDialogs::setAnswer(
            [&](const QString &, const QString &, const QString &) { return dir.filePath("copy.csv"); });
        for (QAction *action : sheet->printButton->menu()->actions())
            if (action->text() == "CSVに保存")
                action->trigger();
        QCOMPARE(readWithPython(dir.filePath("copy.csv")), shownTable(*sheet->scoreGrid));

        sheet->scoreGrid->setColumnTwips(9, 1500);
        sheet->closeButton->click();
        flushDeletes();
        sheet = &openSheet(2003, 6);
        QCOMPARE(sheet->scoreGrid->columnTwips(9), 1500);
        QCOMPARE(SettingsStore::read("ScoreGridColWidth9", "-"), "-");
    }

    // Its buttons translated as every Qt dialog's are, and the name proposed already in the box. A
    // folder's type in it, and the printer dialog's page and double-sided choices, from the
    // program's own translation, where Qt's has none.
    void theDialogsSpeakJapaneseAndTheSaveDialogProposesTheName()
    {
        QStringList buttons;
        QString selected;
        onNextDialog<QFileDialog>([&](QFileDialog *dialog) {
            for (const QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons())
                buttons << button->text();
            selected = dialog->selectedFiles().value(0);
            dialog->reject();
        });
        const QString proposal = FileDialogs::inDocuments("メンバー.pdf");
        QCOMPARE(FileDialogs::saveFileName(nullptr, "PDFに保存", proposal, "PDF (*.pdf)"), QString());
        QCOMPARE(buttons, QStringList({"保存(&S)", "キャンセル"}));
        // A folder's type in its list, as its file model asks Qt's icon provider.
        QCOMPARE(QAbstractFileIconProvider().type(QFileInfo(QDir::homePath())), "フォルダ");
        QCOMPARE(selected, proposal);

        const QPrintDialog print; // on the default printer
        QStringList labels = {print.findChild<QGroupBox *>("duplex")->title()};
        for (const char *name : {"noDuplex", "duplexLong", "duplexShort", "pagesRadioButton"})
            labels << print.findChild<QRadioButton *>(name)->text();
        QCOMPARE(labels, QStringList({"両面印刷", "しない", "長辺綴じ", "短辺綴じ", "ページ指定"}));
    }
};

PARVELA_TEST_MAIN(PrintingTest)
#include "tst_printing.moc"
