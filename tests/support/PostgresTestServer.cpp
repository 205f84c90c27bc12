#include "PostgresTestServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUrl>
#include <libpq-fe.h>

#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace {

PostgresTestServer *&startedServer()
{
    static PostgresTestServer *server = nullptr;
    return server;
}

// The newest server Debian's packages put there; the test needs no particular one.
QString serverBinaries()
{
    QDir root(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(), [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
    for (const QString &version : versions) {
        const QString bin = root.filePath(version + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/initdb")))
            return bin;
    }
    throw std::runtime_error("PostgreSQL server not installed (no /usr/lib/postgresql/*/bin/initdb): run tools/install-packages.sh");
}

struct Connection
{
    explicit Connection(const QString &uri)
        : handle(PQconnectdb(uri.toUtf8().constData()))
    {
        if (PQstatus(handle) != CONNECTION_OK)
            throw std::runtime_error("test server connection failed: " + std::string(PQerrorMessage(handle)));
    }
    ~Connection() { PQfinish(handle); }
    PGconn *handle;
};

} // namespace

PostgresTestServer &PostgresTestServer::instance()
{
    if (!startedServer())
        startedServer() = new PostgresTestServer;
    return *startedServer();
}

void PostgresTestServer::shutDown()
{
    delete startedServer();
    startedServer() = nullptr;
}

PostgresTestServer::PostgresTestServer()
    : m_folder(std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/velmora-pg-XXXXXX")))
    , m_binaries(serverBinaries())
    , m_asPostgresUser(geteuid() == 0)
{
    if (!m_folder->isValid())
        throw std::runtime_error("no temporary folder for the test server");
    if (m_asPostgresUser) {
        const passwd *postgres = getpwnam("postgres");
        if (!postgres)
            throw std::runtime_error("running as root, but there is no `postgres` user to run the test server");
        if (chown(m_folder->path().toUtf8().constData(), postgres->pw_uid, postgres->pw_gid) != 0)
            throw std::runtime_error("cannot hand the test server's folder to `postgres`");
    }
    // Trust on the socket only: the folder is private, and roles are what the tests exercise, not passwords.
    run({m_binaries + QStringLiteral("/initdb"), QStringLiteral("--pgdata=") + m_folder->filePath(QStringLiteral("data")),
         QStringLiteral("--username=velmora"), QStringLiteral("--auth=trust"), QStringLiteral("--encoding=UTF8"),
         QStringLiteral("--locale=C"), QStringLiteral("--no-sync")});
    requirePasswordOf(PasswordUser);
    start();
    watchOwner();
}

// One role must give its password, so that a wrong one can be shown to fail;
// the first matching line of the file wins.
void PostgresTestServer::requirePasswordOf(const QString &role) const
{
    QFile rules(m_folder->filePath(QStringLiteral("data/pg_hba.conf")));
    if (!rules.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the test server's pg_hba.conf");
    const QByteArray trusted = rules.readAll();
    rules.close();
    if (!rules.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write the test server's pg_hba.conf");
    rules.write("local all " + role.toUtf8() + " scram-sha-256\n" + trusted);
}

// A test program that crashes or is killed runs no destructor: a watcher of
// its own stops the server and removes the folder once the program is gone.
void PostgresTestServer::watchOwner() const
{
    const QString script = QStringLiteral(
        "while [ -d /proc/$1 ]; do sleep 1; done; \"$2/pg_ctl\" stop --pgdata=\"$3/data\" --mode=immediate >/dev/null 2>&1; rm -rf \"$3\"");
    QStringList program{QStringLiteral("setsid"),
                        QStringLiteral("sh"),
                        QStringLiteral("-c"),
                        script,
                        QStringLiteral("watcher"),
                        QString::number(QCoreApplication::applicationPid()),
                        m_binaries,
                        m_folder->path()};
    if (m_asPostgresUser)
        program = QStringList{QStringLiteral("runuser"), QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} + program;
    QProcess::startDetached(program.first(), program.mid(1));
}

PostgresTestServer::~PostgresTestServer()
{
    if (m_running) {
        try {
            stop();
        } catch (const std::exception &) {
            // Nothing more to do at the end of a run; the folder goes anyway.
        }
    }
}

void PostgresTestServer::run(const QStringList &command) const
{
    QStringList program = command;
    if (m_asPostgresUser)
        program = QStringList{QStringLiteral("runuser"), QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} + command;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program.first(), program.mid(1));
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error("test server command failed: " + program.join(QLatin1Char(' ')).toStdString() + "\n"
                                 + process.readAll().toStdString());
}

void PostgresTestServer::start()
{
    const QString options = QStringLiteral("-c listen_addresses='' -c unix_socket_directories='%1' -c fsync=off").arg(m_folder->path());
    run({m_binaries + QStringLiteral("/pg_ctl"), QStringLiteral("start"), QStringLiteral("--wait"), QStringLiteral("--silent"),
         QStringLiteral("--pgdata=") + m_folder->filePath(QStringLiteral("data")),
         QStringLiteral("--log=") + m_folder->filePath(QStringLiteral("server.log")), QStringLiteral("--options=") + options});
    m_running = true;
}

void PostgresTestServer::stop()
{
    run({m_binaries + QStringLiteral("/pg_ctl"), QStringLiteral("stop"), QStringLiteral("--wait"), QStringLiteral("--silent"),
         QStringLiteral("--mode=fast"), QStringLiteral("--pgdata=") + m_folder->filePath(QStringLiteral("data"))});
    m_running = false;
}

QString PostgresTestServer::uri(const QString &database, const QString &user) const
{
    return QStringLiteral("postgresql://%1@/%2?host=%3").arg(user, database, QString::fromUtf8(QUrl::toPercentEncoding(m_folder->path())));
}

QString PostgresTestServer::createDatabase()
{
    const QString name = QStringLiteral("test_%1").arg(++m_databases);
    execute(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE %1").arg(name));
    return name;
}

void PostgresTestServer::execute(const QString &database, const QString &sql) const
{
    Connection connection(uri(database));
    PGresult *result = PQexec(connection.handle, sql.toUtf8().constData());
    const ExecStatusType status = PQresultStatus(result);
    const std::string error = PQresultErrorMessage(result);
    PQclear(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error("fixture SQL failed on the test server: " + error);
}

QStringList PostgresTestServer::rows(const QString &database, const QString &query) const
{
    Connection connection(uri(database));
    PGresult *result = PQexec(connection.handle, query.toUtf8().constData());
    if (PQresultStatus(result) != PGRES_TUPLES_OK) {
        const std::string error = PQresultErrorMessage(result);
        PQclear(result);
        throw std::runtime_error("check query failed on the test server: " + error);
    }
    QStringList lines;
    for (int row = 0; row < PQntuples(result); ++row) {
        QStringList cells;
        for (int column = 0; column < PQnfields(result); ++column)
            cells << (PQgetisnull(result, row, column) ? QStringLiteral("NULL") : QString::fromUtf8(PQgetvalue(result, row, column)));
        lines << cells.join(QLatin1Char('|'));
    }
    PQclear(result);
    return lines;
}
