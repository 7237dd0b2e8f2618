#include "platform/gui/grid.h"

#include "platform/gui/widgets.h"

#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>

const QColor Grid::FixedColor(128, 128, 255);

namespace {

const QString HeaderStyle = QStringLiteral(
    "QHeaderView::section { background-color: rgb(128, 128, 255); color: black; border: 0px; "
    "border-right: 1px solid rgb(96, 96, 192); border-bottom: 1px solid rgb(96, 96, 192); padding: 0px 2px; }");

QTableWidgetItem *fixedItem()
{
    auto *item = new QTableWidgetItem;
    item->setBackground(Grid::FixedColor);
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return item;
}

} // namespace

// The header row is the table's horizontal header and the fixed column its vertical
// header, so both stay in view while the body scrolls.
Grid::Grid(QWidget *parent)
    : QTableWidget(parent)
    , m_corner(fixedItem())
    , m_cornerLabel(new QLabel(this))
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    horizontalHeader()->setStyleSheet(HeaderStyle);
    verticalHeader()->setStyleSheet(HeaderStyle);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->setVisible(false);
    m_cornerLabel->setAutoFillBackground(true);
    m_cornerLabel->setStyleSheet(
        QStringLiteral("background-color: rgb(128, 128, 255); color: black; padding: 0px 2px;"));
    m_cornerLabel->hide();
    connect(verticalHeader(), &QHeaderView::sectionPressed, this, [this](int logicalRow) {
        m_row = m_rowSel = logicalRow + 1;
        m_col = 0;
        emit Click();
    });
    connect(this, &QTableWidget::cellClicked, this, [this] { emit Click(); });
    connect(horizontalHeader(), &QHeaderView::geometriesChanged, this, &Grid::placeCornerLabel);
}

void Grid::setCols(int columns)
{
    setColumnCount(qMax(0, columns - m_fixedCols));
}

int Grid::cols() const
{
    return columnCount() + m_fixedCols;
}

void Grid::setFixedCols(int fixedColumns)
{
    const int total = cols();
    m_fixedCols = qBound(0, fixedColumns, 1);
    setColumnCount(qMax(0, total - m_fixedCols));
    verticalHeader()->setVisible(m_fixedCols == 1);
    m_cornerLabel->setVisible(m_fixedCols == 1);
    updateFrozenColumnWidth();
}

int Grid::rows() const
{
    return rowCount() + 1;
}

void Grid::setRows(int rows)
{
    const int before = rowCount();
    setRowCount(qMax(0, rows - 1));
    for (int r = before; r < rowCount() && m_fixedCols == 1; ++r)
        setVerticalHeaderItem(r, fixedItem());
    if (m_row >= this->rows())
        m_row = this->rows() - 1;
    if (m_rowSel >= this->rows())
        m_rowSel = this->rows() - 1;
}

void Grid::addRow()
{
    setRows(rows() + 1);
}

void Grid::setRow(int row)
{
    m_row = m_rowSel = qBound(0, row, rows() - 1);
}

void Grid::setCol(int column)
{
    m_col = qBound(0, column, qMax(0, cols() - 1));
}

QTableWidgetItem *Grid::cell(int row, int column, bool create) const
{
    auto *self = const_cast<Grid *>(this);
    if (row == 0 && column < m_fixedCols)
        return m_corner;
    if (row == 0) {
        QTableWidgetItem *item = horizontalHeaderItem(column - m_fixedCols);
        if (!item && create) {
            item = fixedItem();
            self->setHorizontalHeaderItem(column - m_fixedCols, item);
        }
        return item;
    }
    if (column < m_fixedCols) {
        QTableWidgetItem *item = verticalHeaderItem(row - 1);
        if (!item && create) {
            item = fixedItem();
            self->setVerticalHeaderItem(row - 1, item);
        }
        return item;
    }
    QTableWidgetItem *item = this->item(row - 1, column - m_fixedCols);
    if (!item && create) {
        item = new QTableWidgetItem;
        self->setItem(row - 1, column - m_fixedCols, item);
    }
    return item;
}

