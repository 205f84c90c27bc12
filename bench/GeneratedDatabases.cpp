#include "GeneratedDatabases.h"

#include "ReferenceDataGenerator.h"
#include "UnindexedCopy.h"

#include "data/DatabaseConnection.h"
#include "data/PreparedStatement.h"
#include "data/ReferenceDatabaseCreation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <QTemporaryDir>
#include <stdexcept>

#include <cstdio>
#include <exception>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString Folder = QStringLiteral(VELMORA_BENCH_DATA_DIR);

const QString SelectSchema =
    QStringLiteral("SELECT type || ' ' || name || ': ' || coalesce(sql, '') FROM sqlite_master ORDER BY type, name");

QString indexedPath(int divisions)
{
    return QDir(Folder).filePath(QStringLiteral("reference-%1.db").arg(divisions));
}

QString unindexedPath(int divisions)
{
    return QDir(Folder).filePath(QStringLiteral("reference-%1-noindex.db").arg(divisions));
}

QStringList schemaOf(const QString &path)
{
    DatabaseConnection connection;
    connection.setDatabasePath(path);
    connection.setAccess(DatabaseConnection::Access::ReadOnly);
    connection.connectToDatabase();
    PreparedStatement select(connection, SelectSchema);
    QStringList schema;
    while (select.step())
        schema.append(select.columnText(0));
    return schema;
}

const QStringList &programSchema()
{
    static const QStringList schema = [] {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("CaseNumber.db"));
        createReferenceDatabaseIfMissing(path);
        return schemaOf(path);
    }();
    return schema;
}

bool isCurrent(const QString &indexed, const QString &unindexed)
{
    return QFile::exists(indexed) && QFile::exists(unindexed) && schemaOf(indexed) == programSchema();
}

// Built under a name of their own and renamed when complete, so an
// interrupted run never leaves a half-filled file to be measured next time.
void generate(int divisions, const QString &indexed, const QString &unindexed)
{
    const QString building = QStringLiteral(".building");
    QFile::remove(indexed + building);
    QFile::remove(unindexed + building);
    QFile::remove(unindexed);

    if (!QFile::exists(indexed) || schemaOf(indexed) != programSchema()) {
        QFile::remove(indexed);
        ReferenceDataGenerator(divisions).generate(indexed + building);
        if (!QFile::rename(indexed + building, indexed))
            throw std::runtime_error(QStringLiteral("cannot rename %1 to %2").arg(indexed + building, indexed).toStdString());
    }
    copyWithoutIndexes(indexed, unindexed + building);
    if (!QFile::rename(unindexed + building, unindexed))
        throw std::runtime_error(QStringLiteral("cannot rename %1 to %2").arg(unindexed + building, unindexed).toStdString());
}

} // namespace

QString GeneratedDatabases::indexed(int divisions)
{
    makeMissing(divisions);
    return indexedPath(divisions);
}

QString GeneratedDatabases::unindexed(int divisions)
{
    makeMissing(divisions);
    return unindexedPath(divisions);
}

void GeneratedDatabases::makeMissing(int divisions)
{
    const QString indexed = indexedPath(divisions);
    const QString unindexed = unindexedPath(divisions);
    if (isCurrent(indexed, unindexed))
        return;
    if (!QDir().mkpath(Folder))
        throw std::runtime_error(QStringLiteral("cannot create the folder %1").arg(Folder).toStdString());

    std::fprintf(stderr, "Generating %d divisions in %s ...\n", divisions, qPrintable(Folder));
    std::fflush(nullptr);
    QElapsedTimer timer;
    timer.start();

    // In a child process: the generator's page cache and row buffers would
    // otherwise stay in this process's peak memory, which the benchmarks report.
    const pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("cannot start a process to generate the databases");
    if (child == 0) {
        int status = 0;
        try {
            generate(divisions, indexed, unindexed);
        } catch (const std::exception &error) {
            std::fprintf(stderr, "%s\n", error.what());
            status = 1;
        }
        std::fflush(nullptr);
        _exit(status);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(
            QStringLiteral("the databases with %1 divisions were not generated in %2").arg(divisions).arg(Folder).toStdString());
    std::fprintf(stderr, "Generated %d divisions in %.2f s\n", divisions, timer.elapsed() / 1000.0);
}
