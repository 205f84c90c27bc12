#pragma once

#include <QString>

// "CaseNumber.db" in the directory of the running executable: the one place
// the program, the command-line decoder and start-up take the path from.
QString caseNumberDatabasePath();

// Points the program at another file; tests use it to run the real windows
// over a database of their own.
void setCaseNumberDatabasePath(const QString &path);
