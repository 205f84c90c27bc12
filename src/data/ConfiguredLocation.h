#pragma once

#include <QString>
#include <QStringList>

// Where the window's reference lives, by the first of: `--db LOCATION` (or
// `--db=LOCATION`) among the arguments, `database=` in group `[database]` of
// velmora.ini beside the executable, the same in the per-user configuration
// folder. Empty when none says: the default file then applies.
QString configuredDatabaseLocation(const QStringList &arguments);

// The per-user settings file: the configuration folder's Velmora/velmora.ini.
QString userSettingsPath();
