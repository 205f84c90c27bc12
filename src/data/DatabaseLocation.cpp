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
    if (executableFolder.isDir() && executableFolder.isWritable())
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
