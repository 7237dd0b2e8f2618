#include "platform/print/printcanvas.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

namespace {

QFont printFont(double points)
{
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")});
    font.setPointSizeF(points);
    return font;
}

} // namespace

void PrintCanvas::printLine(const QVector<PrintItem> &items)
{
    const double fullWidth = textWidth(QStringLiteral("あ"));
    for (const PrintItem &item : items) {
        if (item.text.isEmpty())
            continue;
        const double x = (item.column - 1) * m_columnUnit * fullWidth;
        double condense = 1;
        // Measuring is a text layout each: only a text that might not fit is measured.
        if (item.right > x && x + item.text.size() * widestCharacter() > item.right) {
            const double width = textWidth(item.text);
            // A condensed text keeps a little air before the edge it would otherwise touch.
            const double room = item.right - x > 2 * CondensedAir * fullWidth
                                    ? item.right - x - CondensedAir * fullWidth
                                    : item.right - x;
            if (x + width > item.right)
                condense = room / width;
        }
        drawText(x, m_currentY, item.text, condense);
    }
    m_currentY += textHeight(QStringLiteral("あ"));
}

PainterCanvas::PainterCanvas(QPrinter &printer)
    : m_printer(printer)
    , m_dotsPerInch(printer.resolution())
{
    setFontSize(m_fontSize);
}

PainterCanvas::~PainterCanvas() = default;

void PainterCanvas::setLandscape(bool landscape)
{
    if (!m_operations.isEmpty())
        throw PrintError("orientation changed after drawing started");
    if (!m_printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait))
        throw PrintError("the printer refused the orientation");
}

void PainterCanvas::setFontSize(double points)
{
    if (!(points > 0))
        throw PrintError("no font size");
    if (m_metrics && points == m_fontSize)
        return;
    m_fontSize = points;
    m_font = printFont(points);
    m_metrics.emplace(m_font, &m_printer);
    m_widths.clear();
}

size_t PainterCanvas::TextHash::operator()(const QString &text) const noexcept
{
    size_t hash = 14695981039346656037ULL;
    for (const QChar c : text) {
        hash ^= c.unicode();
        hash *= 1099511628211ULL;
    }
    return hash;
}

double PainterCanvas::textWidth(const QString &text) const
{
    auto known = m_widths.find(text);
    if (known == m_widths.end())
        known = m_widths.emplace(text, m_metrics->horizontalAdvance(text) / unitX()).first;
    return known->second;
}

double PainterCanvas::textHeight(const QString &text) const
{
    Q_UNUSED(text)
    return m_metrics->height() / unitY();
}

double PainterCanvas::widestCharacter() const
{
    return m_metrics->maxWidth() / unitX();
}

double PainterCanvas::dotWidth() const
{
    return 1 / unitX();
}

void PainterCanvas::setLineWidth(int dots)
{
    m_lineWidth = dots;
}

void PainterCanvas::drawLine(double x1, double y1, double x2, double y2, const QColor &color)
{
    appendShape(Operation::Line, x1, y1, x2, y2, color);
}

void PainterCanvas::drawBox(double x1, double y1, double x2, double y2, const QColor &color)
{
    appendShape(Operation::Box, x1, y1, x2, y2, color);
}

void PainterCanvas::appendShape(Operation::Kind kind, double x1, double y1, double x2, double y2, const QColor &color)
{
    Operation operation;
    operation.kind = kind;
    operation.x1 = x1;
    operation.y1 = y1;
    operation.x2 = x2;
    operation.y2 = y2;
    operation.color = color;
    operation.lineWidth = m_lineWidth;
    m_operations.append(operation);
}

void PainterCanvas::drawText(double x, double y, const QString &text, double condense)
{
    Operation operation;
    operation.kind = Operation::Text;
    operation.x1 = x;
    operation.y1 = y;
    operation.text = text;
    operation.fontSize = m_fontSize;
    operation.condense = condense;
    m_operations.append(operation);
}

void PainterCanvas::newPage()
{
    Operation operation;
    operation.kind = Operation::NewPage;
    m_operations.append(operation);
    setCurrentY(0);
}

void PainterCanvas::replay(QPainter &p, const Operation &operation, PainterState &state)
{
    const QPointF from(operation.x1 * unitX(), operation.y1 * unitY());
    const QPointF to(operation.x2 * unitX(), operation.y2 * unitY());
    switch (operation.kind) {
    case Operation::Line:
        p.setPen(QPen(operation.color, operation.lineWidth));
        state.textPen = false;
        p.drawLine(from, to);
        break;
    case Operation::Box:
        p.setPen(QPen(operation.color, operation.lineWidth));
        state.textPen = false;
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(from, to).normalized());
        break;
    case Operation::Text: {
        if (operation.fontSize != state.fontSize) {
            const QFont font = printFont(operation.fontSize);
            p.setFont(font);
            state.fontSize = operation.fontSize;
            state.ascent = QFontMetricsF(font, &m_printer).ascent();
        }
        if (!state.textPen) {
            p.setPen(Qt::black);
            state.textPen = true;
        }
        const QPointF baseline(from.x(), from.y() + state.ascent);
        if (operation.condense < 1) {
            p.save();
            p.translate(baseline);
            p.scale(operation.condense, 1);
            p.drawText(QPointF(0, 0), operation.text);
            p.restore();
        } else {
            p.drawText(baseline, operation.text);
        }
        break;
    }
    case Operation::NewPage:
        if (!m_printer.newPage())
            throw PrintError("the printer cannot start a new page");
        break;
    }
}

void PainterCanvas::endDocument()
{
    QPainter p;
    if (!p.begin(&m_printer))
        throw PrintError("the printer cannot start a document");
    PainterState state;
    try {
        for (const Operation &operation : std::as_const(m_operations)) {
            if (!p.isActive())
                throw PrintError("the printer stopped");
            replay(p, operation, state);
        }
    } catch (const PrintError &) {
        m_printer.abort();
        p.end();
        m_operations.clear();
        throw;
    }
    m_operations.clear();
    if (!p.end())
        throw PrintError("the printer could not finish the document");
}

void PainterCanvas::cancelDocument()
{
    // Nothing has reached the printer before endDocument(); dropping the drawing discards it.
    m_operations.clear();
}

double PainterCanvas::pageWidth() const
{
    return m_printer.pageRect(QPrinter::DevicePixel).width() / unitX();
}

double PainterCanvas::pageHeight() const
{
    return m_printer.pageRect(QPrinter::DevicePixel).height() / unitY();
}
