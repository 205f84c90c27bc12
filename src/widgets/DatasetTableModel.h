#pragma once

#include "GridColumn.h"

#include <QAbstractTableModel>
#include <QList>

class Dataset;

// The visible rows of a dataset as a read-only table of the chosen columns.
// Rows are handed to the view in batches as it scrolls (canFetchMore and
// fetchMore), so a dataset of a million rows opens as fast as one of ten.
class DatasetTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int FetchBatch = 256;

    DatasetTableModel(Dataset *dataset, const QList<GridColumn> &columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // Hands rows to the view up to and including this one, so that the
    // dataset's current row always has an index.
    void fetchUpTo(int row);

private:
    void reset();

    Dataset *m_dataset;
    QList<GridColumn> m_columns;
    QList<int> m_datasetColumns;
    int m_fetched = 0;
};
