#pragma once

#include <QString>

// A database location is either a file path or a PostgreSQL connection URI
// in libpq's own syntax; only the URI schemes libpq knows make it a server.
bool isServerLocation(const QString &location);

// The location as the user may see it in a message or the About box: a
// password, in the user part or as a parameter, never shows.
QString locationWithoutPassword(const QString &location);
