#include "floors.h"

#include "core/database.h"
#include "platform/gui/printcommand.h"
#include "platform/print/printcanvas.h"

#include <QAbstractTableModel>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

namespace Floors {

namespace {

[[noreturn]] void die(const char *what, sqlite3 *db)
{
    std::fprintf(stderr, "parvela-bench: %s: %s\n", what, db ? sqlite3_errmsg(db) : "no connection");
    std::exit(2);
}

// The program's own connection, as the driver holds it.
sqlite3 *connection()
{
    const QVariant handle = Database::connection().driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
        die("the connection is no SQLite connection", nullptr);
    return *static_cast<sqlite3 *const *>(handle.constData());
}

// A statement prepared on the program's connection, finalized when it goes.
class Statement
{
public:
    explicit Statement(const QString &text)
        : m_db(connection())
    {
        const QByteArray utf8 = text.toUtf8();
        if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &m_statement, nullptr) != SQLITE_OK)
            die("prepare", m_db);
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    sqlite3_stmt *get() const { return m_statement; }
    // SQLITE_ROW while there is a row, SQLITE_DONE after the last one.
    int step()
    {
        const int result = sqlite3_step(m_statement);
        if (result != SQLITE_ROW && result != SQLITE_DONE)
            die("step", m_db);
        return result;
    }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_statement = nullptr;
};

} // namespace

Values readRows(const QString &statement, const QVector<qint64> &values)
{
    Statement query(statement);
    for (int i = 0; i < values.size(); ++i)
        sqlite3_bind_int64(query.get(), i + 1, values.at(i));
    Values read;
    const int columns = sqlite3_column_count(query.get());
    while (query.step() == SQLITE_ROW) {
        for (int column = 0; column < columns; ++column) {
            switch (sqlite3_column_type(query.get(), column)) {
            case SQLITE_INTEGER:
                read.integers.push_back(sqlite3_column_int64(query.get(), column));
                break;
            case SQLITE_FLOAT:
                read.reals.push_back(sqlite3_column_double(query.get(), column));
                break;
            case SQLITE_TEXT:
                read.texts.append(QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(query.get(), column)),
                    sqlite3_column_bytes(query.get(), column)));
                break;
            default: // NULL: nothing to keep
                break;
            }
        }
    }
    return read;
}

QString idList(const std::vector<qint64> &ids)
{
    QStringList texts;
    for (const qint64 id : ids)
        texts << QString::number(id);
    return texts.join(QLatin1Char(','));
}

// The annual table is worked out of the year's competitions, every row of theirs (the first row
// of a member in a month, places, totals) and the members with both handicaps and the reading
// their order comes from. The floor works nothing out: months, totals, eligibility, kana order
// and the cell texts cost it nothing.
void readAnnualRows(int year)
{
    const Values courses = readRows(QStringLiteral("select ID from Course where CYEAR=? order by CMONTH,ID"), {year});
    readRows(QStringLiteral("select ID,COURSE_ID,MEMBER_ID,OB,GROSS_VAL,RANK from Score where COURSE_ID in (%1)")
                 .arg(idList(courses.integers)));
    readRows(QStringLiteral("select ID,NAME,HURIKANA,F_HC,E_HC from Member"));
}

// The four columns shown, without the kana order or the IDs the program keeps for its rows.
void readMemberRows()
{
    readRows(QStringLiteral("select NAME,HURIKANA,BIRTHDAY,HC from Member"));
}

// The month's competition, then its rows with the columns shown and the birthday the order
// needs, joined with Member as the sheet shows only present members; without the order, the
// places or the texts.
void readSheetRows(int year, int month)
{
    const Values course =
        readRows(QStringLiteral("select ID,PLAYDATE,COURSENAME from Course where CYEAR=? and CMONTH=?"), {year, month});
    readRows(QStringLiteral("select Score.MEMBER_NAME,Score.HC,Score.OB,Score.OUT_VAL,Score.IN_VAL,Score.GROSS_VAL,"
                            "Score.NET_VAL,Score.NEW_HC,Member.BIRTHDAY from Score inner join Member on "
                            "Score.MEMBER_ID=Member.ID where Score.COURSE_ID=?"),
             {course.firstInteger()});
}

