#include "recordingcanvas.h"

namespace {

// A4 less the page margins, in inches.
constexpr double A4ShortInches = (210.0 - 2 * PrintCanvas::PageMarginMillimetres) / 25.4;
constexpr double A4LongInches = (297.0 - 2 * PrintCanvas::PageMarginMillimetres) / 25.4;

bool isFullWidth(QChar c)
{
    return c.unicode() > 0x00FF && !(c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F);
}

} // namespace

void RecordingCanvas::count()
{
    ++m_operations;
    if (m_failAt != 0 && m_operations == m_failAt)
        throw PrintError("simulated printer failure");
}

void RecordingCanvas::setFontSize(double points)
{
    count();
    m_fontSize = points;
}

double RecordingCanvas::textWidth(const QString &text) const
{
    const double em = m_fontSize / 6.0; // points to units of 1/12 inch
    double width = 0;
    for (const QChar c : text)
        width += isFullWidth(c) ? em : em / 2;
    return width;
}

double RecordingCanvas::textHeight(const QString &text) const
{
    Q_UNUSED(text)
    return m_fontSize / 12.0; // points to units of 1/6 inch
}

void RecordingCanvas::setLineWidth(int dots)
{
    count();
    m_lineWidth = dots;
}

void RecordingCanvas::drawLine(double x1, double y1, double x2, double y2, const QColor &color)
{
    count();
    m_lines.append({x1, y1, x2, y2, color, m_lineWidth, false, m_page});
}

void RecordingCanvas::drawBox(double x1, double y1, double x2, double y2, const QColor &color)
{
    count();
    m_lines.append({x1, y1, x2, y2, color, m_lineWidth, true, m_page});
}

void RecordingCanvas::drawText(double x, double y, const QString &text, double clipRight)
{
    count();
    m_texts.append({x, y, text, m_fontSize, clipRight, m_page});
}

void RecordingCanvas::newPage()
{
    count();
    ++m_page;
    setCurrentY(0);
}

void RecordingCanvas::endDocument()
{
    count();
    m_ended = true;
}

void RecordingCanvas::cancelDocument()
{
    m_cancelled = true;
}

double RecordingCanvas::pageWidth() const
{
    return (m_landscape ? A4LongInches : A4ShortInches) * 12.0;
}

double RecordingCanvas::pageHeight() const
{
    return (m_landscape ? A4ShortInches : A4LongInches) * 6.0;
}
