#include "platform/gui/printcommand.h"

#include "platform/gui/filedialogs.h"
#include "platform/gui/gridview.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/splitbutton.h"
#include "platform/gui/widgets.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

PrintCommand::Chooser g_chooser;
PrintCommand::CanvasFactory g_canvasFactory;

int chooseWithDialog(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    return qMax(1, printer.copyCount());
}

void setUpPage(QPrinter &printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    const double margin = PrintCanvas::PageMarginMillimetres;
    printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
}

// One document on the printer. A failure discards it and is told once; returns whether the
// document was made.
bool printCopy(QWidget *parent, QPrinter &printer, const PrintCommand::Printout &printout)
{
    bool failed = false;
    {
        WaitCursor hourglass;
        std::unique_ptr<PrintCanvas> canvas =
            g_canvasFactory ? g_canvasFactory(printer) : std::make_unique<PainterCanvas>(printer);
        try {
            printout(*canvas);
            canvas->endDocument();
        } catch (const PrintError &) {
            canvas->cancelDocument();
            failed = true;
        }
    }
    if (failed)
        MessageBox::critical(parent, QStringLiteral("Parvela"), QStringLiteral("印刷が出来ません"));
    return !failed;
}

} // namespace

namespace PrintCommand {

void setChooser(Chooser chooser)
{
    g_chooser = std::move(chooser);
}

void setCanvasFactory(CanvasFactory factory)
{
    g_canvasFactory = std::move(factory);
}

bool run(QWidget *parent, const Printout &printout)
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPage(printer);
    const int copies = g_chooser ? g_chooser(printer, parent) : chooseWithDialog(printer, parent);
    if (copies <= 0)
        return false;
    // Each copy is a print job of its own.
    printer.setCopyCount(1);
    for (int copy = 0; copy < copies; ++copy)
        printCopy(parent, printer, printout);
    return true;
}

void preview(QWidget *parent, const Printout &printout)
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPage(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&](QPrinter *target) { printCopy(parent, *target, printout); });
    dialog.exec();
}

void saveAsPdf(QWidget *parent, const QString &documentName, const Printout &printout)
{
    const QString path = FileDialogs::saveFileName(parent, QStringLiteral("PDFに保存"),
                                                   FileDialogs::inDocuments(documentName + QStringLiteral(".pdf")),
                                                   QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    setUpPage(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(documentName);
    if (printCopy(parent, printer, printout))
        MessageBox::tellSaved(parent, path);
}

void equipButton(SplitButton &button, const std::function<Printout()> &printout,
                 const std::function<QString()> &documentName)
{
    button.setShortcut(QKeySequence::Print);
    button.setToolTip(QStringLiteral("プリンターと部数を選んで印刷します (Ctrl+P)"));
    // The commands' shortcuts reach the window even while the button is off (a table that
    // could not be read): they then do nothing, as the button does.
    QWidget *parent = button.window();
    button.addCommand(QStringLiteral("印刷プレビュー"), QStringLiteral("印刷される紙面を画面で確かめます"),
                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), [&button, parent, printout] {
                          if (button.isEnabled())
                              preview(parent, printout());
                      });
    button.addCommand(QStringLiteral("PDFに保存"),
                      QStringLiteral("印刷される紙面をPDFファイルに保存します (プリンターは使いません)"),
                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), [&button, parent, printout, documentName] {
                          if (button.isEnabled())
                              saveAsPdf(parent, documentName(), printout());
                      });
}

void makeLastRowCurrent(GridView &grid)
{
    const QAbstractItemModel *rows = grid.model();
    grid.selectOnly(rows->rowCount() - 1, rows->columnCount() - 1);
}

} // namespace PrintCommand
