#pragma once

#include "DataSource.h"
#include "DatabaseConnection.h"
#include "Dataset.h"

#include <QObject>

// The editor's data module: one connection and the three table datasets
// that the court structure editor shows and writes.
class TDM : public QObject
{
    Q_OBJECT

public:
    explicit TDM(QObject *parent = nullptr);

    // A new row key: a fresh GUID as 38 characters, braces and upper-case hexadecimal.
    static QString newguid();

    DatabaseConnection *UniConnection1;
    Dataset *UniQuery1;
    DataSource *UniDataSource1;
    Dataset *UniQuery2;
    DataSource *UniDataSource2;
    Dataset *UniQuery3;
    DataSource *UniDataSource3;
};

extern TDM *DM;
