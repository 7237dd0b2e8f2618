#pragma once

// Shared by the printing tests: canvases kept after each copy, a PDF printer behind the
// dialog seam, the poppler tools that read a PDF back, and the checks on ruling, cells and
// failure messages that every printed layout must pass.

#include "platform/gui/messagebox.h"
#include "platform/gui/printcommand.h"
#include "platform/print/printcanvas.h"
#include "recordingcanvas.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
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
    explicit KeptCanvas(Copies &copies)
        : m_copies(copies)
    {
    }
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
            if (!line.box && line.page == text.page && std::abs(line.x1 - line.x2) < eps && line.y1 <= text.y + eps
                && line.y2 > text.y + eps)
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

// Coordinates computed the way the layout computes them agree to far better than this.
inline bool near(double a, double b)
{
    return qAbs(a - b) < 1e-9;
}

// A line a layout is expected to draw; black unless a coloured box is meant.
struct Rule
{
    double x1, y1, x2, y2;
    int width;
    bool box;
    QColor color = Qt::black;
};

// Compares the drawn lines with the expected rules, in order. Returns the first line that
// differs, with what was expected there; empty when all agree.
inline QString ruleDifferences(const QVector<RecordingCanvas::Line> &drawn, const QVector<Rule> &expected)
{
    if (drawn.size() != expected.size())
        return QStringLiteral("%1 lines drawn, %2 expected").arg(drawn.size()).arg(expected.size());
    for (int i = 0; i < drawn.size(); ++i) {
        const RecordingCanvas::Line &d = drawn.at(i);
        const Rule &e = expected.at(i);
        if (!near(d.x1, e.x1) || !near(d.y1, e.y1) || !near(d.x2, e.x2) || !near(d.y2, e.y2) || d.width != e.width
            || d.box != e.box || d.color != e.color)
            return QStringLiteral("line %1: (%2,%3)-(%4,%5) w%6 %7, expected (%8,%9)-(%10,%11) w%12 %13")
                .arg(i)
                .arg(d.x1)
                .arg(d.y1)
                .arg(d.x2)
                .arg(d.y2)
                .arg(d.width)
                .arg(d.color.name())
                .arg(e.x1)
                .arg(e.y1)
                .arg(e.x2)
                .arg(e.y2)
                .arg(e.width)
                .arg(e.color.name());
    }
    return {};
}

// A failed copy is told once, as a critical "印刷が出来ません" under the program's title, and
// leaves no wait cursor behind. Takes the messages shown; returns the first way they differ
// from that, empty when the failure was told as it should be.
inline QString printFailureReportProblems()
{
    const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
    if (shown.size() != 1)
        return QStringLiteral("%1 messages shown, 1 expected").arg(shown.size());
    if (shown.first().icon != QMessageBox::Critical)
        return QStringLiteral("icon %1, Critical expected").arg(int(shown.first().icon));
    if (shown.first().title != QStringLiteral("Parvela"))
        return QStringLiteral("title \"%1\"").arg(shown.first().title);
    if (shown.first().text != QStringLiteral("印刷が出来ません"))
        return QStringLiteral("text \"%1\"").arg(shown.first().text);
    if (QApplication::overrideCursor() != nullptr)
        return QStringLiteral("the wait cursor is still shown");
    return {};
}

// The width of "あ" in the face the PDF embeds, at `pointSize`, in points: the unit the
// layout's columns are measured in, which the recording canvas's face only stands in for.
inline double realFaceUnit(double pointSize)
{
    QPrinter printer(QPrinter::HighResolution);
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic")});
    font.setPointSizeF(pointSize);
    return QFontMetricsF(font, &printer).horizontalAdvance(QStringLiteral("あ")) * 72.0 / printer.resolution();
}

// Where the printable area starts on the PDF page, in points from the page's edge.
inline double pageMarginPoints()
{
    return PrintCanvas::PageMarginMillimetres * 72 / 25.4;
}

// Checks that each caption of a header row starts inside its ruled cell in the PDF: the first
// cell runs from 6 pt inside the frame, each cell ends at its own right rule (given in units u
// from the printable area's edge). Returns the first offence, empty when there is none.
inline QString captionsOutsideTheirCells(const QString &path, const QStringList &captions,
                                         const QVector<double> &rightRules, double u)
{
    const double margin = pageMarginPoints();
    const QVector<Word> words = pdfWords(path);
    for (int c = 0; c < captions.size(); ++c) {
        const auto found =
            std::find_if(words.begin(), words.end(), [&](const Word &w) { return w.text == captions.at(c); });
        if (found == words.end())
            return QStringLiteral("%1 is not in the PDF").arg(captions.at(c));
        const double left = margin + (c == 0 ? 6.0 : rightRules.at(c - 1) * u);
        const double right = margin + rightRules.at(c) * u;
        if (!(found->xMin > left && found->xMin < right))
            return QStringLiteral("%1 at %2 pt, cell %3-%4").arg(captions.at(c)).arg(found->xMin).arg(left).arg(right);
    }
    return {};
}

} // namespace PrintChecks
