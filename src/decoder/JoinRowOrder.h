#pragma once

#include <QStringList>

#include <optional>

class DatabaseConnection;

// The order in which SQLite returns the rows of a join, read from its query
// plan. When the plan is a scan of one table in rowid order with each further
// table looked up by equality on a whole index (or its rowid), rows come
// ordered by the rowids of the tables in nesting order; the tables are
// returned outermost first. Any other plan gives nothing: its order is not
// one we can reproduce.
std::optional<QStringList> joinRowOrder(const DatabaseConnection &connection, const QString &joinStatement);
