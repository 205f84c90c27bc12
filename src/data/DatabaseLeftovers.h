#pragma once

#include <QString>
#include <QStringList>

// Files that lie beside the database but are not it: SQLite's journals of an
// earlier file of the same name, and the files a start builds the database
// in before giving it its real name.

// SQLite's rollback journal, write-ahead log and its index for a file at
// path, those that exist. SQLite replays a journal into whatever file has the
// database's name next, so a new database must never meet them.
QStringList journalsBeside(const QString &databasePath);

// The name a start builds the database under, as QTemporaryFile's template.
QString buildingFileTemplate(const QString &databasePath);

// Removes the building files (and SQLite's journals of them) that a start
// killed part-way left behind. A start still building holds a lock on its
// file, so only abandoned ones go; nothing that does not carry the building
// name is touched.
void removeAbandonedBuildingFiles(const QString &databasePath);
