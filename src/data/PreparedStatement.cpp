#include "PreparedStatement.h"

#include "DatabaseConnection.h"
#include "DatabaseError.h"

#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

// The one SQLSTATE a user can act on by asking for another role.
constexpr char InsufficientPrivilege[] = "42501";
// The server lost the prepared statement, or cannot reuse it since a table changed.
constexpr char UnknownPreparedStatement[] = "26000";
constexpr char CachedPlanChangedResult[] = "0A000";

struct ServerStatement
{
    QByteArray sql;
    int parameterCount = 0;
};

// Rewrites SQLite's "?" and "?N" as the server's "$N", leaving quoted text,
// quoted names and comments alone.
ServerStatement serverStatement(const QString &sql)
{
    const QByteArray source = sql.toUtf8();
    ServerStatement result;
    int nextPosition = 0;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (c == '\'' || c == '"') {
            const qsizetype end = source.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? source.size() : end + 1;
            result.sql += source.mid(i, stop - i);
            i = stop - 1;
        } else if (c == '-' && i + 1 < source.size() && source[i + 1] == '-') {
            const qsizetype end = source.indexOf('\n', i);
            const qsizetype stop = end < 0 ? source.size() : end;
            result.sql += source.mid(i, stop - i);
            i = stop - 1;
        } else if (c == '?') {
            qsizetype digits = i + 1;
            while (digits < source.size() && source[digits] >= '0' && source[digits] <= '9')
                ++digits;
            const int position = digits > i + 1 ? source.mid(i + 1, digits - i - 1).toInt() : ++nextPosition;
            nextPosition = std::max(nextPosition, position);
            result.parameterCount = std::max(result.parameterCount, position);
            result.sql += '$' + QByteArray::number(position);
            i = digits - 1;
        } else {
            result.sql += c;
        }
    }
    return result;
}

} // namespace

PreparedStatement::PreparedStatement(const DatabaseConnection &connection, const QString &sql)
    : m_connection(connection), m_sql(sql)
{
    if (connection.engine() == DatabaseConnection::Engine::Postgres) {
        connection.serverHandle();
        const ServerStatement statement = serverStatement(sql);
        m_serverSql = statement.sql;
        m_serverParameterCount = statement.parameterCount;
        m_serverParameters.resize(statement.parameterCount);
        return;
    }
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
    PQclear(m_serverResult);
    PQclear(m_serverDescription);
}

void PreparedStatement::bindText(int position, const QString &text)
{
    bindUtf8(position, text.toUtf8());
}

void PreparedStatement::bindUtf8(int position, QByteArrayView utf8)
{
    if (isOnServer()) {
        // Server text cannot hold NUL and libpq would end the value at it, so pasted
        // "А40\0…" would match А40; the replacement character keeps the rest of the text counting.
        setServerParameter(position, utf8.toByteArray().replace('\0', QByteArray("\xEF\xBF\xBD")));
        return;
    }
    // A null view would bind SQL null; an empty text stays an empty text.
    check(sqlite3_bind_text(m_statement, position, utf8.isNull() ? "" : utf8.data(), int(utf8.size()), SQLITE_TRANSIENT),
          position);
}

void PreparedStatement::bindBlob(int position, QByteArrayView bytes)
{
    if (isOnServer()) {
        setServerParameter(position, bytes.toByteArray());
        return;
    }
    check(sqlite3_bind_blob(m_statement, position, bytes.isNull() ? "" : bytes.data(), int(bytes.size()), SQLITE_TRANSIENT),
          position);
}

void PreparedStatement::bindDouble(int position, double value)
{
    if (isOnServer()) {
        setServerParameter(position, QByteArray::number(value, 'g', 17));
        return;
    }
    check(sqlite3_bind_double(m_statement, position, value), position);
}

void PreparedStatement::bindNull(int position)
{
    if (isOnServer()) {
        setServerParameter(position, std::nullopt);
        return;
    }
    check(sqlite3_bind_null(m_statement, position), position);
}

void PreparedStatement::setServerParameter(int position, std::optional<QByteArray> value)
{
    if (position < 1 || position > m_serverParameterCount)
        fail(QStringLiteral("параметр %1 запроса «%2» не задан").arg(position).arg(shortenedForMessage(m_sql)));
    m_serverParameters[position - 1] = std::move(value);
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
    if (isOnServer()) {
        setServerParameter(position, QByteArray::number(value));
        return;
    }
    check(sqlite3_bind_int64(m_statement, position, value), position);
}

bool PreparedStatement::step()
{
    if (!m_statement)
        return stepOnServer();
    switch (sqlite3_step(m_statement)) {
    case SQLITE_ROW:
        return true;
    case SQLITE_DONE:
        return false;
    default:
        fail(QStringLiteral("запрос «%1» не выполнен").arg(shortenedForMessage(m_sql)));
    }
}

