#pragma once

// Copies printed through the print command, kept on recording canvases instead of a printer.

#include "platform/gui/filedialogs.h"
#include "platform/gui/printcommand.h"
#include "recordingcanvas.h"

#include <vector>

namespace PrintChecks {

struct Copies
{
    std::vector<RecordingCanvas> canvases;
};

class KeptCanvas : public RecordingCanvas
{
public:
    KeptCanvas(QPrinter &printer, Copies &copies)
        : RecordingCanvas(printer)
        , m_copies(copies)
    {
    }
    ~KeptCanvas() override { m_copies.canvases.push_back(*this); }

private:
    Copies &m_copies;
};

// The printer dialog answers `count` copies, printed into the PDF file `pdf` when one is given.
inline void recordCopies(Copies &copies, int count, const QString &pdf = {})
{
    PrintCommand::setChooser([count, pdf](QPrinter &printer, QWidget *) {
        printer.setOutputFileName(pdf);
        return count;
    });
    PrintCommand::setCanvasFactory([&copies](QPrinter &printer) -> std::unique_ptr<PrintCanvas> {
        return std::make_unique<KeptCanvas>(printer, copies);
    });
}

inline void restoreSeams()
{
    PrintCommand::setChooser({});
    PrintCommand::setCanvasFactory({});
    FileDialogs::setAnswer({});
}

} // namespace PrintChecks
