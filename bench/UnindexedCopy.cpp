#include "UnindexedCopy.h"

#include "data/DatabaseConnection.h"
#include "data/PreparedStatement.h"

#include <QFile>
#include <QStringList>

#include <stdexcept>

namespace {

const QStringList Tables = {QStringLiteral("judgement"), QStringLiteral("structures"), QStringLiteral("separation")};

const QString SelectColumns = QStringLiteral("SELECT name FROM pragma_table_info(?, 'source') ORDER BY cid");

QString quotedName(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

void copyWithoutIndexes(const QString &source, const QString &target)
{
    // SQLite takes an empty file for an empty database; the connection itself never creates one.
    QFile empty(target);
    if (!empty.open(QIODevice::NewOnly))
        throw std::runtime_error(QStringLiteral("cannot create %1: %2").arg(target, empty.errorString()).toStdString());
    empty.close();

    DatabaseConnection connection;
    connection.setDatabasePath(target);
    connection.connectToDatabase();
    PreparedStatement(connection, QStringLiteral("PRAGMA journal_mode = OFF")).execute();
    PreparedStatement(connection, QStringLiteral("PRAGMA synchronous = OFF")).execute();
    {
        PreparedStatement attach(connection, QStringLiteral("ATTACH DATABASE ? AS source"));
        attach.bindText(1, source);
        attach.execute();
    }

    PreparedStatement(connection, QStringLiteral("BEGIN")).execute();
    for (const QString &table : Tables) {
        QStringList columns;
        {
            PreparedStatement select(connection, SelectColumns);
            select.bindText(1, table);
            while (select.step())
                columns.append(quotedName(select.columnText(0)) + QStringLiteral(" TEXT"));
        }
        // Names, not values: they come from the source file's own schema.
        PreparedStatement(connection,
                          QStringLiteral("CREATE TABLE main.%1 (%2)").arg(quotedName(table), columns.join(QStringLiteral(", "))))
            .execute();
        PreparedStatement(connection, QStringLiteral("INSERT INTO main.%1 SELECT * FROM source.%1 ORDER BY rowid").arg(quotedName(table)))
            .execute();
    }
    PreparedStatement(connection, QStringLiteral("COMMIT")).execute();
    PreparedStatement(connection, QStringLiteral("DETACH DATABASE source")).execute();
}
