#pragma once

#include "platform/print/printcanvas.h"

#include <functional>
#include <memory>

class GridView;
class QPrinter;
class QWidget;
class SplitButton;

namespace PrintCommand {

// Draws one copy of a printout on a canvas, from rows the window handed over beforehand.
using Printout = std::function<void(PrintCanvas &)>;
// Shows the printer dialog; returns the number of copies chosen, 0 when the user cancelled.
using Chooser = std::function<int(QPrinter &printer, QWidget *parent)>;
// Makes the canvas one copy is drawn on.
using CanvasFactory = std::function<std::unique_ptr<PrintCanvas>(QPrinter &printer)>;

// Test seams; an empty function restores the real dialog or canvas.
void setChooser(Chooser chooser);
void setCanvasFactory(CanvasFactory factory);

// A print button: the printer dialog (cancel ends silently), then one document per copy,
// each drawn by printout. A failing copy is discarded and reported once; the next copy is
// tried afresh. Returns whether the user chose to print.
bool run(QWidget *parent, const Printout &printout);
// Qt's print preview, drawn by the same printout on the preview's printer.
void preview(QWidget *parent, const Printout &printout);
// One copy into a PDF file, in one step: a file dialog proposes `documentName` with ".pdf" in
// the user's documents folder; no printer dialog. The PDF's title is the document's name, and
// where it went is told.
void saveAsPdf(QWidget *parent, const QString &documentName, const Printout &printout);

// Gives a window's print button its shortcut (Ctrl+P) and tooltip; its arrow offers the preview
// and the PDF of what `printout` gives at that moment, proposed under the name `documentName`
// gives (without its extension: the CSV copy shares it).
void equipButton(SplitButton &button, const std::function<Printout()> &printout,
                 const std::function<QString()> &documentName);

// After a printout the grid's last row is current, as the printout read it last: highlighted
// and scrolled into view, so that what the user sees is what edit and delete act on.
void makeLastRowCurrent(GridView &grid);

} // namespace PrintCommand
