#include "DatabaseConnection.h"

#include "DatabaseError.h"
#include "PreparedStatement.h"
#include "ServerLocation.h"

#include <QFile>
#include <QFileInfo>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

// Another program (the sqlite3 shell, a second copy of Velmora) may hold a
// write lock for a moment; waiting a little spares the user a spurious error.
constexpr int BusyTimeoutMilliseconds = 3000;

QString messageOf(const pg_conn *server)
{
    return QString::fromUtf8(PQerrorMessage(server)).trimmed();
}

} // namespace

DatabaseConnection::DatabaseConnection(QObject *parent)
    : QObject(parent)
{
}

DatabaseConnection::~DatabaseConnection()
{
    if (m_handle)
        sqlite3_close_v2(m_handle);
    if (m_server)
        PQfinish(m_server);
}

void DatabaseConnection::setDatabasePath(const QString &path)
{
    m_path = path;
    m_engine = isServerLocation(path) ? Engine::Postgres : Engine::Sqlite;
}

QString DatabaseConnection::shownLocation() const
{
    return locationWithoutPassword(m_path);
}

void DatabaseConnection::connectToDatabase()
{
    if (isConnected())
        return;
    if (m_engine == Engine::Postgres)
        connectToServer();
    else
        connectToFile();
}

void DatabaseConnection::connectToFile()
{
    requireRegularFile();

    const int flags = (m_access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_FULLMUTEX;
    // Debian's SQLite reads any name that begins with "file:" as a URI, which
    // would open another file (or apply its "?mode=" options); an absolute
    // path begins with "/" and is always taken as the path it is.
    const QByteArray openedPath = QFile::encodeName(QFileInfo(m_path).absoluteFilePath());
    sqlite3 *handle = nullptr;
    const int rc = sqlite3_open_v2(openedPath.constData(), &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(handle);
        throw DatabaseError(QStringLiteral("База данных «%1» не открыта: %2").arg(m_path, reason));
    }
    sqlite3_busy_timeout(handle, BusyTimeoutMilliseconds);

    // SQLite reads the file lazily; reading the schema now turns "not a
    // database" or "locked" into an error of the connect, not of a later query.
    char *message = nullptr;
    if (sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &message) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(message ? message : sqlite3_errmsg(handle));
        sqlite3_free(message);
        sqlite3_close_v2(handle);
        throw DatabaseError(QStringLiteral("База данных «%1» не открыта: %2").arg(m_path, reason));
    }
    m_handle = handle;
}

void DatabaseConnection::connectToServer()
{
    pg_conn *server = PQconnectdb(m_path.toUtf8().constData());
    if (PQstatus(server) != CONNECTION_OK) {
        const QString reason = messageOf(server);
        PQfinish(server);
        throw DatabaseError(QStringLiteral("Сервер базы данных «%1» недоступен: %2").arg(shownLocation(), reason));
    }
    // Every value crosses as UTF-8 text, whatever the server's own encoding.
    if (PQsetClientEncoding(server, "UTF8") != 0) {
        const QString reason = messageOf(server);
        PQfinish(server);
        throw DatabaseError(QStringLiteral("Сервер базы данных «%1» не принял кодировку UTF-8: %2").arg(shownLocation(), reason));
    }
    m_server = server;
    if (m_access == Access::ReadOnly)
        PreparedStatement(*this, QStringLiteral("SET default_transaction_read_only = on")).execute();
}

void DatabaseConnection::ensureConnected()
{
    if (!isConnected())
        connectToDatabase();
}

// A FIFO or a device would make SQLite wait for a writer forever or fail
// with a bare "disk I/O error"; a symbolic link to a regular file is fine.
void DatabaseConnection::requireRegularFile() const
{
    struct stat status;
    if (::stat(QFile::encodeName(m_path).constData(), &status) != 0) {
        const int failure = errno;
        if (failure == ENOENT)
            throw DatabaseError(QStringLiteral("База данных «%1» не найдена: такого файла нет.").arg(m_path));
        if (failure == EACCES) {
            throw DatabaseError(QStringLiteral("База данных «%1» не открыта: доступ запрещён — "
                                               "нет права войти в одну из папок на пути к файлу.")
                                    .arg(m_path));
        }
        throw DatabaseError(QStringLiteral("База данных «%1» не открыта: %2.").arg(m_path, QString::fromLocal8Bit(std::strerror(failure))));
    }
    if (S_ISDIR(status.st_mode))
        throw DatabaseError(QStringLiteral("База данных «%1» не открыта: это папка, а не файл.").arg(m_path));
    if (!S_ISREG(status.st_mode)) {
        throw DatabaseError(QStringLiteral("База данных «%1» не открыта: это не обычный файл "
                                           "(канал, устройство или сокет).")
                                .arg(m_path));
    }
}

