#pragma once

// Shared by the printing tests: canvases kept after each copy, a PDF printer behind the
// dialog seam, and the poppler tools that read a PDF back.

#include "platform/printcommand.h"
#include "platform/recordingcanvas.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace PrintChecks {

// Every copy printed through PrintCommand, as drawn on a recording canvas. Copy number
// failingCopy (from 1) fails at operation failingOperation.
struct Copies
{
    std::vector<RecordingCanvas> canvases;
    int failingCopy = 0;
    int failingOperation = 1;
    int made = 0;
};

class KeptCanvas : public RecordingCanvas
{
public:
    explicit KeptCanvas(Copies &copies) : m_copies(copies) {}
    ~KeptCanvas() override { m_copies.canvases.push_back(*this); }

private:
    Copies &m_copies;
};

// Routes PrintCommand to `copies` recording canvases; the dialog is answered with `count`.
inline void recordCopies(Copies &copies, int count)
{
    PrintCommand::setChooser([count](QPrinter &, QWidget *) { return count; });
    PrintCommand::setCanvasFactory([&copies](QPrinter &) -> std::unique_ptr<PrintCanvas> {
        auto canvas = std::make_unique<KeptCanvas>(copies);
        if (++copies.made == copies.failingCopy)
            canvas->failAtOperation(copies.failingOperation);
        return canvas;
    });
}

// Routes PrintCommand to the real printer canvas, printing one copy into a PDF file.
inline void printToPdf(const QString &path)
{
    PrintCommand::setCanvasFactory({});
    PrintCommand::setChooser([path](QPrinter &printer, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return 1;
    });
}

inline void restoreSeams()
{
    PrintCommand::setChooser({});
    PrintCommand::setCanvasFactory({});
}

inline QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline QString pdfText(const QString &path)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
}

inline QString pdfFonts(const QString &path)
{
    return run(QStringLiteral("pdffonts"), {path});
}

// Whether pdffonts lists a font of that family as embedded ("emb" column yes).
inline bool pdfEmbedsFont(const QString &path, const QString &family)
{
    const QRegularExpression embedded(QStringLiteral("\\s(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"));
    for (const QString &line : pdfFonts(path).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = embedded.match(line);
        if (line.contains(family) && match.hasMatch() && match.captured(1) == QLatin1String("yes"))
            return true;
    }
    return false;
}

// "Pages:" and "Page size:" of pdfinfo.
inline int pdfPages(const QString &path)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run(QStringLiteral("pdfinfo"), {path}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

inline QSizeF pdfPageSize(const QString &path)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
                                              .match(run(QStringLiteral("pdfinfo"), {path}));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

// Each word of the PDF with the left edge of its box, in points from the page's left edge.
struct Word
{
    QString text;
    double xMin;
    double yMin;
};

inline QVector<Word> pdfWords(const QString &path)
{
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    QVector<Word> words;
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"[\\d.]+\">([^<]*)</word>"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.append({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return words;
}

// Checks that every table text (a text cut at a cell edge) starts strictly inside the cell
// that the drawn frame and vertical rules of its page make, and that the cell's right rule
// is where the text is cut. Returns the first offence, empty when there is none.
inline QString textsOutsideTheirCells(const RecordingCanvas &canvas)
{
    const double eps = 1e-6;
    int checked = 0;
    for (const RecordingCanvas::Text &text : canvas.texts()) {
        if (text.clipRight < 0)
            continue;
        const RecordingCanvas::Line *frame = nullptr;
        for (const RecordingCanvas::Line &line : canvas.lines()) {
            if (line.box && line.color == QColor(Qt::black) && line.page == text.page && text.y >= line.y1 - eps
                && text.y < line.y2 - eps)
                frame = &line;
        }
        if (!frame)
            return QStringLiteral("no frame around \"%1\" at y %2").arg(text.text).arg(text.y);
        std::vector<double> edges = {frame->x1, frame->x2};
        for (const RecordingCanvas::Line &line : canvas.lines()) {
            if (!line.box && line.page == text.page && std::abs(line.x1 - line.x2) < eps
                && line.y1 <= text.y + eps && line.y2 > text.y + eps)
                edges.push_back(line.x1);
        }
        std::sort(edges.begin(), edges.end());
        bool inside = false;
        for (size_t i = 0; i + 1 < edges.size(); ++i) {
            if (text.x > edges[i] + eps && text.x < edges[i + 1] - eps) {
                inside = std::abs(edges[i + 1] - text.clipRight) < eps;
                break;
            }
        }
        if (!inside)
            return QStringLiteral("\"%1\" at x %2 is not inside its cell (cut at %3)")
                .arg(text.text)
                .arg(text.x)
                .arg(text.clipRight);
        ++checked;
    }
    return checked == 0 ? QStringLiteral("no table texts") : QString();
}

} // namespace PrintChecks
