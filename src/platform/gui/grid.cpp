#include "platform/gui/grid.h"

#include "platform/gui/widgets.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>

const QColor Grid::FixedColor(128, 128, 255);

namespace {

const QString HeaderStyle = QStringLiteral(
    "QHeaderView::section { background-color: rgb(128, 128, 255); color: black; border: 0px; "
    "border-right: 1px solid rgb(96, 96, 192); border-bottom: 1px solid rgb(96, 96, 192); padding: 0px 2px; }");

int buttonCode(Qt::MouseButton button)
{
    return button == Qt::LeftButton ? 1 : button == Qt::RightButton ? 2 : 4;
}

// The fixed column. Its width is the column width the program and the user set, never one its
// texts ask for, so it need not measure them: a header measures up to 200 of its texts whenever
// they change, which costs a reload as much as all the other cells together.
class FixedColumnHeader : public QHeaderView
{
public:
    explicit FixedColumnHeader(QWidget *parent)
        : QHeaderView(Qt::Vertical, parent)
    {
        // As the table's own row header: a press on it selects the row.
        setSectionsClickable(true);
    }

    QSize sizeHint() const override { return {minimumWidth(), length()}; }
};

// The application's style with the grid lines in a colour of the window's choosing. A style
// sheet could name the colour too, but every cell would then be painted through the style
// sheet's rules, which makes painting a full grid half as slow again.
class GridLineStyle : public QProxyStyle
{
public:
    GridLineStyle(const QColor &color, QObject *owner)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
        , m_color(color)
    {
        setParent(owner);
    }

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Table_GridLineColor)
            return static_cast<int>(m_color.rgba());
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    QColor m_color;
};

} // namespace

// The header row is the table's horizontal header and the fixed column its vertical
// header, so both stay in view while the body scrolls. Their colour comes from the style
// sheet, so their items carry no background of their own.
Grid::Grid(QWidget *parent)
    : QTableWidget(parent)
    , m_corner(new QTableWidgetItem)
    , m_cornerLabel(new QLabel(this))
{
    setVerticalHeader(new FixedColumnHeader(this));
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

Grid::Loading::Loading(Grid &grid, int dataRows)
    : m_grid(grid)
{
    // The rows come and go with the view told, so that it keeps its rows, selection and
    // headers in step; only the cells' contents arrive unannounced.
    grid.setRows(1);
    grid.setRows(1 + dataRows);
    m_wasBlocked = grid.model()->blockSignals(true);
}

Grid::Loading::~Loading()
{
    QAbstractItemModel *model = m_grid.model();
    model->blockSignals(m_wasBlocked);
    const int dataRows = m_grid.rowCount();
    if (dataRows == 0)
        return;
    // The model's own signals, as it would have sent them for each cell, once for all.
    if (m_grid.columnCount() > 0)
        emit model->dataChanged(model->index(0, 0), model->index(dataRows - 1, m_grid.columnCount() - 1));
    if (m_grid.fixedCols() > 0)
        emit model->headerDataChanged(Qt::Vertical, 0, dataRows - 1);
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
    // The styles draw grid lines in a colour of their own choosing.
    QStyle *previous = style();
    setStyle(new GridLineStyle(color, this));
    if (previous->parent() == this)
        previous->deleteLater();
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
