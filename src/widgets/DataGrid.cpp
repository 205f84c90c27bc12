#include "DataGrid.h"

#include "DatasetTableModel.h"
#include "data/DataSource.h"
#include "data/Dataset.h"

#include <QEvent>
#include <QHeaderView>

#include <algorithm>

DataGrid::DataGrid(DataSource *source, const QList<GridColumn> &columns, QWidget *parent)
    : QTableView(parent)
    , m_source(source)
    , m_model(new DatasetTableModel(source->dataset(), columns, this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < columns.size(); ++column)
        setColumnWidth(column, columns.at(column).width);
    fitRowsToFont();

    Dataset *dataset = source->dataset();
    // The model resets first (it was connected first), then the view finds
    // the dataset's row again.
    connect(dataset, &Dataset::rowsReset, this, &DataGrid::showCurrentRow);
    connect(dataset, &Dataset::currentRowChanged, this, &DataGrid::showCurrentRow);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &DataGrid::followView);
    connect(this, &QAbstractItemView::clicked, this, [this] { emit cellClicked(); });
    showCurrentRow();
}

void DataGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitRowsToFont();
}

void DataGrid::fitRowsToFont()
{
    // Compact rows as in a classic data grid: the text and a few pixels.
    const int rowHeight = fontMetrics().height() + 4;
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setFixedHeight(rowHeight + 2);
}

void DataGrid::showCurrentRow()
{
    const int row = m_source->dataset()->currentRow();
    m_showingCurrentRow = true;
    if (row < 0) {
        selectionModel()->clear();
    } else {
        m_model->fetchUpTo(row);
        const int column = std::max(currentIndex().column(), 0);
        const QModelIndex index = m_model->index(row, column);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    }
    m_showingCurrentRow = false;
}

void DataGrid::followView(const QModelIndex &current)
{
    if (m_showingCurrentRow || !current.isValid())
        return;
    Dataset *dataset = m_source->dataset();
    dataset->setCurrentRow(current.row());
    // While the dataset is inserting or editing its cursor cannot move.
    if (dataset->currentRow() != current.row())
        showCurrentRow();
}
