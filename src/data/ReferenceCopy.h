#pragma once

#include <QString>
#include <QStringList>

class DatabaseConnection;

// The three tables of the reference, copied row for row with their GUID keys
// from one database to another, file or server, in one transaction of the
// target and one snapshot of the source. The target must hold no reference
// rows (its tables are made when it has none); with replace, its rows go first.
// Rows are written in the source's own order: a file's row order, or a
// server's key order. Returns one line per table saying how many rows came.
QStringList copyReference(const DatabaseConnection &source, DatabaseConnection &target, bool replace);
