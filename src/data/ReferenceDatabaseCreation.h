#pragma once

#include <QString>

// Makes the reference database at path when no file is there: the three
// tables, their indexes and one court row per arbitration court of the list
// compiled into the program. An existing file is not even opened.
// Raises DatabaseError naming path and reason when the file cannot be made;
// nothing is left behind then, under the real name or any other.
void createReferenceDatabaseIfMissing(const QString &path);
