#pragma once

#include "platform/print/printcanvas.h"

#include <QPrinter>

// The printer's own canvas, keeping what was drawn in character units. It paints only on a
// printer given an output file (a PDF).
class RecordingCanvas : public PainterCanvas
{
public:
    struct Text
    {
        double x, y;
        QString text;
        int page;
    };
    struct Line
    {
        double x1, y1, x2, y2;
        QColor color;
        bool box;
        int page;
    };

    explicit RecordingCanvas(QPrinter &printer)
        : PainterCanvas(printer)
        , m_printer(printer)
    {
    }
    void drawLine(double x1, double y1, double x2, double y2, const QColor &color) override
    {
        m_lines.append({x1, y1, x2, y2, color, false, m_page});
        PainterCanvas::drawLine(x1, y1, x2, y2, color);
    }
    void drawBox(double x1, double y1, double x2, double y2, const QColor &color) override
    {
        m_lines.append({x1, y1, x2, y2, color, true, m_page});
        PainterCanvas::drawBox(x1, y1, x2, y2, color);
    }
    void newPage() override
    {
        ++m_page;
        PainterCanvas::newPage();
    }
    void endDocument() override
    {
        m_paperHeight = pageHeight();
        if (!m_printer.outputFileName().isEmpty())
            PainterCanvas::endDocument();
        m_ended = true;
    }

    bool ended() const { return m_ended; }
    int pages() const { return m_page + 1; }
    // The printable height, kept for after the printer is gone.
    double paperHeight() const { return m_paperHeight; }
    const QVector<Text> &texts() const { return m_texts; }
    const QVector<Line> &lines() const { return m_lines; }

protected:
    void drawText(double x, double y, const QString &text, double condense) override
    {
        m_texts.append({x, y, text, m_page});
        PainterCanvas::drawText(x, y, text, condense);
    }

private:
    QPrinter &m_printer;
    bool m_ended = false;
    int m_page = 0;
    double m_paperHeight = 0;
    QVector<Text> m_texts;
    QVector<Line> m_lines;
};
