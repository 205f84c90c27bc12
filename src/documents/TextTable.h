#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A table of texts with a header row, as the list window and the command
// line hand it to the exports.
struct TextTable
{
    QStringList header;
    QList<QStringList> rows;
};
