#include "DatabaseConnection.h"

#include "DatabaseError.h"

#include <QFileInfo>
#include <sqlite3.h>

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

    const QFileInfo file(m_path);
    if (!file.exists())
        throw DatabaseError(QStringLiteral("База данных «%1» не найдена: такого файла нет.").arg(m_path));
    if (file.isDir())
        throw DatabaseError(QStringLiteral("База данных «%1» не открыта: это папка, а не файл.").arg(m_path));

    const int flags = (m_access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE)
                      | SQLITE_OPEN_FULLMUTEX;
    sqlite3 *handle = nullptr;
    const int rc = sqlite3_open_v2(m_path.toUtf8().constData(), &handle, flags, nullptr);
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
