#include "platform/gui/gridview.h"

#include "platform/gui/widgets.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>
#include <climits>
#include <utility>

const QColor GridView::HeaderColor(128, 128, 255);

namespace {

const QString HeaderStyle = QStringLiteral(
    "QHeaderView::section { background-color: rgb(128, 128, 255); color: black; border: 0px; "
    "border-right: 1px solid rgb(96, 96, 192); border-bottom: 1px solid rgb(96, 96, 192); padding: 0px 2px; }");

// Whether a cell's text is a number, a date or a time: digits that must all show.
bool isNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[-+]?[0-9][0-9,./: ]*$"));
    return number.match(text).hasMatch();
}

// The text drawn into `room`, narrowed across by `condense`; its height stays.
void drawCondensed(QPainter *painter, const QRect &room, int alignment, const QString &text, qreal condense)
{
    painter->save();
    painter->translate(room.left(), 0);
    painter->scale(condense, 1);
    painter->drawText(QRectF(0, room.top(), room.width() / condense, room.height()), alignment, text);
    painter->restore();
}

// The cells: drawn by the style, a number that does not fit condensed, and a text cut by the
// style telling its whole in a tooltip.
class CellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const GridView::Fit fit = fitOf(item);
        if (fit.condense >= 1) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QString text = std::exchange(item.text, QString());
        QStyle *style = item.widget ? item.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
        const QPalette::ColorGroup group = !(item.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : item.state & QStyle::State_Active   ? QPalette::Normal
                                                                                 : QPalette::Inactive;
        painter->save();
        painter->setFont(item.font);
        painter->setPen(item.palette.color(group, item.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                      : QPalette::Text));
        drawCondensed(painter, textRoom(item), int(item.displayAlignment), text, fit.condense);
        painter->restore();
    }

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override
    {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        if (event->type() == QEvent::ToolTip && fitOf(item).cut) {
            QToolTip::showText(event->globalPos(), item.text, view->viewport(), option.rect);
            return true;
        }
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }

private:
    // Where the style writes the text: its rectangle for the text, less the margin it keeps.
    static QRect textRoom(const QStyleOptionViewItem &item)
    {
        const QStyle *style = item.widget ? item.widget->style() : QApplication::style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, item.widget) + 1;
        return style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget).adjusted(margin, 0, -margin, 0);
    }

    static GridView::Fit fitOf(const QStyleOptionViewItem &item)
    {
        return GridView::fit(item.text, isNumber(item.text), QFontMetricsF(item.font), textRoom(item).width());
    }
};

// The header row, and the fixed column, whose sections are cells: a header condensed when it
// does not fit, a cell of the fixed column as the other cells.
//
// The fixed column's width is the column width the program and the user set, never one its texts
// ask for, so it need not measure them: a header measures up to 200 of its texts whenever they
// change, which costs a reload as much as all the other cells together.
class GridHeader : public QHeaderView
{
public:
    GridHeader(Qt::Orientation orientation, QWidget *parent)
        : QHeaderView(orientation, parent)
    {
        // As the table's own row header: a press on the fixed column selects the row.
        setSectionsClickable(orientation == Qt::Vertical);
    }

    QSize sizeHint() const override
    {
        return orientation() == Qt::Vertical ? QSize(minimumWidth(), length()) : QHeaderView::sizeHint();
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        QStyleOptionHeaderV2 option = sectionOption(logicalIndex, rect);
        const GridView::Fit fit = fitOf(option);
        if (fit.condense >= 1 && !fit.cut) {
            QHeaderView::paintSection(painter, rect, logicalIndex);
            return;
        }
        const QString text = std::exchange(option.text, fit.cut ? fit.shown : QString());
        // The style sheet's drawing of a header leaves the painter clipped to nothing.
        painter->save();
        style()->drawControl(QStyle::CE_Header, &option, painter, this);
        painter->restore();
        if (fit.cut)
            return;
        painter->save();
        painter->setPen(option.palette.color(QPalette::ButtonText));
        drawCondensed(painter, style()->subElementRect(QStyle::SE_HeaderLabel, &option, this),
                      int(option.textAlignment), text, fit.condense);
        painter->restore();
    }

    bool viewportEvent(QEvent *event) override
    {
        if (event->type() == QEvent::ToolTip) {
            const auto *help = static_cast<QHelpEvent *>(event);
            const int section = logicalIndexAt(help->pos());
            const int from = sectionViewportPosition(section);
            const QRect rect = orientation() == Qt::Horizontal ? QRect(from, 0, sectionSize(section), height())
                                                               : QRect(0, from, width(), sectionSize(section));
            const QStyleOptionHeaderV2 option = sectionOption(section, rect);
            if (section >= 0 && fitOf(option).cut) {
                QToolTip::showText(help->globalPos(), option.text, viewport(), rect);
                return true;
            }
        }
        return QHeaderView::viewportEvent(event);
    }

private:
    QStyleOptionHeaderV2 sectionOption(int section, const QRect &rect) const
    {
        QStyleOptionHeaderV2 option;
        initStyleOption(&option);
        if (section >= 0)
            initStyleOptionForIndex(&option, section);
        option.rect = rect;
        return option;
    }

    GridView::Fit fitOf(const QStyleOptionHeader &option) const
    {
        return GridView::fit(option.text, orientation() == Qt::Horizontal || isNumber(option.text),
                             QFontMetricsF(font()),
                             style()->subElementRect(QStyle::SE_HeaderLabel, &option, this).width());
    }
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
    setHorizontalHeader(new GridHeader(Qt::Horizontal, this));
    setVerticalHeader(new GridHeader(Qt::Vertical, this));
    setItemDelegate(new CellDelegate(this));
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

GridView::Fit GridView::fit(const QString &text, bool condensable, const QFontMetricsF &metrics, qreal room)
{
    const qreal width = metrics.horizontalAdvance(text);
    if (width <= room)
        return {text, 1, false};
    if (room <= 0)
        return {QString(), 1, true};
    if (condensable)
        return {text, room / width, false};
    return {metrics.elidedText(text, Qt::ElideRight, room), 1, true};
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

void GridView::widenColumnsToContents()
{
    for (int column = 0; column < (model() ? model()->columnCount() : 0); ++column)
        setColumnWidth(column, std::max({columnWidth(column), sizeHintForColumn(column),
                                         horizontalHeader()->sectionSizeHint(column)}));
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
