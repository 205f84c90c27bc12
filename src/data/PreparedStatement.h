#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

class DatabaseConnection;
struct sqlite3_stmt;

// A compiled SQLite statement that finalizes itself. Failures raise
// DatabaseError naming the file and the statement.
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

    sqlite3_stmt *handle() const { return m_statement; }
    int columnCount() const;
    QString columnText(int column) const;

private:
    void check(int rc, int position) const;
    [[noreturn]] void fail(const QString &action) const;

    const DatabaseConnection &m_connection;
    QString m_sql;
    sqlite3_stmt *m_statement = nullptr;
};
