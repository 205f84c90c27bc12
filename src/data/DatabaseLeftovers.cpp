#include "DatabaseLeftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QStringList JournalSuffixes = {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")};

// QTemporaryFile puts six letters or digits in place of the template's X's.
const QString BuildingMarker = QStringLiteral(".XXXXXX.tmp");

// True when no living start holds the file: it could be locked, so its owner is gone.
bool isAbandoned(const QString &path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0)
        return false;
    const bool abandoned = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
    ::close(descriptor);
    return abandoned;
}

} // namespace

QStringList journalsBeside(const QString &databasePath)
{
    QStringList found;
    for (const QString &suffix : JournalSuffixes) {
        // A dangling symbolic link still takes the name.
        const QFileInfo journal(databasePath + suffix);
        if (journal.exists() || journal.isSymLink())
            found << journal.filePath();
    }
    return found;
}

QString buildingFileTemplate(const QString &databasePath)
{
    return databasePath + BuildingMarker;
}

void removeAbandonedBuildingFiles(const QString &databasePath)
{
    const QFileInfo database(databasePath);
    const QDir folder = database.absoluteDir();
    const QRegularExpression buildingName(
        QStringLiteral("^%1\\.[A-Za-z0-9]{6}\\.tmp$").arg(QRegularExpression::escape(database.fileName())));
    const QRegularExpression journalOfBuilding(
        QStringLiteral("^(%1\\.[A-Za-z0-9]{6}\\.tmp)(-journal|-wal|-shm)$").arg(QRegularExpression::escape(database.fileName())));

    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (buildingName.match(name).hasMatch() && isAbandoned(folder.filePath(name))) {
            for (const QString &suffix : JournalSuffixes)
                QFile::remove(folder.filePath(name + suffix));
            QFile::remove(folder.filePath(name));
        }
    }
    // A journal whose building file is gone was left by a start killed as it
    // renamed or removed that file; no living start still needs it.
    for (const QString &name : names) {
        const auto match = journalOfBuilding.match(name);
        if (match.hasMatch() && !QFileInfo::exists(folder.filePath(match.captured(1))))
            QFile::remove(folder.filePath(name));
    }
}
