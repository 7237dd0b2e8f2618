#include "platform/gui/tablemodel.h"

TableModel::TableModel(QStringList headers, bool fixedColumn, QObject *parent)
    : QAbstractTableModel(parent)
    , m_headers(std::move(headers))
    , m_fixedColumn(fixedColumn)
{
}

QStringList TableModel::rowTexts(int row) const
{
    QStringList texts;
    texts.reserve(m_headers.size());
    for (int column = 0; column < m_headers.size(); ++column)
        texts << text(row, column);
    return texts;
}

QVector<QStringList> TableModel::texts() const
{
    QVector<QStringList> records{m_headers};
    for (int row = 0; row < rows(); ++row)
        records << rowTexts(row);
    return records;
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows();
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size()) - (m_fixedColumn ? 1 : 0);
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    const int column = index.column() + (m_fixedColumn ? 1 : 0);
    if (role == Qt::DisplayRole)
        return text(index.row(), column);
    if (role == Qt::BackgroundRole) {
        const QColor color = background(index.row(), column);
        return color.isValid() ? QVariant(color) : QVariant();
    }
    return QVariant();
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return m_headers.value(section + (m_fixedColumn ? 1 : 0));
    // The fixed column's cells.
    return m_fixedColumn && section >= 0 && section < rows() ? QVariant(text(section, 0)) : QVariant();
}

QColor TableModel::background(int, int) const
{
    return QColor();
}
