#include "DatabaseLocation.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString &overriddenPath()
{
    static QString path;
    return path;
}

} // namespace

QString caseNumberDatabasePath()
{
    if (!overriddenPath().isEmpty())
        return overriddenPath();
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("CaseNumber.db"));
}

void setCaseNumberDatabasePath(const QString &path)
{
    overriddenPath() = path;
}
