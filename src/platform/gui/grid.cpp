#include "platform/gui/grid.h"

#include "platform/gui/widgets.h"

#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

const QColor Grid::FixedColor(128, 128, 255);

namespace {

const QString HeaderStyle = QStringLiteral(
    "QHeaderView::section { background-color: rgb(128, 128, 255); color: black; border: 0px; "
    "border-right: 1px solid rgb(96, 96, 192); border-bottom: 1px solid rgb(96, 96, 192); padding: 0px 2px; }");

int buttonCode(Qt::MouseButton button)
{
    return button == Qt::LeftButton ? 1 : button == Qt::RightButton ? 2 : 4;
}

} // namespace

// The header row is the table's horizontal header and the fixed column its vertical
// header, so both stay in view while the body scrolls. Their colour comes from the style
// sheet, so their items carry no background of their own.
Grid::Grid(QWidget *parent)
    : QTableWidget(parent)
    , m_corner(new QTableWidgetItem)
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
    m_cornerLabel->setObjectName(QStringLiteral("gridCorner"));
    m_cornerLabel->setAutoFillBackground(true);
    m_cornerLabel->setStyleSheet(
        QStringLiteral("background-color: rgb(128, 128, 255); color: black; padding: 0px 2px;"));
    m_cornerLabel->hide();
    // Every part of the grid reports its mouse buttons: the header row, the fixed column and
    // the corner as well as the cells.
    for (QWidget *part :
         {horizontalHeader()->viewport(), verticalHeader()->viewport(), static_cast<QWidget *>(m_cornerLabel)})
        part->installEventFilter(this);
    // The view itself selects the row of a pressed fixed cell, Shift and drags included.
    connect(verticalHeader(), &QHeaderView::sectionPressed, this, [this] {
        m_col = 0;
        emit Click();
    });
    connect(verticalHeader(), &QHeaderView::sectionDoubleClicked, this, &Grid::DblClick);
    connect(this, &QTableWidget::cellClicked, this, &Grid::Click);
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
    setRowCount(qMax(0, rows - 1));
}

void Grid::addRow()
{
    setRows(rows() + 1);
}

int Grid::row() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void Grid::setRow(int row)
{
    row = qBound(0, row, rows() - 1);
    if (row == 0 || columnCount() == 0) {
        selectionModel()->clear();
        return;
    }
    // The current column stays, the fixed one included, which the view cannot hold.
    const int column = m_col;
    selectionModel()->setCurrentIndex(model()->index(row - 1, qBound(0, column - m_fixedCols, columnCount() - 1)),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_col = column;
}

void Grid::setCol(int column)
{
    const int current = row();
    m_col = qBound(0, column, qMax(0, cols() - 1));
    if (current >= 1 && m_col >= m_fixedCols) {
        selectionModel()->setCurrentIndex(model()->index(current - 1, m_col - m_fixedCols),
                                          QItemSelectionModel::NoUpdate);
    }
}

int Grid::rowSel() const
{
    const int current = row();
    if (!hasSelectedRow())
        return current;
    // With contiguous selection the selected rows around the current one are the block, and
    // the current row is one of its ends.
    const QItemSelectionModel *selection = selectionModel();
    int top = current - 1;
    while (top > 0 && selection->isRowSelected(top - 1, QModelIndex()))
        --top;
    int bottom = current - 1;
    while (bottom + 1 < rowCount() && selection->isRowSelected(bottom + 1, QModelIndex()))
        ++bottom;
    return (bottom == current - 1 ? top : bottom) + 1;
}

bool Grid::hasSelectedRow() const
{
    const int current = row();
    return current >= 1 && selectionModel()->isRowSelected(current - 1, QModelIndex());
}

QTableWidgetItem *Grid::cell(int row, int column, bool create) const
{
    auto *self = const_cast<Grid *>(this);
    if (row < 0 || row >= rows() || column < 0 || column >= cols())
        return nullptr;
    if (row == 0 && column < m_fixedCols)
        return m_corner;
    if (row == 0) {
        QTableWidgetItem *item = horizontalHeaderItem(column - m_fixedCols);
        if (!item && create) {
            item = new QTableWidgetItem;
            self->setHorizontalHeaderItem(column - m_fixedCols, item);
        }
        return item;
    }
    if (column < m_fixedCols) {
        QTableWidgetItem *item = verticalHeaderItem(row - 1);
        if (!item && create) {
            item = new QTableWidgetItem;
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
    return cellText(row(), m_col);
}

void Grid::setText(const QString &text)
{
    if (QTableWidgetItem *item = cell(row(), m_col, true))
        item->setText(text);
    if (row() == 0 && m_col < m_fixedCols)
        m_cornerLabel->setText(text);
}

QColor Grid::cellBackColor() const
{
    return cellBackground(row(), m_col);
}

void Grid::setCellBackColor(const QColor &color)
{
    setCellBackground(row(), m_col, color);
}

void Grid::setTextAt(int row, int column, const QString &text)
{
    setRow(row);
    setCol(column);
    setText(text);
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

void Grid::setRowTexts(int row, const QStringList &texts)
{
    if (row < 1 || row >= rows())
        return;
    // Each item gets its text before it goes into the table: one change per cell, not two.
    const int count = qMin(static_cast<int>(texts.size()), cols());
    for (int column = 0; column < count; ++column) {
        auto *item = new QTableWidgetItem(texts.at(column));
        if (column < m_fixedCols)
            setVerticalHeaderItem(row - 1, item);
        else
            setItem(row - 1, column - m_fixedCols, item);
    }
}

void Grid::setCellBackground(int row, int column, const QColor &color)
{
    if (QTableWidgetItem *item = cell(row, column, true))
        item->setBackground(color);
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

void Grid::setGridColor(const QColor &color)
{
    // The styles draw grid lines in a colour of their own choosing; a style sheet names it.
    setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; }").arg(color.name()));
}

void Grid::setBackColorBkg(const QColor &color)
{
    m_backColorBkg = color;
    viewport()->update();
}

void Grid::mousePressEvent(QMouseEvent *event)
{
    // Only the left button selects; the right one adds, and must leave the selection alone.
    if (event->button() == Qt::LeftButton)
        QTableWidget::mousePressEvent(event);
    emit MouseDown(buttonCode(event->button()));
}

void Grid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        emit DblClick();
}

bool Grid::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        emit MouseDown(buttonCode(static_cast<QMouseEvent *>(event)->button()));
    return QTableWidget::eventFilter(watched, event);
}

void Grid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableWidget::currentChanged(current, previous);
    if (current.isValid())
        m_col = current.column() + m_fixedCols;
    emit SelChange();
}

void Grid::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QTableWidget::selectionChanged(selected, deselected);
    emit SelChange();
}

void Grid::resizeEvent(QResizeEvent *event)
{
    QTableWidget::resizeEvent(event);
    placeCornerLabel();
}

void Grid::paintEvent(QPaintEvent *event)
{
    if (m_backColorBkg.isValid()) {
        // Beyond the last row and column the grid shows its own background colour.
        QPainter painter(viewport());
        const QRect cells(0, 0, horizontalHeader()->length() - horizontalHeader()->offset(),
                          verticalHeader()->length() - verticalHeader()->offset());
        painter.fillRect(event->rect(), m_backColorBkg);
        painter.fillRect(event->rect() & cells, palette().base());
    }
    QTableWidget::paintEvent(event);
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
