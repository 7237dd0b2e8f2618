#include "parvelatest.h"
#include "printchecks.h"

#include "platform/gui/messagebox.h"
#include "platform/print/printcanvas.h"

#include <QFile>
#include <QPrinter>

using namespace PrintChecks;

class PrintingTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::takeShown(); }
    void cleanup() { restoreSeams(); }

    void cancellingTheDialogPrintsNothing()
    {
        bool canvasMade = false;
        int drawn = 0;
        PrintCommand::setChooser([](QPrinter &, QWidget *) { return 0; });
        PrintCommand::setCanvasFactory([&](QPrinter &) -> std::unique_ptr<PrintCanvas> {
            canvasMade = true;
            return std::make_unique<RecordingCanvas>();
        });
        PrintCommand::run(nullptr, [&](PrintCanvas &) { ++drawn; });
        QCOMPARE(drawn, 0);
        QVERIFY(!canvasMade);
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void eachCopyIsADocumentOfItsOwn()
    {
        Copies copies;
        recordCopies(copies, 3);
        int drawn = 0;
        bool hourglass = true;
        PrintCommand::run(nullptr, [&](PrintCanvas &canvas) {
            ++drawn;
            hourglass = hourglass && QApplication::overrideCursor()
                        && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            canvas.setFontSize(15);
            canvas.setCurrentY(1);
            canvas.printLine({{3, QStringLiteral("優勝")}});
            canvas.setLineWidth(4);
            canvas.drawBox(1, 1, 10, 5);
        });
        QCOMPARE(drawn, 3);
        QVERIFY(hourglass);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(int(copies.canvases.size()), 3);
        for (const RecordingCanvas &copy : copies.canvases) {
            QVERIFY(copy.ended());
            QVERIFY(!copy.cancelled());
            QCOMPARE(copy.texts().size(), 1);
            QCOMPARE(copy.texts().first().text, QStringLiteral("優勝"));
            QCOMPARE(copy.lines().size(), 1);
        }
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void aFailingCopyIsReportedOnceAndDiscarded_data()
    {
        QTest::addColumn<int>("failingOperation");
        QTest::newRow("setting the font") << 1;
        QTest::newRow("drawing") << 3;
        QTest::newRow("ending the document") << 5; // font, text, width, box, end
    }
    void aFailingCopyIsReportedOnceAndDiscarded()
    {
        QFETCH(int, failingOperation);
        Copies copies;
        copies.failingCopy = 2;
        copies.failingOperation = failingOperation;
        recordCopies(copies, 3);
        PrintCommand::run(nullptr, [&](PrintCanvas &canvas) {
            canvas.setFontSize(15);
            canvas.printLine({{1, QStringLiteral("メンバー")}});
            canvas.setLineWidth(4);
            canvas.drawBox(1, 1, 10, 5);
        });
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(int(copies.canvases.size()), 3);
        QVERIFY(copies.canvases[0].ended());
        QVERIFY(!copies.canvases[1].ended());
        QVERIFY(copies.canvases[1].cancelled());
        QVERIFY(copies.canvases[2].ended());
        QVERIFY(!copies.canvases[2].cancelled());
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().icon, QMessageBox::Critical);
        QCOMPARE(shown.first().title, QStringLiteral("Parvela"));
        QCOMPARE(shown.first().text, QStringLiteral("印刷が出来ません"));
    }

    void theRealCanvasMeasuresInCharacterUnits()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        PainterCanvas canvas(printer);
        canvas.setFontSize(15);
        // 15 points of a full-width character are 15/72 inch: 2.5 units of 1/12 inch.
        QVERIFY(qAbs(canvas.textWidth(QStringLiteral("あ")) - 2.5) < 0.01);
        QVERIFY(qAbs(canvas.columnX(3) - 2 * 0.45 * canvas.textWidth(QStringLiteral("あ"))) < 1e-9);
        const double v15 = canvas.textHeight(QStringLiteral("あ"));
        QVERIFY(v15 > 1.0 && v15 < 1.6);
        canvas.setFontSize(7.5);
        QVERIFY(qAbs(canvas.textWidth(QStringLiteral("あ")) - 1.25) < 0.01);
        QVERIFY(qAbs(canvas.textHeight(QStringLiteral("あ")) - v15 / 2) < 0.02);
        canvas.setLandscape(true);
        QVERIFY(canvas.pageWidth() > canvas.pageHeight() * 2);
        canvas.drawLine(1, 1, 2, 2, Qt::black);
        QVERIFY_THROWS_EXCEPTION(PrintError, canvas.setLandscape(false));
        canvas.cancelDocument();
    }

    void aDocumentFailingHalfWayLeavesNoFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        printToPdf(path);
        PrintCommand::run(nullptr, [&](PrintCanvas &canvas) {
            canvas.setFontSize(15);
            canvas.printLine({{1, QStringLiteral("途中")}});
            canvas.drawBox(1, 1, 10, 5);
            throw PrintError("printer fault");
        });
        QVERIFY(!QFile::exists(path));
        QCOMPARE(MessageBox::takeShown().size(), 1);

        PrintCommand::run(nullptr, [&](PrintCanvas &canvas) {
            canvas.setFontSize(15);
            canvas.printLine({{1, QStringLiteral("完成")}});
        });
        QVERIFY(QFile::exists(path));
        QVERIFY(MessageBox::takeShown().isEmpty());
        QVERIFY(pdfText(path).contains(QStringLiteral("完成")));
    }

    void aPrinterThatCannotStartReportsEachCopy()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/folder/sheet.pdf"));
        PrintCommand::setChooser([path](QPrinter &printer, QWidget *) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return 2;
        });
        int drawn = 0;
        PrintCommand::run(nullptr, [&](PrintCanvas &canvas) {
            ++drawn;
            canvas.setFontSize(15);
            canvas.printLine({{1, QStringLiteral("印刷")}});
        });
        QCOMPARE(drawn, 2);
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2);
        for (const MessageBox::Shown &box : shown)
            QCOMPARE(box.text, QStringLiteral("印刷が出来ません"));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
};

PARVELA_TEST_MAIN(PrintingTest)
#include "tst_printing.moc"
