#include "ReferenceDatabaseCreation.h"

#include "DatabaseConnection.h"
#include "DatabaseError.h"
#include "DatabaseLeftovers.h"
#include "DmUnit.h"
#include "PreparedStatement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// The list lives in the static core library; registering it pulls it into
// every program that links the library and makes a database. Outside any
// namespace, as the registration function is a global one.
static void registerCourtList()
{
    Q_INIT_RESOURCE(courts);
}

namespace {

const QString CourtListResource = QStringLiteral(":/courts/arbitration-courts.tsv");

const QStringList SchemaStatements = {
    QStringLiteral("CREATE TABLE judgement (GUID TEXT PRIMARY KEY, JudgementCode TEXT, JudgementName TEXT)"),
    QStringLiteral("CREATE TABLE structures (GUID TEXT PRIMARY KEY, ref_Judgement TEXT, StructureNum TEXT, "
                   "StructureType TEXT, StructureFAXNum TEXT, StructureSpecification TEXT)"),
    QStringLiteral("CREATE TABLE separation (GUID TEXT PRIMARY KEY, ref_structures TEXT, SeparationName TEXT, "
                   "Phone TEXT, vnphone TEXT, zal TEXT, floor TEXT)"),
    // The decoder filters courts by code and the editor lists the children of one parent at a time.
    // The decoder also asks for the first division of a composition in row order, which the
    // one-column index answers directly, and for a division by number within a composition.
    QStringLiteral("CREATE INDEX judgement_JudgementCode ON judgement (JudgementCode)"),
    QStringLiteral("CREATE INDEX structures_ref_Judgement ON structures (ref_Judgement)"),
    QStringLiteral("CREATE INDEX separation_ref_structures ON separation (ref_structures)"),
    QStringLiteral("CREATE INDEX separation_ref_structures_SeparationName ON separation (ref_structures, SeparationName)"),
};

const QString InsertCourtStatement = QStringLiteral("INSERT INTO judgement (GUID, JudgementCode, JudgementName) VALUES (?, ?, ?)");

struct Court
{
    QString code;
    QString name;
};

QList<Court> bundledCourts()
{
    QFile list(CourtListResource);
    if (!list.open(QIODevice::ReadOnly))
        return {};

    // Tab-separated UTF-8: a header line (code, name, kind), then one court a line.
    const QStringList lines = QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QList<Court> courts;
    for (const QString &line : lines.mid(1)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        courts.append({fields.value(0), fields.value(1)});
    }
    return courts;
}

void writeCourts(const DatabaseConnection &connection, const QList<Court> &courts)
{
    PreparedStatement insert(connection, InsertCourtStatement);
    for (const Court &court : courts) {
        insert.bindTexts({TDM::newguid(), court.code, court.name});
        insert.execute();
        insert.reset();
    }
}

void fillDatabase(const QString &path, const QList<Court> &courts)
{
    DatabaseConnection connection;
    connection.setDatabasePath(path);
    connection.connectToDatabase();

    // One transaction: one sync to disk for the whole list instead of one per court.
    PreparedStatement(connection, QStringLiteral("BEGIN")).execute();
    writeReferenceSchema(connection);
    writeCourts(connection, courts);
    PreparedStatement(connection, QStringLiteral("COMMIT")).execute();
}

// Gives the finished file its real name unless something already has it:
// another copy of the program starting at the same moment may have put its
// own database there and be reading it. Returns 0 or the errno of the failure.
int renameWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // The file system cannot promise "no replace" on a rename; a hard link can,
    // since link() refuses an existing name.
    if (::link(source.constData(), target.constData()) != 0)
        return errno;
    ::unlink(source.constData());
    return 0;
}

QString notCreated(const QString &path, const QString &reason)
{
    return QStringLiteral("База данных «%1» не создана: %2").arg(path, reason);
}

// The journal of an earlier file of this name would be replayed into the
// new one and corrupt it. It may hold someone's unsaved changes, so it is
// the user's to move, not ours to delete.
void refuseBesideJournals(const QString &path)
{
    const QStringList journals = journalsBeside(path);
    if (!journals.isEmpty()) {
        throw DatabaseError(notCreated(path,
                                       QStringLiteral("рядом лежат файлы журнала прежней базы с тем же именем: %1. "
                                                      "SQLite перенёс бы их содержимое в новую базу и испортил бы её. "
                                                      "Если прежняя база найдётся, верните её на место; иначе "
                                                      "переместите или удалите эти файлы и запустите программу снова.")
                                           .arg(journals.join(QStringLiteral(", ")))));
    }
}

QList<Court> requiredBundledCourts(const QString &location)
{
    registerCourtList();
    const QList<Court> courts = bundledCourts();
    if (courts.isEmpty())
        throw DatabaseError(notCreated(location, QStringLiteral("список судов «%1» не найден в программе.").arg(CourtListResource)));
    return courts;
}

void createReferenceFile(const QString &path, const QList<Court> &courts)
{
    // The user's data folder does not exist before the program's first start there.
    QDir().mkpath(QFileInfo(path).absolutePath());

    // Built under a name of its own and renamed only when complete, so a crash
    // or a full disk never leaves a half-made database under the real name.
    // The lock tells a start running meanwhile that this file is not abandoned;
    // it lasts until the file is closed, after the rename.
    QTemporaryFile building(buildingFileTemplate(path));
    if (!building.open()) {
        throw DatabaseError(notCreated(
            path, QStringLiteral("в папке «%1» нельзя создать файл: %2.").arg(QFileInfo(path).absolutePath(), building.errorString())));
    }
    ::flock(building.handle(), LOCK_EX);
    const QString buildingPath = building.fileName();

    try {
        fillDatabase(buildingPath, courts);
    } catch (const DatabaseError &error) {
        throw DatabaseError(notCreated(path, error.message()));
    }

    // A temporary file is private to its owner; the reference database is an
    // ordinary file that every user of the program reads.
    building.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);

    const int failure = renameWithoutReplacing(buildingPath, path);
    if (failure == EEXIST)
        return; // someone else's database appeared meanwhile: theirs stays, ours goes
    if (failure != 0) {
        throw DatabaseError(notCreated(
            path,
            QStringLiteral("готовый файл «%1» не переименован: %2.").arg(buildingPath, QString::fromLocal8Bit(std::strerror(failure)))));
    }
    building.setAutoRemove(false);
}

} // namespace

void writeReferenceSchema(const DatabaseConnection &connection)
{
    for (const QString &statement : SchemaStatements)
        PreparedStatement(connection, statement).execute();
}

void writeBundledCourts(const DatabaseConnection &connection)
{
    writeCourts(connection, requiredBundledCourts(connection.shownLocation()));
}

void createReferenceDatabaseIfMissing(const QString &path)
{
    removeAbandonedBuildingFiles(path);
    if (QFileInfo::exists(path))
        return;
    refuseBesideJournals(path);
    createReferenceFile(path, requiredBundledCourts(path));
}

void createEmptyReferenceFile(const QString &path)
{
    removeAbandonedBuildingFiles(path);
    if (QFileInfo::exists(path))
        throw DatabaseError(notCreated(path, QStringLiteral("такой файл уже есть.")));
    refuseBesideJournals(path);
    createReferenceFile(path, {});
}