bool PreparedStatement::stepOnServer()
{
    if (!m_serverResult) {
        std::vector<const char *> values;
        for (const auto &parameter : m_serverParameters)
            values.push_back(parameter ? parameter->constData() : nullptr);
        const QByteArray name = m_connection.serverStatementName(m_serverSql);
        if (name.isEmpty())
            fail(QStringLiteral("запрос «%1» не выполнен").arg(shortenedForMessage(m_sql)));
        m_serverResult = PQexecPrepared(m_connection.serverHandle(), name.constData(), m_serverParameterCount, values.data(),
                                        nullptr, nullptr, 0);
        const ExecStatusType status = PQresultStatus(m_serverResult);
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
            const QByteArray state = PQresultErrorField(m_serverResult, PG_DIAG_SQLSTATE);
            PQclear(m_serverResult);
            m_serverResult = nullptr;
            if (state == InsufficientPrivilege)
                throw DatabaseError(QStringLiteral("База данных «%1»: нет прав на изменение справочника.").arg(m_connection.shownLocation()));
            if (state == UnknownPreparedStatement || state == CachedPlanChangedResult)
                m_connection.forgetServerStatement(m_serverSql);
            fail(QStringLiteral("запрос «%1» не выполнен").arg(shortenedForMessage(m_sql)));
        }
        m_serverRow = -1;
    }
    if (m_serverRow < PQntuples(m_serverResult))
        ++m_serverRow;
    return m_serverRow < PQntuples(m_serverResult);
}

void PreparedStatement::execute()
{
    while (step()) {
    }
}

void PreparedStatement::reset()
{
    if (!m_statement) {
        PQclear(m_serverResult);
        m_serverResult = nullptr;
        m_serverRow = -1;
        std::fill(m_serverParameters.begin(), m_serverParameters.end(), std::nullopt);
        return;
    }
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

int PreparedStatement::changedRows() const
{
    if (!m_statement)
        return m_serverResult ? QByteArray(PQcmdTuples(m_serverResult)).toInt() : 0;
    return sqlite3_changes(m_connection.handle());
}

// Before its first run the server describes a statement without running it.
const pg_result *PreparedStatement::serverColumns() const
{
    if (m_serverResult)
        return m_serverResult;
    if (!m_serverDescription) {
        const QByteArray name = m_connection.serverStatementName(m_serverSql);
        if (name.isEmpty())
            fail(QStringLiteral("запрос «%1» не выполнен").arg(shortenedForMessage(m_sql)));
        m_serverDescription = PQdescribePrepared(m_connection.serverHandle(), name.constData());
        if (PQresultStatus(m_serverDescription) != PGRES_COMMAND_OK) {
            PQclear(m_serverDescription);
            m_serverDescription = nullptr;
            fail(QStringLiteral("запрос «%1» не выполнен").arg(shortenedForMessage(m_sql)));
        }
    }
    return m_serverDescription;
}

int PreparedStatement::columnCount() const
{
    return m_statement ? sqlite3_column_count(m_statement) : PQnfields(serverColumns());
}

QString PreparedStatement::columnName(int column) const
{
    return QString::fromUtf8(m_statement ? sqlite3_column_name(m_statement, column) : PQfname(serverColumns(), column));
}

QString PreparedStatement::columnTable(int column) const
{
    if (m_statement) {
        const char *table = sqlite3_column_table_name(m_statement, column);
        // An attached database's table is not ours to write.
        return table && qstrcmp(sqlite3_column_database_name(m_statement, column), "main") == 0 ? QString::fromUtf8(table) : QString();
    }
    const Oid table = PQftable(serverColumns(), column);
    if (table == InvalidOid)
        return {};
    PreparedStatement name(m_connection, QStringLiteral("SELECT relname FROM pg_class WHERE oid = ?::oid"));
    name.bindText(1, QString::number(table));
    return name.step() ? name.columnText(0) : QString();
}

QString PreparedStatement::columnOrigin(int column) const
{
    if (m_statement)
        return QString::fromUtf8(sqlite3_column_origin_name(m_statement, column));
    const pg_result *columns = serverColumns();
    PreparedStatement name(m_connection, QStringLiteral("SELECT attname FROM pg_attribute WHERE attrelid = ?::oid AND attnum = ?::int2"));
    name.bindInt64(1, PQftable(columns, column));
    name.bindInt64(2, PQftablecol(columns, column));
    return name.step() ? name.columnText(0) : QString();
}

std::optional<QByteArrayView> PreparedStatement::columnValue(int column) const
{
    if (!m_statement) {
        if (PQgetisnull(m_serverResult, m_serverRow, column))
            return std::nullopt;
        return QByteArrayView(PQgetvalue(m_serverResult, m_serverRow, column), PQgetlength(m_serverResult, m_serverRow, column));
    }
    if (sqlite3_column_type(m_statement, column) == SQLITE_NULL)
        return std::nullopt;
    // Every value is handled as text; SQLite renders numbers the way the shell shows them.
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QByteArrayView(text ? text : "", sqlite3_column_bytes(m_statement, column));
}

QString PreparedStatement::columnText(int column) const
{
    const auto value = columnValue(column);
    return value ? QString::fromUtf8(*value) : QString();
}

qint64 PreparedStatement::columnInt64(int column) const
{
    return m_statement ? sqlite3_column_int64(m_statement, column) : columnText(column).toLongLong();
}

void PreparedStatement::fail(const QString &action) const
{
    if (!m_statement) {
        if (m_connection.isServerConnectionLost())
            throw DatabaseError(QStringLiteral("Соединение с сервером базы данных «%1» прервано: %2: %3 Следующее действие соединится заново.")
                                    .arg(m_connection.shownLocation(), action, m_connection.serverMessage()));
        throw DatabaseError(m_connection.describeFailure(action));
    }
    const QString message = m_connection.describeFailure(action);
    sqlite3_reset(m_statement);
    throw DatabaseError(message);
}

int PreparedStatement::columnIndex(const QString &name) const
{
    for (int column = 0; column < columnCount(); ++column) {
        if (columnName(column).compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}
