#include "PreparedStatement.h"

#include "DatabaseConnection.h"
#include "DatabaseError.h"

#include <sqlite3.h>

PreparedStatement::PreparedStatement(const DatabaseConnection &connection, const QString &sql)
    : m_connection(connection), m_sql(sql)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(connection.handle(), utf8.constData(), int(utf8.size()), &m_statement, nullptr) != SQLITE_OK) {
        const QString message = connection.describeFailure(QStringLiteral("запрос «%1» не выполнен").arg(shortenedForMessage(sql)));
        sqlite3_finalize(m_statement);
        throw DatabaseError(message);
    }
    if (!m_statement)
        throw DatabaseError(connection.describeFailure(QStringLiteral("запрос «%1» пуст").arg(shortenedForMessage(sql))));
}

PreparedStatement::~PreparedStatement()
{
    sqlite3_finalize(m_statement);
}

void PreparedStatement::bindText(int position, const QString &text)
{
    bindUtf8(position, text.toUtf8());
}

void PreparedStatement::bindUtf8(int position, QByteArrayView utf8)
{
    // A null view would bind SQL null; an empty text stays an empty text.
    check(sqlite3_bind_text(m_statement, position, utf8.isNull() ? "" : utf8.data(), int(utf8.size()), SQLITE_TRANSIENT),
          position);
}

void PreparedStatement::bindBlob(int position, QByteArrayView bytes)
{
    check(sqlite3_bind_blob(m_statement, position, bytes.isNull() ? "" : bytes.data(), int(bytes.size()), SQLITE_TRANSIENT),
          position);
}

void PreparedStatement::bindDouble(int position, double value)
{
    check(sqlite3_bind_double(m_statement, position, value), position);
}

void PreparedStatement::bindNull(int position)
{
    check(sqlite3_bind_null(m_statement, position), position);
}

void PreparedStatement::check(int rc, int position) const
{
    if (rc != SQLITE_OK)
        fail(QStringLiteral("параметр %1 запроса «%2» не задан").arg(position).arg(shortenedForMessage(m_sql)));
}

void PreparedStatement::bindTexts(const QStringList &texts)
{
    for (int i = 0; i < texts.size(); ++i)
        bindText(i + 1, texts.at(i));
}

void PreparedStatement::bindInt64(int position, qint64 value)
{
    check(sqlite3_bind_int64(m_statement, position, value), position);
}

bool PreparedStatement::step()
{
    switch (sqlite3_step(m_statement)) {
    case SQLITE_ROW:
        return true;
    case SQLITE_DONE:
        return false;
    default:
        fail(QStringLiteral("запрос «%1» не выполнен").arg(shortenedForMessage(m_sql)));
    }
}

void PreparedStatement::execute()
{
    while (step()) {
    }
}

void PreparedStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

int PreparedStatement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

QString PreparedStatement::columnText(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column)) : QString();
}

void PreparedStatement::fail(const QString &action) const
{
    const QString message = m_connection.describeFailure(action);
    sqlite3_reset(m_statement);
    throw DatabaseError(message);
}
