#include "ConfiguredLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString locationFromCommandLine(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--db") && i + 1 < arguments.size())
            return arguments[i + 1];
        if (arguments[i].startsWith(QLatin1String("--db=")))
            return arguments[i].mid(5);
    }
    return {};
}

QString locationFromSettings(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return {};
    const QSettings settings(path, QSettings::IniFormat);
    return settings.value(QStringLiteral("database/database")).toString().trimmed();
}

} // namespace

QString userSettingsPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(QStringLiteral("Velmora/velmora.ini"));
}

QString configuredDatabaseLocation(const QStringList &arguments)
{
    QString location = locationFromCommandLine(arguments);
    if (location.isEmpty())
        location = locationFromSettings(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("velmora.ini")));
    if (location.isEmpty())
        location = locationFromSettings(userSettingsPath());
    return location;
}
