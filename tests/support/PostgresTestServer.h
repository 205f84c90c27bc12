#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A PostgreSQL server of the test run's own: a fresh cluster in a temporary
// folder, reachable only through a Unix socket in that folder, started on
// first use and stopped and removed when the test program ends. Root cannot
// run a cluster, so as root the server runs as the package's `postgres` user.
class PostgresTestServer
{
public:
    // The one role that logs in by password (the tests give it one); all others are trusted.
    static inline const QString PasswordUser = QStringLiteral("clerk_with_password");

    static PostgresTestServer &instance();
    // Stops the server if it was started; the test program's last step.
    static void shutDown();

    ~PostgresTestServer();

    QString socketFolder() const { return m_folder->path(); }

    // A new empty database on the server; each test gets its own.
    QString createDatabase();
    // libpq's URI for a database, with the socket folder as its host.
    QString uri(const QString &database, const QString &user = QStringLiteral("velmora")) const;

    // Plain SQL through libpq as the superuser, for fixtures and for checking
    // what a write really left on the server.
    void execute(const QString &database, const QString &sql) const;
    // Every row of the query, columns joined by '|', nulls shown as "NULL".
    QStringList rows(const QString &database, const QString &query) const;

    // Simulates the server going away under a connected program, and coming back.
    void stop();
    void start();
    bool isRunning() const { return m_running; }

private:
    PostgresTestServer();
    void run(const QStringList &command) const;
    void watchOwner() const;
    void requirePasswordOf(const QString &role) const;

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_binaries;
    bool m_asPostgresUser = false;
    bool m_running = false;
    int m_databases = 0;
};
