#include "printcanvas.h"

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
    return (column - 1) * ColumnPerFullWidth * textWidth(QStringLiteral("あ"));
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

PainterCanvas::~PainterCanvas()
{
    delete m_painter;
}

QPainter &PainterCanvas::painter()
{
    if (!m_painter) {
        m_painter = new QPainter;
        if (!m_painter->begin(&m_printer))
            throw PrintError("the printer cannot start a document");
        m_painter->setFont(printFont(m_fontSize));
    }
    if (!m_painter->isActive())
        throw PrintError("the printer stopped");
    return *m_painter;
}

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
    if (m_painter)
        throw PrintError("orientation changed after drawing started");
    m_printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void PainterCanvas::setFontSize(double points)
{
    m_fontSize = points;
    painter().setFont(printFont(points));
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
    QPainter &p = painter();
    p.setPen(QPen(color, m_lineWidth));
    p.drawLine(QPointF(x1 * unitX(), y1 * unitY()), QPointF(x2 * unitX(), y2 * unitY()));
}

void PainterCanvas::drawBox(double x1, double y1, double x2, double y2, const QColor &color)
{
    QPainter &p = painter();
    p.setPen(QPen(color, m_lineWidth));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(QPointF(x1 * unitX(), y1 * unitY()), QPointF(x2 * unitX(), y2 * unitY())).normalized());
}

void PainterCanvas::drawText(double x, double y, const QString &text, double clipRight)
{
    QPainter &p = painter();
    p.setPen(Qt::black);
    const QFontMetricsF metrics(p.font(), &m_printer);
    const QPointF baseline(x * unitX(), y * unitY() + metrics.ascent());
    if (clipRight >= 0) {
        p.save();
        p.setClipRect(QRectF(QPointF(x * unitX(), y * unitY()), QPointF(clipRight * unitX(), (y * unitY()) + metrics.height())));
        p.drawText(baseline, text);
        p.restore();
    } else {
        p.drawText(baseline, text);
    }
}

void PainterCanvas::newPage()
{
    if (!m_printer.newPage())
        throw PrintError("the printer cannot start a new page");
    setCurrentY(0);
}

void PainterCanvas::endDocument()
{
    QPainter &p = painter();
    if (!p.end())
        throw PrintError("the printer could not finish the document");
}

void PainterCanvas::cancelDocument()
{
    if (m_painter && m_painter->isActive())
        m_printer.abort();
    delete m_painter;
    m_painter = nullptr;
}

double PainterCanvas::pageWidth() const
{
    return m_printer.pageRect(QPrinter::DevicePixel).width() / unitX();
}

double PainterCanvas::pageHeight() const
{
    return m_printer.pageRect(QPrinter::DevicePixel).height() / unitY();
}
