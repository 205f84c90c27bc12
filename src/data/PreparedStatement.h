#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class DatabaseConnection;
struct sqlite3_stmt;
struct pg_result;

// One statement on either engine, with its rows read one at a time. Every
// value travels as text. Placeholders are written as SQLite writes them
// ("?" in order, or "?N"); on the server they become "$N". Failures raise
// DatabaseError naming the location and the statement.
class PreparedStatement
{
public:
    PreparedStatement(const DatabaseConnection &connection, const QString &sql);
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement &) = delete;
    PreparedStatement &operator=(const PreparedStatement &) = delete;

    // Positions start at 1, as in SQLite.
    void bindText(int position, const QString &text);
    void bindTexts(const QStringList &texts);
    void bindInt64(int position, qint64 value);
    void bindDouble(int position, double value);
    void bindNull(int position);
    // Bytes already in UTF-8, bound as text or as a blob, as they are.
    void bindUtf8(int position, QByteArrayView utf8);
    void bindBlob(int position, QByteArrayView bytes);

    // True while there is a row to read; false once the statement is done.
    bool step();
    // Runs a statement that returns no rows.
    void execute();
    void reset();
    // Rows the last run inserted, changed or deleted.
    int changedRows() const;

    bool isOnServer() const { return m_statement == nullptr; }
    // SQLite's own statement, for the code that reads SQLite's query plans; null on the server.
    sqlite3_stmt *handle() const { return m_statement; }
    int columnCount() const;
    QString columnName(int column) const;
    // Like the dataset: the first column of that name, whatever its case; -1 when there is none.
    int columnIndex(const QString &name) const;
    // The table a column is read from; empty for a computed column.
    QString columnTable(int column) const;
    // The table's own name for a column read straight from it.
    QString columnOrigin(int column) const;
    // The UTF-8 text of a column of the current row; nothing for null.
    std::optional<QByteArrayView> columnValue(int column) const;
    QString columnText(int column) const;
    qint64 columnInt64(int column) const;

private:
    void check(int rc, int position) const;
    void setServerParameter(int position, std::optional<QByteArray> value);
    [[noreturn]] void fail(const QString &action) const;
    bool stepOnServer();
    const pg_result *serverColumns() const;

    const DatabaseConnection &m_connection;
    QString m_sql;
    sqlite3_stmt *m_statement = nullptr;

    // The server runs the statement at its first step and keeps its rows.
    QByteArray m_serverSql;
    int m_serverParameterCount = 0;
    std::vector<std::optional<QByteArray>> m_serverParameters;
    pg_result *m_serverResult = nullptr;
    mutable pg_result *m_serverDescription = nullptr;
    int m_serverRow = -1;
};
