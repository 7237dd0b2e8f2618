#include "platform/print/printcanvas.h"

#include <QFontMetricsF>
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

double PrintCanvas::columnX(int column) const
{
    return (column - 1) * m_columnUnit * textWidth(QStringLiteral("あ"));
}

void PrintCanvas::printLine(const QVector<PrintItem> &items)
{
    for (const PrintItem &item : items)
        drawText(columnX(item.column), m_currentY, item.text, item.clipRight);
    m_currentY += textHeight(QStringLiteral("あ"));
}

PainterCanvas::PainterCanvas(QPrinter &printer)
    : m_printer(printer)
{
}

PainterCanvas::~PainterCanvas() = default;

double PainterCanvas::unitX() const
{
    return m_printer.resolution() / 12.0;
}

double PainterCanvas::unitY() const
{
    return m_printer.resolution() / 6.0;
}

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
    m_fontSize = points;
}

double PainterCanvas::textWidth(const QString &text) const
{
    return QFontMetricsF(printFont(m_fontSize), &m_printer).horizontalAdvance(text) / unitX();
}

double PainterCanvas::textHeight(const QString &text) const
{
    Q_UNUSED(text)
    return QFontMetricsF(printFont(m_fontSize), &m_printer).height() / unitY();
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

void PainterCanvas::drawText(double x, double y, const QString &text, double clipRight)
{
    Operation operation;
    operation.kind = Operation::Text;
    operation.x1 = x;
    operation.y1 = y;
    operation.x2 = clipRight;
    operation.text = text;
    operation.fontSize = m_fontSize;
    m_operations.append(operation);
}

void PainterCanvas::newPage()
{
    Operation operation;
    operation.kind = Operation::NewPage;
    m_operations.append(operation);
    setCurrentY(0);
}

void PainterCanvas::replay(QPainter &p, const Operation &operation)
{
    const QPointF from(operation.x1 * unitX(), operation.y1 * unitY());
    const QPointF to(operation.x2 * unitX(), operation.y2 * unitY());
    switch (operation.kind) {
    case Operation::Line:
        p.setPen(QPen(operation.color, operation.lineWidth));
        p.drawLine(from, to);
        break;
    case Operation::Box:
        p.setPen(QPen(operation.color, operation.lineWidth));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(from, to).normalized());
        break;
    case Operation::Text: {
        const QFont font = printFont(operation.fontSize);
        p.setFont(font);
        p.setPen(Qt::black);
        const QFontMetricsF metrics(font, &m_printer);
        const QPointF baseline(from.x(), from.y() + metrics.ascent());
        if (operation.x2 >= 0) {
            p.save();
            p.setClipRect(QRectF(from, QPointF(operation.x2 * unitX(), from.y() + metrics.height())));
            p.drawText(baseline, operation.text);
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
    try {
        for (const Operation &operation : std::as_const(m_operations)) {
            if (!p.isActive())
                throw PrintError("the printer stopped");
            replay(p, operation);
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
