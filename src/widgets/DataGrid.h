#pragma once

#include "GridColumn.h"

#include <QList>
#include <QTableView>

class DataSource;
class DatasetTableModel;

// A read-only grid over the dataset of a data source: one row per visible
// row, the dataset's current row highlighted, and a click on a row making it
// the current one. Writes go through the windows' buttons, never the grid.
class DataGrid : public QTableView
{
    Q_OBJECT

public:
    DataGrid(DataSource *source, const QList<GridColumn> &columns, QWidget *parent = nullptr);

signals:
    // A mouse click in a cell, after its row became the current one. Moving
    // with the keyboard changes the current row but does not click.
    void cellClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showCurrentRow();
    void followView(const QModelIndex &current);
    void fitRowsToFont();

    DataSource *m_source;
    DatasetTableModel *m_model;
    bool m_showingCurrentRow = false;
};
