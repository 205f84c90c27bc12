#include "Transaction.h"

#include "DatabaseConnection.h"
#include "DatabaseError.h"

#include <sqlite3.h>

namespace {

void run(const DatabaseConnection &connection, const char *sql)
{
    if (sqlite3_exec(connection.handle(), sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DatabaseError(connection.describeFailure(QStringLiteral("запрос «%1» не выполнен").arg(QString::fromLatin1(sql))));
}

} // namespace

Transaction::Transaction(DatabaseConnection &connection)
    : m_connection(connection)
{
    run(m_connection, "SAVEPOINT velmora");
}

Transaction::~Transaction()
{
    if (!m_open || !m_connection.isConnected())
        return;
    // Nothing may escape a destructor; a rollback that fails leaves SQLite to
    // undo the savepoint when the connection closes.
    sqlite3_exec(m_connection.handle(), "ROLLBACK TO velmora; RELEASE velmora", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    run(m_connection, "RELEASE velmora");
    m_open = false;
}
