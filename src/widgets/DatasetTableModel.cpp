#include "DatasetTableModel.h"

#include "data/Dataset.h"

#include <algorithm>

DatasetTableModel::DatasetTableModel(Dataset *dataset, const QList<GridColumn> &columns, QObject *parent)
    : QAbstractTableModel(parent)
    , m_dataset(dataset)
    , m_columns(columns)
{
    connect(m_dataset, &Dataset::rowsReset, this, &DatasetTableModel::reset);
    reset();
}

void DatasetTableModel::reset()
{
    beginResetModel();
    // Column positions change with the statement, so they are looked up on
    // every reset; a column the dataset lacks shows empty cells.
    m_datasetColumns.clear();
    for (const GridColumn &column : std::as_const(m_columns))
        m_datasetColumns.append(m_dataset->isOpen() ? m_dataset->columnIndex(column.field) : -1);
    m_fetched = std::min(m_dataset->rowCount(), FetchBatch);
    endResetModel();
}

int DatasetTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_fetched;
}

int DatasetTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    return m_dataset->textAt(index.row(), m_datasetColumns.at(index.column()));
}

QVariant DatasetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns.at(section).title;
    return {};
}

Qt::ItemFlags DatasetTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool DatasetTableModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_fetched < m_dataset->rowCount();
}

void DatasetTableModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    fetchUpTo(std::min(m_fetched + FetchBatch, m_dataset->rowCount()) - 1);
}

void DatasetTableModel::fetchUpTo(int row)
{
    const int last = std::min(row, m_dataset->rowCount() - 1);
    if (last < m_fetched)
        return;
    beginInsertRows({}, m_fetched, last);
    m_fetched = last + 1;
    endInsertRows();
}
