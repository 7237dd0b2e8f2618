#include "platform/gui/gridview.h"

#include "platform/gui/widgets.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>

#include <algorithm>
#include <climits>

const QColor GridView::HeaderColor(128, 128, 255);

namespace {

const QString HeaderStyle = QStringLiteral(
    "QHeaderView::section { background-color: rgb(128, 128, 255); color: black; border: 0px; "
    "border-right: 1px solid rgb(96, 96, 192); border-bottom: 1px solid rgb(96, 96, 192); padding: 0px 2px; }");

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

// The header row and the fixed column take their colour from the style sheet, so the model
// gives them none.
GridView::GridView(QWidget *parent)
    : QTableView(parent)
    , m_corner(new QLabel(this))
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
    m_corner->setObjectName(QStringLiteral("gridCorner"));
    m_corner->setAutoFillBackground(true);
    m_corner->setStyleSheet(QStringLiteral("background-color: rgb(128, 128, 255); color: black; padding: 0px 2px;"));
    m_corner->hide();
    // Every part of the grid hears the right button: the header row, the fixed column and the
    // corner as well as the cells.
    for (QWidget *part :
         {horizontalHeader()->viewport(), verticalHeader()->viewport(), static_cast<QWidget *>(m_corner)})
        part->installEventFilter(this);
    connect(verticalHeader(), &QHeaderView::sectionDoubleClicked, this, &GridView::rowDoubleClicked);
    connect(horizontalHeader(), &QHeaderView::geometriesChanged, this, &GridView::placeCorner);
}

void GridView::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    // A reload empties the selection without a word from the selection model.
    if (model)
        connect(model, &QAbstractItemModel::modelReset, this, &GridView::highlightChanged);
}

void GridView::setFixedColumn(const QString &caption)
{
    m_corner->setText(caption);
    m_corner->show();
    verticalHeader()->setVisible(true);
    verticalHeader()->setFixedWidth(Twips::toPixels(m_fixedColumnTwips));
    placeCorner();
}

bool GridView::hasFixedColumn() const
{
    return !verticalHeader()->isHidden();
}

int GridView::columns() const
{
    return (model() ? model()->columnCount() : 0) + (hasFixedColumn() ? 1 : 0);
}

int GridView::columnTwips(int column) const
{
    if (hasFixedColumn() && column == 0)
        return m_fixedColumnTwips;
    return Twips::fromPixels(columnWidth(column - (hasFixedColumn() ? 1 : 0)));
}

void GridView::setColumnTwips(int column, int twips)
{
    twips = qMax(0, twips);
    if (hasFixedColumn() && column == 0) {
        m_fixedColumnTwips = twips;
        verticalHeader()->setFixedWidth(Twips::toPixels(twips));
        placeCorner();
        return;
    }
    setColumnWidth(column - (hasFixedColumn() ? 1 : 0), Twips::toPixels(twips));
}

void GridView::setGridColor(const QColor &color)
{
    // The styles draw grid lines in a colour of their own choosing.
    QStyle *previous = style();
    setStyle(new GridLineStyle(color, this));
    if (previous->parent() == this)
        previous->deleteLater();
}

void GridView::setBackgroundBeyondCells(const QColor &color)
{
    m_backgroundBeyondCells = color;
    viewport()->update();
}

int GridView::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool GridView::currentRowSelected() const
{
    const int row = currentRow();
    return row >= 0 && selectionModel()->isRowSelected(row, QModelIndex());
}

std::optional<GridView::Block> GridView::highlightedBlock() const
{
    if (!currentRowSelected())
        return std::nullopt;
    Block block{INT_MAX, -1};
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        block.first = std::min(block.first, range.top());
        block.last = std::max(block.last, range.bottom());
    }
    return block;
}

void GridView::selectOnly(int row, int column)
{
    if (!model() || row < 0 || row >= model()->rowCount() || model()->columnCount() == 0) {
        selectionModel()->clear();
        return;
    }
    selectionModel()->setCurrentIndex(model()->index(row, qBound(0, column, model()->columnCount() - 1)),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void GridView::mousePressEvent(QMouseEvent *event)
{
    // Only the left button selects; the right one adds, and must leave the selection alone.
    if (event->button() == Qt::LeftButton)
        QTableView::mousePressEvent(event);
    else if (event->button() == Qt::RightButton)
        emit rightButtonPressed();
}

void GridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        emit rowDoubleClicked();
}

bool GridView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
        emit rightButtonPressed();
    return QTableView::eventFilter(watched, event);
}

void GridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    emit highlightChanged();
}

void GridView::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QTableView::selectionChanged(selected, deselected);
    emit highlightChanged();
}

void GridView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    placeCorner();
}

void GridView::paintEvent(QPaintEvent *event)
{
    if (m_backgroundBeyondCells.isValid()) {
        // Beyond the last row and column the grid shows its own background colour.
        QPainter painter(viewport());
        const QRect cells(0, 0, horizontalHeader()->length() - horizontalHeader()->offset(),
                          verticalHeader()->length() - verticalHeader()->offset());
        painter.fillRect(event->rect(), m_backgroundBeyondCells);
        painter.fillRect(event->rect() & cells, palette().base());
    }
    QTableView::paintEvent(event);
}

void GridView::placeCorner()
{
    m_corner->setGeometry(frameWidth(), frameWidth(), verticalHeader()->width(), horizontalHeader()->height());
    m_corner->raise();
}
