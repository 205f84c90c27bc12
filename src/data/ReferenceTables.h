#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The reference's tables and the columns the program reads, parents first.
struct ReferenceTable
{
    QString name;
    QStringList columns;
};

const std::vector<ReferenceTable> &referenceTables();