QString Grid::text() const
{
    return cellText(m_row, m_col);
}

void Grid::setText(const QString &text)
{
    cell(m_row, m_col, true)->setText(text);
    if (m_row == 0 && m_col < m_fixedCols)
        m_cornerLabel->setText(text);
}

QColor Grid::cellBackColor() const
{
    return cellBackground(m_row, m_col);
}

void Grid::setCellBackColor(const QColor &color)
{
    cell(m_row, m_col, true)->setBackground(color);
}

QString Grid::textAt(int row, int column)
{
    setRow(row);
    setCol(column);
    return text();
}

void Grid::setTextAt(int row, int column, const QString &text)
{
    setRow(row);
    setCol(column);
    setText(text);
}

int Grid::colWidth(int column) const
{
    if (column < m_fixedCols)
        return m_fixedColumnTwips;
    return Twips::fromPixels(columnWidth(column - m_fixedCols));
}

void Grid::setColWidth(int column, int twips)
{
    if (column < m_fixedCols) {
        m_fixedColumnTwips = qMax(0, twips);
        updateFrozenColumnWidth();
        return;
    }
    setColumnWidth(column - m_fixedCols, Twips::toPixels(qMax(0, twips)));
}

QString Grid::cellText(int row, int column) const
{
    const QTableWidgetItem *item = cell(row, column, false);
    return item ? item->text() : QString();
}

QColor Grid::cellBackground(int row, int column) const
{
    const QTableWidgetItem *item = cell(row, column, false);
    if (item && item->background().style() != Qt::NoBrush)
        return item->background().color();
    if (row == 0 || column < m_fixedCols)
        return FixedColor;
    return palette().color(QPalette::Base);
}

void Grid::selectRows(int from, int to)
{
    m_row = qBound(0, from, rows() - 1);
    m_rowSel = qBound(0, to, rows() - 1);
    clearSelection();
    if (m_row >= 1 && m_rowSel >= 1 && columnCount() > 0) {
        setRangeSelected(
            QTableWidgetSelectionRange(firstSelectedRow() - 1, 0, lastSelectedRow() - 1, columnCount() - 1), true);
    }
}

void Grid::takeCurrentFromView(bool extendBlock)
{
    const int viewRow = currentRow();
    if (viewRow < 0)
        return;
    if (extendBlock) {
        m_rowSel = viewRow + 1;
    } else {
        m_row = m_rowSel = viewRow + 1;
        m_col = currentColumn() + m_fixedCols;
    }
}

void Grid::mousePressEvent(QMouseEvent *event)
{
    const int button = event->button() == Qt::LeftButton ? 1 : event->button() == Qt::RightButton ? 2 : 4;
    if (event->button() == Qt::LeftButton) {
        QTableWidget::mousePressEvent(event);
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid()) {
            if (event->modifiers() & Qt::ShiftModifier) {
                m_rowSel = index.row() + 1;
            } else {
                m_row = m_rowSel = index.row() + 1;
                m_col = index.column() + m_fixedCols;
            }
        }
    }
    emit MouseDown(button);
}

void Grid::mouseMoveEvent(QMouseEvent *event)
{
    QTableWidget::mouseMoveEvent(event);
    if (event->buttons() & Qt::LeftButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            m_rowSel = index.row() + 1;
    }
}

void Grid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        emit DblClick();
}

void Grid::keyPressEvent(QKeyEvent *event)
{
    QTableWidget::keyPressEvent(event);
    takeCurrentFromView(event->modifiers() & Qt::ShiftModifier);
}

void Grid::resizeEvent(QResizeEvent *event)
{
    QTableWidget::resizeEvent(event);
    placeCornerLabel();
}

void Grid::placeCornerLabel()
{
    m_cornerLabel->setGeometry(frameWidth(), frameWidth(), verticalHeader()->width(), horizontalHeader()->height());
    m_cornerLabel->raise();
}

void Grid::updateFrozenColumnWidth()
{
    if (m_fixedCols == 1)
        verticalHeader()->setFixedWidth(Twips::toPixels(m_fixedColumnTwips));
    placeCornerLabel();
}
