#include "ReferenceCopy.h"

#include "DatabaseConnection.h"
#include "DatabaseError.h"
#include "PreparedStatement.h"
#include "ReadSnapshot.h"
#include "ReferenceDatabaseCreation.h"
#include "ReferenceTables.h"
#include "SqlNames.h"
#include "Transaction.h"

namespace {

bool targetHasRows(const DatabaseConnection &target)
{
    for (const ReferenceTable &table : referenceTables()) {
        PreparedStatement any(target, QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(table.name));
        if (any.step())
            return true;
    }
    return false;
}

void prepareTarget(DatabaseConnection &target, bool replace)
{
    int present = 0;
    for (const ReferenceTable &table : referenceTables())
        present += target.tableColumns(table.name).isEmpty() ? 0 : 1;
    if (present == 0) {
        writeReferenceSchema(target);
        return;
    }
    if (present < int(referenceTables().size()))
        throw DatabaseError(QStringLiteral("База данных «%1»: в ней только часть таблиц справочника; копировать в неё нельзя.")
                                .arg(target.shownLocation()));
    if (!targetHasRows(target))
        return;
    if (!replace)
        throw DatabaseError(QStringLiteral("База данных «%1» не пуста: в ней уже есть справочник. "
                                           "Чтобы заменить его, добавьте --replace.")
                                .arg(target.shownLocation()));
    // Children first, and rows are written parents first, so that a target
    // with foreign keys of its own takes them.
    for (auto table = referenceTables().rbegin(); table != referenceTables().rend(); ++table)
        PreparedStatement(target, QStringLiteral("DELETE FROM %1").arg(table->name)).execute();
}

// Where column sits among names, whichever case each engine spelled it in.
int columnIndex(const DatabaseConnection &connection, const QStringList &names, const QString &table, const QString &column)
{
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw DatabaseError(
        QStringLiteral("База данных «%1»: в таблице «%2» нет столбца «%3».").arg(connection.shownLocation(), table, column));
}

int copyTable(const DatabaseConnection &source, const DatabaseConnection &target, const ReferenceTable &table)
{
    const bool sourceOnServer = source.engine() == DatabaseConnection::Engine::Postgres;
    PreparedStatement rows(
        source,
        QStringLiteral("SELECT * FROM %1%2").arg(table.name, sourceOnServer ? QStringLiteral(" ORDER BY guid COLLATE \"C\"") : QString()));
    QStringList sourceNames;
    for (int i = 0; i < rows.columnCount(); ++i)
        sourceNames << rows.columnName(i);
    QList<int> sourceColumns;
    for (const QString &column : table.columns)
        sourceColumns << columnIndex(source, sourceNames, table.name, column);

    // A server folds unquoted names to lower case: the target's own spelling is the one to quote.
    const QStringList targetNames = target.tableColumns(table.name);
    QStringList names;
    for (const QString &column : table.columns)
        names << quotedName(targetNames[columnIndex(target, targetNames, table.name, column)]);
    PreparedStatement insert(
        target,
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(table.name, names.join(QStringLiteral(", ")), QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", "))));
    int copied = 0;
    while (rows.step()) {
        for (int i = 0; i < sourceColumns.size(); ++i) {
            const auto value = rows.columnValue(sourceColumns[i]);
            if (value)
                insert.bindUtf8(i + 1, *value);
            else
                insert.bindNull(i + 1);
        }
        insert.execute();
        insert.reset();
        ++copied;
    }
    return copied;
}

} // namespace

QStringList copyReference(const DatabaseConnection &source, DatabaseConnection &target, bool replace)
{
    const ReadSnapshot snapshot(source);
    Transaction transaction(target);
    prepareTarget(target, replace);
    QStringList report;
    for (const ReferenceTable &table : referenceTables())
        report << QStringLiteral("%1: %2").arg(table.name).arg(copyTable(source, target, table));
    transaction.commit();
    return report;
}