// The member and the columns of the member's rounds shown; no chart, which the window draws
// besides.
void readHistoryRows(int memberId)
{
    readRows(QStringLiteral("select NAME,HURIKANA,F_HC,E_HC from Member where ID=?"), {memberId});
    readRows(QStringLiteral("select Course.CYEAR,Course.CMONTH,Course.PLAYDATE,Course.COURSENAME,Score.HC,"
                            "Score.GROSS_VAL,Score.NET_VAL,Score.NEW_HC,Score.RANK from Score inner join Course "
                            "on Score.COURSE_ID=Course.ID where Score.MEMBER_ID=?"),
             {memberId});
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
        if (before.value(row.key()) == row.value())
            continue;
        QVector<double> values;
        for (const QVariant &value : row.value())
            values << value.toDouble();
        values << row.key();
        writes.rows.append(values);
    }
    return writes;
}

void write(const QVector<Writes> &writes)
{
    sqlite3 *db = connection();
    if (sqlite3_exec(db, "begin", nullptr, nullptr, nullptr) != SQLITE_OK)
        die("begin", db);
    for (const Writes &statement : writes) {
        if (statement.rows.isEmpty())
            continue;
        Statement update(statement.statement);
        for (const QVector<double> &row : statement.rows) {
            for (int i = 0; i < row.size(); ++i)
                sqlite3_bind_double(update.get(), i + 1, row.at(i));
            update.step();
            sqlite3_reset(update.get());
        }
    }
    if (sqlite3_exec(db, "commit", nullptr, nullptr, nullptr) != SQLITE_OK)
        die("commit", db);
}

Cells cellsOf(const QTableView &table)
{
    Cells cells;
    const QAbstractItemModel *model = table.model();
    const bool fixedColumn = table.verticalHeader()->isVisible();
    if (fixedColumn) {
        const auto *corner = table.findChild<QLabel *>(QStringLiteral("gridCorner"));
        cells.headers << (corner ? corner->text() : QString());
    }
    for (int column = 0; column < model->columnCount(); ++column)
        cells.headers << model->headerData(column, Qt::Horizontal).toString();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList texts;
        QVector<QColor> backgrounds;
        if (fixedColumn) {
            texts << model->headerData(row, Qt::Vertical).toString();
            backgrounds << QColor();
        }
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            texts << index.data().toString();
            const QVariant background = index.data(Qt::BackgroundRole);
            backgrounds << (background.isValid() ? background.value<QBrush>().color() : QColor());
        }
        cells.texts << texts;
        cells.backgrounds << backgrounds;
    }
    return cells;
}

TableShape shapeOf(const QWidget &window, const QTableView &table)
{
    TableShape shape;
    shape.windowSize = window.size();
    shape.tableGeometry = table.geometry();
    shape.font = table.font();
    if (table.verticalHeader()->isVisible())
        shape.columnWidths << table.verticalHeader()->width();
    for (int column = 0; column < table.model()->columnCount(); ++column)
        shape.columnWidths << table.columnWidth(column);
    shape.rowHeight = table.verticalHeader()->defaultSectionSize();
    return shape;
}

// Hands the view the cells it asks for and nothing else.
class CellsModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void fill(const Cells &cells)
    {
        beginResetModel();
        m_cells = cells; // shared, not copied
        endResetModel();
    }
    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(m_cells.texts.size());
    }
    int columnCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(m_cells.headers.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole)
            return m_cells.texts.at(index.row()).at(index.column());
        if (role == Qt::BackgroundRole) {
            const QColor &background = m_cells.backgrounds.at(index.row()).at(index.column());
            return background.isValid() ? QVariant(background) : QVariant();
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return m_cells.headers.value(section);
        return {};
    }

private:
    Cells m_cells;
};

BareWindow::BareWindow(const TableShape &shape, QWidget *parent)
    : QDialog(parent)
    , table(new QTableView(this))
    , m_model(new CellsModel(this))
{
    resize(shape.windowSize);
    table->setModel(m_model);
    table->setGeometry(shape.tableGeometry);
    table->setFont(shape.font);
    table->verticalHeader()->setDefaultSectionSize(shape.rowHeight);
    table->verticalHeader()->hide();
    m_model->fill(Cells{QStringList(shape.columnWidths.size(), QString()), {}, {}});
    for (int column = 0; column < shape.columnWidths.size(); ++column)
        table->setColumnWidth(column, shape.columnWidths.at(column));
}

void BareWindow::fill(const Cells &cells)
{
    m_model->fill(cells);
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
