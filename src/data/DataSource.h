#pragma once

#include <QObject>

class Dataset;

// Links one dataset to the grids and edit boxes of the windows; controls are
// bound to the source, never directly to a dataset.
class DataSource : public QObject
{
    Q_OBJECT

public:
    explicit DataSource(Dataset *dataset, QObject *parent = nullptr)
        : QObject(parent)
        , m_dataset(dataset)
    {
    }

    Dataset *dataset() const { return m_dataset; }

private:
    Dataset *m_dataset;
};
