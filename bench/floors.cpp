#include "floors.h"

#include "core/database.h"
#include "platform/gui/grid.h"
#include "platform/gui/printcommand.h"
#include "platform/gui/widgets.h"
#include "platform/print/printcanvas.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QPainter>
#include <QPrinter>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>

namespace Floors {

QVariant readRows(const QString &statement, const QVariantList &values)
{
    QSqlQuery query(Database::connection());
    query.setForwardOnly(true);
    query.prepare(statement);
    for (const QVariant &value : values)
        query.addBindValue(value);
    query.exec();
    const int columns = query.record().count();
    QVariant first;
    QVariantList row(columns);
    while (query.next()) {
        for (int column = 0; column < columns; ++column)
            row[column] = query.value(column);
        if (!first.isValid())
            first = row.value(0);
    }
    return first;
}

Snapshot snapshot(const QString &statement, const QVariantList &values)
{
    Snapshot rows;
    QSqlQuery query = Database::run(statement, values);
    const int columns = query.record().count();
    while (query.next()) {
        QVariantList row;
        for (int column = 1; column < columns; ++column)
            row << query.value(column);
        rows.insert(query.value(0).toInt(), row);
    }
    return rows;
}

Writes changes(const QString &statement, const Snapshot &before, const Snapshot &after)
{
    Writes writes{statement, {}};
    for (auto row = after.cbegin(); row != after.cend(); ++row) {
        if (before.value(row.key()) != row.value())
            writes.rows.append(row.value() + QVariantList{row.key()});
    }
    return writes;
}

void write(const QVector<Writes> &writes)
{
    QSqlDatabase db = Database::connection();
    db.transaction();
    for (const Writes &statement : writes) {
        if (statement.rows.isEmpty())
            continue;
        QSqlQuery query(db);
        query.prepare(statement.statement);
        for (const QVariantList &row : statement.rows) {
            for (int i = 0; i < row.size(); ++i)
                query.bindValue(i, row.at(i));
            query.exec();
        }
    }
    db.commit();
}

Cells cellsOf(const Grid &grid)
{
    Cells cells;
    for (int column = 0; column < grid.cols(); ++column)
        cells.headers << grid.cellText(0, column);
    const QColor plain = grid.palette().color(QPalette::Base);
    for (int row = 1; row < grid.rows(); ++row) {
        QStringList texts;
        QVector<QColor> backgrounds;
        for (int column = 0; column < grid.cols(); ++column) {
            texts << grid.cellText(row, column);
            const QColor shown = grid.cellBackground(row, column);
            backgrounds << (column >= grid.fixedCols() && shown != plain ? shown : QColor());
        }
        cells.texts << texts;
        cells.backgrounds << backgrounds;
    }
    return cells;
}

TableShape shapeOf(const QWidget &window, const Grid &grid)
{
    TableShape shape;
    shape.windowSize = window.size();
    shape.tableGeometry = grid.geometry();
    shape.font = grid.font();
    for (int column = 0; column < grid.cols(); ++column)
        shape.columnWidths << Twips::toPixels(grid.colWidth(column));
    shape.rowHeight = grid.verticalHeader()->defaultSectionSize();
    return shape;
}

BareWindow::BareWindow(const TableShape &shape, QWidget *parent)
    : QDialog(parent)
    , table(new QTableWidget(this))
{
    resize(shape.windowSize);
    table->setGeometry(shape.tableGeometry);
    table->setFont(shape.font);
    table->setColumnCount(static_cast<int>(shape.columnWidths.size()));
    for (int column = 0; column < shape.columnWidths.size(); ++column)
        table->setColumnWidth(column, shape.columnWidths.at(column));
    table->verticalHeader()->setDefaultSectionSize(shape.rowHeight);
    table->verticalHeader()->hide();
}

void BareWindow::fill(const Cells &cells)
{
    table->setHorizontalHeaderLabels(cells.headers);
    table->setRowCount(0);
    table->setRowCount(static_cast<int>(cells.texts.size()));
    // The cheapest way known to fill a table: the items go in unannounced, and one signal tells
    // the view of them all (announcing each costs more than making it).
    QAbstractItemModel *model = table->model();
    model->blockSignals(true);
    for (int row = 0; row < cells.texts.size(); ++row) {
        const QStringList &texts = cells.texts.at(row);
        const QVector<QColor> &backgrounds = cells.backgrounds.at(row);
        for (int column = 0; column < texts.size(); ++column) {
            auto *item = new QTableWidgetItem(texts.at(column));
            if (backgrounds.at(column).isValid())
                item->setBackground(backgrounds.at(column));
            table->setItem(row, column, item);
        }
    }
    model->blockSignals(false);
    if (table->rowCount() > 0 && table->columnCount() > 0)
        emit model->dataChanged(model->index(0, 0), model->index(table->rowCount() - 1, table->columnCount() - 1));
}

namespace {

// The face the printouts print in, which the program's packages install.
QFont printFont(double points)
{
    QFont font(QStringLiteral("IPAGothic"));
    font.setPointSizeF(points);
    return font;
}

// Keeps what a printout draws, measuring the text on the printer as a real copy would.
class RecordingCanvas : public PrintCanvas
{
public:
    RecordingCanvas(QPrinter &printer, Drawing &drawing)
        : m_printer(printer)
        , m_drawing(drawing)
    {
        m_drawing = Drawing();
        m_drawing.pages.resize(1);
    }

