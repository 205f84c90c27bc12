#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

struct sqlite3;
struct pg_conn;

// One connection to the reference database: a SQLite file given by path, or
// a PostgreSQL database given by a connection URI. It never creates a missing
// file: the reference database is supplied (or made on first start under a
// temporary name), so a wrong path must be an error, not an empty file.
class DatabaseConnection : public QObject
{
    Q_OBJECT

public:
    enum class Access { ReadWrite, ReadOnly };
    enum class Engine { Sqlite, Postgres };

    explicit DatabaseConnection(QObject *parent = nullptr);
    ~DatabaseConnection() override;

    QString databasePath() const { return m_path; }
    void setDatabasePath(const QString &path);
    // What messages name: the location without any password in it.
    QString shownLocation() const;
    Engine engine() const { return m_engine; }

    void setAccess(Access access) { m_access = access; }

    void connectToDatabase();
    // Connects again, to the same path, when an earlier connect failed or the
    // connection was closed: a user who has closed the program that held the
    // file goes on without a restart, and a failure raises as connect does.
    void ensureConnected();
    void disconnectFromDatabase();
    bool isConnected() const { return m_handle != nullptr || m_server != nullptr; }

    sqlite3 *handle() const;
    // A server connection lost since the last statement is opened again here,
    // so the action after a dropped connection works once the server is back.
    pg_conn *serverHandle() const;

    // The server's own prepared statement for this text, prepared on its first
    // run in this session: planning costs the server more than a point query
    // runs. Empty when the server refused it (describeFailure says why).
    QByteArray serverStatementName(const QByteArray &sql) const;
    // A statement the server no longer has, or whose plan it cannot reuse
    // after the table changed, is prepared again at its next run.
    void forgetServerStatement(const QByteArray &sql) const;

    bool isServerConnectionLost() const;
    // The server's last message, as libpq gives it.
    QString serverMessage() const;

    // Builds the error for a failed call on this connection: what we were
    // doing, the location, and the engine's own message.
    QString describeFailure(const QString &action) const;

    // Column names of a table in table order.
    QStringList tableColumns(const QString &table) const;

signals:
    void aboutToDisconnect();

private:
    void connectToFile();
    void connectToServer();
    void requireRegularFile() const;

    QString m_path;
    Engine m_engine = Engine::Sqlite;
    Access m_access = Access::ReadWrite;
    sqlite3 *m_handle = nullptr;
    pg_conn *m_server = nullptr;
    mutable QHash<QByteArray, QByteArray> m_serverStatements;
    mutable int m_serverStatementCount = 0;
};
