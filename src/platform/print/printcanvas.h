#pragma once

#include <QColor>
#include <QString>
#include <QVector>

#include <stdexcept>

class QPainter;
class QPrinter;

// Any failure of the printing system while a document is drawn.
class PrintError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One text of a printed line: starts at a character column (1 = left edge). A text wider
// than its cell is cut at clipRight (in horizontal units) when that is given.
struct PrintItem
{
    int column = 1;
    QString text;
    double clipRight = -1;
};

// The page in character units: one unit across is 1/12 inch, one unit down 1/6 inch, the
// origin at the top-left corner of the printable area. Every operation may throw PrintError.
class PrintCanvas
{
public:
    // A printed column is a little under half of the full-width "あ": the faces' average
    // character width is half of it, and texts at that step would start on the cells' rules.
    static constexpr double ColumnPerFullWidth = 0.45;
    // Page margins on every side. The annual table is 54 full-width characters of 15 points
    // wide (11.25 inches): it fits A4 landscape (11.69 inches) only with margins this small.
    static constexpr double PageMarginMillimetres = 5.0;

    virtual ~PrintCanvas() = default;

    virtual void setLandscape(bool landscape) = 0; // before anything is drawn
    virtual void setFontSize(double points) = 0;
    double fontSize() const { return m_fontSize; }
    virtual double textWidth(const QString &text) const = 0;
    virtual double textHeight(const QString &text) const = 0;

    void setCurrentY(double y) { m_currentY = y; }
    double currentY() const { return m_currentY; }
    // The width of one character column as a fraction of "あ". A layout may narrow it a
    // little where that leaves its texts more room in their cells.
    void setColumnUnit(double fractionOfFullWidth) { m_columnUnit = fractionOfFullWidth; }
    double columnUnit() const { return m_columnUnit; }
    // Left edge of a character column in horizontal units.
    double columnX(int column) const;
    // Prints the items on the current line, then moves one line height down.
    void printLine(const QVector<PrintItem> &items);

    virtual void setLineWidth(int dots) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2, const QColor &color = Qt::black) = 0;
    virtual void drawBox(double x1, double y1, double x2, double y2, const QColor &color = Qt::black) = 0;
    // Starts a new page; the current position goes back to the top.
    virtual void newPage() = 0;
    virtual void endDocument() = 0;
    virtual void cancelDocument() = 0;

    // Size of the printable area in units.
    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;

protected:
    virtual void drawText(double x, double y, const QString &text, double clipRight) = 0;
    double m_fontSize = 12;

private:
    double m_currentY = 0;
    double m_columnUnit = ColumnPerFullWidth;
};

// Draws on a real printer (or a PDF file) through QPainter. What is drawn is kept until
// endDocument() and only then sent to the printer, so a document that fails half-way (or is
// cancelled) leaves nothing half-printed: the printing systems cannot take back a page once
// a painter has drawn on it.
class PainterCanvas : public PrintCanvas
{
public:
    explicit PainterCanvas(QPrinter &printer);
    ~PainterCanvas() override;

    void setLandscape(bool landscape) override;
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

protected:
    void drawText(double x, double y, const QString &text, double clipRight) override;

private:
    struct Operation
    {
        enum Kind { Text, Line, Box, NewPage };
        Kind kind = Text;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        QString text;
        double fontSize = 0;
        QColor color;
        int lineWidth = 1;
    };
    // A line or a box at the current line width.
    void appendShape(Operation::Kind kind, double x1, double y1, double x2, double y2, const QColor &color);
    void replay(QPainter &painter, const Operation &operation);
    double unitX() const;
    double unitY() const;

    QPrinter &m_printer;
    QVector<Operation> m_operations;
    int m_lineWidth = 1;
};
