#include "DatabaseLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString DatabaseFileName = QStringLiteral("CaseNumber.db");

QString &overriddenPath()
{
    static QString path;
    return path;
}

// Folders that belong to the system's packages. Root may write there, but a
// data file made beside /usr/bin/velmora would outlive the package's removal
// and be the read-only file every other user opens afterwards.
bool isSystemProgramFolder(const QString &folder)
{
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return path == QLatin1String("/bin") || path == QLatin1String("/sbin") || path.startsWith(QLatin1String("/usr/"));
}

} // namespace

DatabaseFolders defaultDatabaseFolders()
{
    // AppDataLocation would follow each program's own name, and
    // velmora-decode must find the file the window program made.
    const QString sharedData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return {QCoreApplication::applicationDirPath(), QDir(sharedData).filePath(QStringLiteral("Velmora"))};
}

QString caseNumberDatabasePath(const DatabaseFolders &folders)
{
    const QString besideExecutable = QDir(folders.executableFolder).filePath(DatabaseFileName);
    if (QFileInfo::exists(besideExecutable))
        return besideExecutable;
    const QFileInfo executableFolder(folders.executableFolder);
    if (executableFolder.isDir() && executableFolder.isWritable() && !isSystemProgramFolder(folders.executableFolder))
        return besideExecutable;
    return QDir(folders.userDataFolder).filePath(DatabaseFileName);
}

QString caseNumberDatabasePath()
{
    if (!overriddenPath().isEmpty())
        return overriddenPath();
    return caseNumberDatabasePath(defaultDatabaseFolders());
}

void setCaseNumberDatabasePath(const QString &path)
{
    overriddenPath() = path;
}
