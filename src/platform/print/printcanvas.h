#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QVector>

#include <optional>
#include <stdexcept>
#include <unordered_map>

class QPainter;
class QPrinter;

// Any failure of the printing system while a document is drawn.
class PrintError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One text of a printed line: starts at a character column (1 = left edge). A text that would
// reach past `right` (in horizontal units) is drawn condensed so that all of it ends there;
// the paper is what the club keeps, so no character may be lost.
struct PrintItem
{
    int column = 1;
    QString text;
    double right = -1; // no limit
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
    // The white space left after a condensed text, as a fraction of "あ".
    static constexpr double CondensedAir = 0.1;

    virtual ~PrintCanvas() = default;

    virtual void setLandscape(bool landscape) = 0; // before anything is drawn
    virtual void setFontSize(double points) = 0;
    double fontSize() const { return m_fontSize; }
    virtual double textWidth(const QString &text) const = 0;
    virtual double textHeight(const QString &text) const = 0;
    // The advance of the font's widest character, in horizontal units.
    virtual double widestCharacter() const = 0;
    // One printer dot across, in horizontal units.
    virtual double dotWidth() const = 0;

    void setCurrentY(double y) { m_currentY = y; }
    double currentY() const { return m_currentY; }
    // The width of one character column as a fraction of "あ". A layout may narrow it a
    // little where that leaves its texts more room in their cells.
    void setColumnUnit(double fractionOfFullWidth) { m_columnUnit = fractionOfFullWidth; }
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
    // `condense` (at most 1) narrows the text across; its height stays.
    virtual void drawText(double x, double y, const QString &text, double condense) = 0;
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
    double widestCharacter() const override;
    double dotWidth() const override;
    void setLineWidth(int dots) override;
    void drawLine(double x1, double y1, double x2, double y2, const QColor &color) override;
    void drawBox(double x1, double y1, double x2, double y2, const QColor &color) override;
    void newPage() override;
    void endDocument() override;
    void cancelDocument() override;
    double pageWidth() const override;
    double pageHeight() const override;

protected:
    void drawText(double x, double y, const QString &text, double condense) override;

private:
    struct Operation
    {
        enum Kind { Text, Line, Box, NewPage };
        Kind kind = Text;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        QString text;
        double fontSize = 0;
        double condense = 1;
        QColor color;
        int lineWidth = 1;
    };
    // What the painter was last given, so that a table of thousands of texts sets its font
    // and pen once rather than per text.
    struct PainterState
    {
        double fontSize = 0;
        double ascent = 0;
        bool textPen = false;
    };
    // A line or a box at the current line width.
    void appendShape(Operation::Kind kind, double x1, double y1, double x2, double y2, const QColor &color);
    void replay(QPainter &painter, const Operation &operation, PainterState &state);
    double unitX() const { return m_dotsPerInch / 12.0; }
    double unitY() const { return m_dotsPerInch / 6.0; }

    QPrinter &m_printer;
    // The printer's resolution, asked once: asking is a property look-up of its engine.
    int m_dotsPerInch;
    QVector<Operation> m_operations;
    int m_lineWidth = 1;
    // FNV-1a: Qt's seeded string hash costs more than the short texts of a table are worth.
    struct TextHash
    {
        size_t operator()(const QString &text) const noexcept;
    };
    // The print font at the present size, measured against the printer; a table repeats the
    // same few texts, so their widths are kept.
    QFont m_font;
    std::optional<QFontMetricsF> m_metrics;
    mutable std::unordered_map<QString, double, TextHash> m_widths;
};