void DatabaseConnection::disconnectFromDatabase()
{
    if (!isConnected())
        return;
    emit aboutToDisconnect();
    if (m_handle)
        sqlite3_close_v2(m_handle);
    if (m_server)
        PQfinish(m_server);
    m_handle = nullptr;
    m_server = nullptr;
    m_serverStatements.clear();
}

sqlite3 *DatabaseConnection::handle() const
{
    if (!m_handle)
        throw DatabaseError(QStringLiteral("Нет соединения с базой данных «%1».").arg(shownLocation()));
    return m_handle;
}

pg_conn *DatabaseConnection::serverHandle() const
{
    if (!m_server)
        throw DatabaseError(QStringLiteral("Нет соединения с базой данных «%1».").arg(shownLocation()));
    // A server that went away since the last statement has closed the socket;
    // reading what is pending notices it, so that the statement goes to a new
    // session instead of failing. Never inside a transaction, which a new
    // session would silently lose.
    if (PQstatus(m_server) == CONNECTION_OK && PQtransactionStatus(m_server) == PQTRANS_IDLE)
        PQconsumeInput(m_server);
    if (PQstatus(m_server) == CONNECTION_BAD) {
        // A new session has none of the old one's prepared statements.
        m_serverStatements.clear();
        PQreset(m_server);
        if (PQstatus(m_server) != CONNECTION_OK)
            throw DatabaseError(QStringLiteral("Сервер базы данных «%1» недоступен: %2").arg(shownLocation(), messageOf(m_server)));
        PQsetClientEncoding(m_server, "UTF8");
        if (m_access == Access::ReadOnly)
            PreparedStatement(*this, QStringLiteral("SET default_transaction_read_only = on")).execute();
    }
    return m_server;
}

QByteArray DatabaseConnection::serverStatementName(const QByteArray &sql) const
{
    pg_conn *server = serverHandle();
    const auto known = m_serverStatements.constFind(sql);
    if (known != m_serverStatements.cend())
        return *known;
    const QByteArray name = "velmora_" + QByteArray::number(++m_serverStatementCount);
    PGresult *prepared = PQprepare(server, name.constData(), sql.constData(), 0, nullptr);
    const bool ok = PQresultStatus(prepared) == PGRES_COMMAND_OK;
    PQclear(prepared);
    if (!ok)
        return {};
    m_serverStatements.insert(sql, name);
    return name;
}

void DatabaseConnection::forgetServerStatement(const QByteArray &sql) const
{
    const QByteArray name = m_serverStatements.take(sql);
    if (!name.isEmpty() && m_server && PQstatus(m_server) == CONNECTION_OK)
        PQclear(PQexec(m_server, ("DEALLOCATE " + name).constData()));
}

bool DatabaseConnection::isServerConnectionLost() const
{
    return m_server && PQstatus(m_server) == CONNECTION_BAD;
}

QString DatabaseConnection::serverMessage() const
{
    return m_server ? messageOf(m_server) : QString();
}

QString DatabaseConnection::describeFailure(const QString &action) const
{
    QString reason;
    if (m_handle)
        reason = QString::fromUtf8(sqlite3_errmsg(m_handle));
    else if (m_server)
        reason = messageOf(m_server);
    return QStringLiteral("База данных «%1»: %2: %3").arg(shownLocation(), action, reason);
}

QStringList DatabaseConnection::tableColumns(const QString &table) const
{
    PreparedStatement columns(*this,
                              m_engine == Engine::Postgres
                                  ? QStringLiteral("SELECT attname FROM pg_attribute WHERE attrelid = to_regclass(quote_ident(?)) AND "
                                                   "attnum > 0 AND NOT attisdropped ORDER BY attnum")
                                  : QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"));
    columns.bindText(1, table);
    QStringList names;
    while (columns.step())
        names << columns.columnText(0);
    return names;
}
