#pragma once

#include "platform/print/printcanvas.h"

// A canvas that keeps what was drawn, with coordinates, widths and colours, instead of
// printing it. Metrics follow a face whose full-width characters are one em wide and whose
// half-width characters are half an em, one line an em high.
class RecordingCanvas : public PrintCanvas
{
public:
    struct Text
    {
        double x, y;
        QString text;
        double fontSize;
        double clipRight;
        int page;
    };
    struct Line
    {
        double x1, y1, x2, y2;
        QColor color;
        int width;
        bool box;
        int page;
    };

    void setLandscape(bool landscape) override { m_landscape = landscape; }
    void setFontSize(double points) override;
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;
    void setLineWidth(int dots) override;
    void drawLine(double x1, double y1, double x2, double y2, const QColor &color) override;
    void drawBox(double x1, double y1, double x2, double y2, const QColor &color) override;
    void newPage() override;
    void endDocument() override;
    void cancelDocument() override;
    double pageWidth() const override;
    double pageHeight() const override;

    // Makes the given operation (counted from 1 over every call above) throw PrintError.
    void failAtOperation(int operation) { m_failAt = operation; }

    bool landscape() const { return m_landscape; }
    bool ended() const { return m_ended; }
    bool cancelled() const { return m_cancelled; }
    int pages() const { return m_page + 1; }
    const QVector<Text> &texts() const { return m_texts; }
    const QVector<Line> &lines() const { return m_lines; }

protected:
    void drawText(double x, double y, const QString &text, double clipRight) override;

private:
    void count();

    bool m_landscape = false;
    bool m_ended = false;
    bool m_cancelled = false;
    int m_page = 0;
    int m_lineWidth = 1;
    int m_operations = 0;
    int m_failAt = 0;
    QVector<Text> m_texts;
    QVector<Line> m_lines;
};
