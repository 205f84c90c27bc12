#pragma once

#include <QString>

class DatabaseConnection;

// Makes the reference database at path when no file is there: the three
// tables, their indexes and one court row per arbitration court of the list
// compiled into the program. An existing file is not even opened.
// Raises DatabaseError naming path and reason when the file cannot be made;
// nothing is left behind then, under the real name or any other.
void createReferenceDatabaseIfMissing(const QString &path);

// An empty reference file: the same tables and indexes, made the same safe
// way, with no rows at all; for a copy to fill. An existing file is an error.
void createEmptyReferenceFile(const QString &path);

// The reference's three tables, their GUID keys and the decoder's indexes,
// and the bundled courts, written through a connection to a database that
// has none of them yet (a server's, say); inside the caller's transaction.
void writeReferenceSchema(const DatabaseConnection &connection);
void writeBundledCourts(const DatabaseConnection &connection);
