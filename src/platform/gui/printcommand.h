#pragma once

#include "platform/print/printcanvas.h"

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace PrintCommand {

// Shows the printer dialog; returns the number of copies chosen, 0 when the user cancelled.
using Chooser = std::function<int(QPrinter &printer, QWidget *parent)>;
// Makes the canvas one copy is drawn on.
using CanvasFactory = std::function<std::unique_ptr<PrintCanvas>(QPrinter &printer)>;

// Test seams; an empty function restores the real dialog or canvas.
void setChooser(Chooser chooser);
void setCanvasFactory(CanvasFactory factory);

// A print button: the printer dialog (cancel ends silently), then one document per copy,
// each drawn by printpage. A failing copy is discarded and reported once; the next copy is
// tried afresh.
void run(QWidget *parent, const std::function<void(PrintCanvas &)> &printpage);

} // namespace PrintCommand
