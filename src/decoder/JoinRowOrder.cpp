#include "JoinRowOrder.h"

#include "data/PreparedStatement.h"

#include <QRegularExpression>

namespace {

const QRegularExpression OuterScan(QStringLiteral("^SCAN (\\w+)$"));
const QRegularExpression IndexSearch(QStringLiteral("^SEARCH (\\w+) USING (?:COVERING )?INDEX (\\w+) \\((\\w+=\\?(?: AND \\w+=\\?)*)\\)$"));
const QRegularExpression RowidSearch(QStringLiteral("^SEARCH (\\w+) USING INTEGER PRIMARY KEY \\(rowid=\\?\\)$"));

int indexColumnCount(const DatabaseConnection &connection, const QString &index)
{
    PreparedStatement columns(connection, QStringLiteral("SELECT count(*) FROM pragma_index_info(?)"));
    columns.bindText(1, index);
    columns.step();
    return columns.columnText(0).toInt();
}

} // namespace

std::optional<QStringList> joinRowOrder(const DatabaseConnection &connection, const QString &joinStatement)
{
    PreparedStatement plan(connection, QStringLiteral("EXPLAIN QUERY PLAN ") + joinStatement);
    QStringList tables;
    while (plan.step()) {
        const QString step = plan.columnText(3);
        // A Bloom filter only skips lookups that would find nothing; it does not reorder rows.
        if (step.startsWith(QLatin1String("BLOOM FILTER ON ")))
            continue;
        if (tables.isEmpty()) {
            const auto scan = OuterScan.match(step);
            if (!scan.hasMatch())
                return std::nullopt;
            tables << scan.captured(1);
            continue;
        }
        if (const auto search = RowidSearch.match(step); search.hasMatch()) {
            tables << search.captured(1);
            continue;
        }
        // Equal keys of an index come in rowid order only when the equality
        // covers every column of the index.
        const auto search = IndexSearch.match(step);
        if (!search.hasMatch() || indexColumnCount(connection, search.captured(2)) != search.captured(3).count(QLatin1String("=?")))
            return std::nullopt;
        tables << search.captured(1);
    }
    return tables;
}
