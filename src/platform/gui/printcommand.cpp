#include "platform/gui/printcommand.h"

#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QPrintDialog>
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

void run(QWidget *parent, const std::function<void(PrintCanvas &)> &printpage)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const double margin = PrintCanvas::PageMarginMillimetres;
    printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
    const int copies = g_chooser ? g_chooser(printer, parent) : chooseWithDialog(printer, parent);
    if (copies <= 0)
        return;
    // Each copy is a print job of its own.
    printer.setCopyCount(1);
    for (int copy = 0; copy < copies; ++copy) {
        bool failed = false;
        {
            WaitCursor hourglass;
            std::unique_ptr<PrintCanvas> canvas =
                g_canvasFactory ? g_canvasFactory(printer) : std::make_unique<PainterCanvas>(printer);
            try {
                printpage(*canvas);
                canvas->endDocument();
            } catch (const PrintError &) {
                canvas->cancelDocument();
                failed = true;
            }
        }
        if (failed)
            MessageBox::critical(parent, QStringLiteral("Parvela"), QStringLiteral("印刷が出来ません"));
    }
}

} // namespace PrintCommand