    void setLandscape(bool landscape) override
    {
        m_drawing.landscape = landscape;
        m_printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    void setFontSize(double points) override
    {
        m_fontSize = points;
        m_drawing.fontSize = points;
    }
    double textWidth(const QString &text) const override
    {
        return QFontMetricsF(printFont(m_fontSize), &m_printer).horizontalAdvance(text) / unitX();
    }
    double textHeight(const QString &) const override
    {
        return QFontMetricsF(printFont(m_fontSize), &m_printer).height() / unitY();
    }
    double widestCharacter() const override
    {
        return QFontMetricsF(printFont(m_fontSize), &m_printer).maxWidth() / unitX();
    }
    double dotWidth() const override { return 1 / unitX(); }
    void setLineWidth(int dots) override { m_lineWidth = dots; }
    void drawLine(double x1, double y1, double x2, double y2, const QColor &color) override
    {
        m_drawing.pages.last().shapes.append({x1, y1, x2, y2, color, m_lineWidth, false});
    }
    void drawBox(double x1, double y1, double x2, double y2, const QColor &color) override
    {
        m_drawing.pages.last().shapes.append({x1, y1, x2, y2, color, m_lineWidth, true});
    }
    void newPage() override
    {
        m_drawing.pages.append(Drawing::Page{});
        setCurrentY(0);
    }
    void endDocument() override { }
    void cancelDocument() override { }
    double pageWidth() const override { return m_printer.pageRect(QPrinter::DevicePixel).width() / unitX(); }
    double pageHeight() const override { return m_printer.pageRect(QPrinter::DevicePixel).height() / unitY(); }

protected:
    void drawText(double x, double y, const QString &text, double condense) override
    {
        m_drawing.pages.last().texts.append({x, y, text, condense});
    }

private:
    double unitX() const { return m_printer.resolution() / 12.0; }
    double unitY() const { return m_printer.resolution() / 6.0; }

    QPrinter &m_printer;
    Drawing &m_drawing;
    int m_lineWidth = 1;
};

// The page setting every print command uses, printing to the PDF file.
void preparePdfPrinter(QPrinter &printer, const QString &pdfPath)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    const double margin = PrintCanvas::PageMarginMillimetres;
    printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
}

} // namespace

Drawing record(const std::function<void()> &printButton, const QString &pdfPath)
{
    Drawing drawing;
    PrintCommand::setChooser([pdfPath](QPrinter &printer, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return 1;
    });
    PrintCommand::setCanvasFactory(
        [&drawing](QPrinter &printer) { return std::make_unique<RecordingCanvas>(printer, drawing); });
    printButton();
    PrintCommand::setCanvasFactory({});
    return drawing;
}

void drawBare(const Drawing &drawing, const QString &pdfPath)
{
    QPrinter printer(QPrinter::HighResolution);
    preparePdfPrinter(printer, pdfPath);
    printer.setPageOrientation(drawing.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    const double unitX = printer.resolution() / 12.0;
    const double unitY = printer.resolution() / 6.0;
    QPainter painter(&printer);
    const QFont font = printFont(drawing.fontSize);
    painter.setFont(font);
    const double ascent = QFontMetricsF(font, &printer).ascent();
    for (int page = 0; page < drawing.pages.size(); ++page) {
        if (page > 0)
            printer.newPage();
        painter.setPen(Qt::black);
        for (const Drawing::Text &text : drawing.pages.at(page).texts) {
            const QPointF baseline(text.x * unitX, text.y * unitY + ascent);
            if (text.condense < 1) {
                // The same narrowing the program draws, as cheaply as a painter allows.
                painter.save();
                painter.translate(baseline);
                painter.scale(text.condense, 1);
                painter.drawText(QPointF(0, 0), text.text);
                painter.restore();
            } else {
                painter.drawText(baseline, text.text);
            }
        }
        for (const Drawing::Shape &shape : drawing.pages.at(page).shapes) {
            painter.setPen(QPen(shape.color, shape.width));
            const QPointF from(shape.x1 * unitX, shape.y1 * unitY);
            const QPointF to(shape.x2 * unitX, shape.y2 * unitY);
            if (shape.box)
                painter.drawRect(QRectF(from, to).normalized());
            else
                painter.drawLine(from, to);
        }
    }
}

} // namespace Floors
