#pragma once

#include <QObject>
#include <QString>

struct sqlite3;

// One SQLite connection to a database file given by path. It never creates
// a missing file: the reference database is supplied (or made on first start
// under a temporary name), so a wrong path must be an error, not an empty file.
class DatabaseConnection : public QObject
{
    Q_OBJECT

public:
    enum class Access { ReadWrite, ReadOnly };

    explicit DatabaseConnection(QObject *parent = nullptr);
    ~DatabaseConnection() override;

    QString databasePath() const { return m_path; }
    void setDatabasePath(const QString &path);

    void setAccess(Access access) { m_access = access; }

    void connectToDatabase();
    // Connects again, to the same path, when an earlier connect failed or the
    // connection was closed: a user who has closed the program that held the
    // file goes on without a restart, and a failure raises as connect does.
    void ensureConnected();
    void disconnectFromDatabase();
    bool isConnected() const { return m_handle != nullptr; }

    sqlite3 *handle() const;

    // Builds the error for a failed SQLite call on this connection:
    // what we were doing, the file, and SQLite's message.
    QString describeFailure(const QString &action) const;

signals:
    void aboutToDisconnect();

private:
    void requireRegularFile() const;

    QString m_path;
    Access m_access = Access::ReadWrite;
    sqlite3 *m_handle = nullptr;
};
