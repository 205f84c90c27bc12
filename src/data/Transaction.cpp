#include "Transaction.h"

#include "DatabaseConnection.h"
#include "DatabaseError.h"
#include "PreparedStatement.h"

#include <libpq-fe.h>

namespace {

void run(const DatabaseConnection &connection, const QString &sql)
{
    PreparedStatement(connection, sql).execute();
}

// The server allows a savepoint only inside a transaction; SQLite's
// savepoint outside one starts it.
bool needsOwnTransaction(const DatabaseConnection &connection)
{
    return connection.engine() == DatabaseConnection::Engine::Postgres && PQtransactionStatus(connection.serverHandle()) == PQTRANS_IDLE;
}

} // namespace

Transaction::Transaction(DatabaseConnection &connection)
    : m_connection(connection)
    , m_ownTransaction(needsOwnTransaction(connection))
{
    run(m_connection, m_ownTransaction ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT velmora"));
}

Transaction::~Transaction()
{
    if (!m_open || !m_connection.isConnected() || m_connection.isServerConnectionLost())
        return;
    // Nothing may escape a destructor; a rollback that fails leaves the
    // engine to undo the transaction when the connection closes.
    try {
        if (m_ownTransaction) {
            run(m_connection, QStringLiteral("ROLLBACK"));
        } else {
            run(m_connection, QStringLiteral("ROLLBACK TO velmora"));
            run(m_connection, QStringLiteral("RELEASE velmora"));
        }
    } catch (const DatabaseError &) {
    }
}

void Transaction::commit()
{
    run(m_connection, m_ownTransaction ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE velmora"));
    m_open = false;
}
