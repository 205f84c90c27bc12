#include "DatabaseConnection.h"

#include "DatabaseError.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

// Another program (the sqlite3 shell, a second copy of Velmora) may hold a
// write lock for a moment; waiting a little spares the user a spurious error.
constexpr int BusyTimeoutMilliseconds = 3000;

} // namespace

DatabaseConnection::DatabaseConnection(QObject *parent)
    : QObject(parent)
{
}

DatabaseConnection::~DatabaseConnection()
{
    if (m_handle)
        sqlite3_close_v2(m_handle);
}

void DatabaseConnection::setDatabasePath(const QString &path)
{
    m_path = path;
}

void DatabaseConnection::connectToDatabase()
{
    if (m_handle)
        return;

    requireRegularFile();

    const int flags = (m_access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE)
                      | SQLITE_OPEN_FULLMUTEX;
    // Debian's SQLite reads any name that begins with "file:" as a URI, which
    // would open another file (or apply its "?mode=" options); an absolute
    // path begins with "/" and is always taken as the path it is.
    const QByteArray openedPath = QFile::encodeName(QFileInfo(m_path).absoluteFilePath());
    sqlite3 *handle = nullptr;
    const int rc = sqlite3_open_v2(openedPath.constData(), &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = handle ? QString::fromUtf8(sqlite3_errmsg(handle))
                                      : QString::fromUtf8(sqlite3_errstr(rc));
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

void DatabaseConnection::ensureConnected()
{
    if (!m_handle)
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
                                               "нет права войти в одну из папок на пути к файлу.").arg(m_path));
        }
        throw DatabaseError(QStringLiteral("База данных «%1» не открыта: %2.")
                                .arg(m_path, QString::fromLocal8Bit(std::strerror(failure))));
    }
    if (S_ISDIR(status.st_mode))
        throw DatabaseError(QStringLiteral("База данных «%1» не открыта: это папка, а не файл.").arg(m_path));
    if (!S_ISREG(status.st_mode)) {
        throw DatabaseError(QStringLiteral("База данных «%1» не открыта: это не обычный файл "
                                           "(канал, устройство или сокет).").arg(m_path));
    }
}

void DatabaseConnection::disconnectFromDatabase()
{
    if (!m_handle)
        return;
    emit aboutToDisconnect();
    sqlite3_close_v2(m_handle);
    m_handle = nullptr;
}

sqlite3 *DatabaseConnection::handle() const
{
    if (!m_handle)
        throw DatabaseError(QStringLiteral("Нет соединения с базой данных «%1».").arg(m_path));
    return m_handle;
}

QString DatabaseConnection::describeFailure(const QString &action) const
{
    const QString reason = m_handle ? QString::fromUtf8(sqlite3_errmsg(m_handle)) : QString();
    return QStringLiteral("База данных «%1»: %2: %3").arg(m_path, action, reason);
}
