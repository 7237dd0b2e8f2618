#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <QVector>

#include <utility>

// A table of rows as a GridView shows it: every cell's text (and background) worked out when the
// view asks for it, from the rows the core computed. No cell is an object of its own, so filling
// the table with thousands of rows costs what the rows cost.
//
// Columns count the fixed column first when the table has one; the view shows that column as its
// vertical header, so the model's own columns are the ones after it.
class TableModel : public QAbstractTableModel
{
public:
    TableModel(QStringList headers, bool fixedColumn, QObject *parent);

    const QStringList &headers() const { return m_headers; }
    bool hasFixedColumn() const { return m_fixedColumn; }
    // A row's texts as the table shows them, the fixed column first.
    QStringList rowTexts(int row) const;
    // The header row, then every row: the table as a CSV copy holds it.
    QVector<QStringList> texts() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    virtual int rows() const = 0;
    virtual QString text(int row, int column) const = 0;
    // Invalid for the plain background.
    virtual QColor background(int row, int column) const;

private:
    QStringList m_headers;
    bool m_fixedColumn;
};

// The model over one kind of row struct: `Text` gives a cell's text from the row, its place in
// the table (0 for the first) and the column; `Background` (optional) the cell's background.
template <typename Row>
class RowsModel : public TableModel
{
public:
    using Text = QString (*)(const Row &row, int place, int column);
    using Background = QColor (*)(const Row &row, int column);

    RowsModel(QStringList headers, bool fixedColumn, Text text, Background background = nullptr,
              QObject *parent = nullptr)
        : TableModel(std::move(headers), fixedColumn, parent)
        , m_text(text)
        , m_background(background)
    {
    }

    // Replaces every row; the view's current row and highlight go with the old rows.
    void setRows(QVector<Row> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    const QVector<Row> &rowList() const { return m_rows; }

protected:
    int rows() const override { return static_cast<int>(m_rows.size()); }
    QString text(int row, int column) const override { return m_text(m_rows.at(row), row, column); }
    QColor background(int row, int column) const override
    {
        return m_background ? m_background(m_rows.at(row), column) : QColor();
    }

private:
    QVector<Row> m_rows;
    Text m_text;
    Background m_background;
};
