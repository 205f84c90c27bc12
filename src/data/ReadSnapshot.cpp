#include "ReadSnapshot.h"

#include "DatabaseConnection.h"
#include "DatabaseError.h"
#include "PreparedStatement.h"

#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

bool inTransaction(const DatabaseConnection &connection)
{
    if (connection.engine() == DatabaseConnection::Engine::Postgres)
        return PQtransactionStatus(connection.serverHandle()) != PQTRANS_IDLE;
    return !sqlite3_get_autocommit(connection.handle());
}

} // namespace

ReadSnapshot::ReadSnapshot(const DatabaseConnection &connection)
    : m_connection(connection)
{
    // Inside a caller's transaction its snapshot already holds.
    if (inTransaction(connection))
        return;
    // SQLite takes its snapshot at the first read of a deferred transaction;
    // the server's repeatable read takes it at the first statement.
    PreparedStatement(connection,
                      connection.engine() == DatabaseConnection::Engine::Postgres
                          ? QStringLiteral("BEGIN READ ONLY ISOLATION LEVEL REPEATABLE READ")
                          : QStringLiteral("BEGIN"))
        .execute();
    m_began = true;
}

ReadSnapshot::~ReadSnapshot()
{
    if (!m_began)
        return;
    try {
        // Nothing was written, so ending it either way is the same; a lost connection has ended it already.
        if (m_connection.isConnected() && !m_connection.isServerConnectionLost())
            PreparedStatement(m_connection, QStringLiteral("COMMIT")).execute();
    } catch (const DatabaseError &) {
        // An exception is already on its way, or the connection went; the next snapshot starts afresh.
    }
}
