#pragma once

#include <QString>

// The two folders where "CaseNumber.db" may live: beside the executable, as a
// portable copy keeps it, and the user's own data folder, for a program
// installed where the user may not write.
struct DatabaseFolders
{
    QString executableFolder;
    QString userDataFolder;
};

// The folder of the running executable and the per-user data folder of the
// program named Velmora (~/.local/share/Velmora), whichever program asks.
DatabaseFolders defaultDatabaseFolders();

// Beside the executable when the file is there or may be made there (never
// made in a system program folder such as /usr/bin, even by root);
// otherwise in the user's data folder. The program creates the file at this
// path when it is missing; velmora-decode only reads it.
QString caseNumberDatabasePath(const DatabaseFolders &folders);

// The path the program, the command-line decoder and start-up use: the one
// set below, or the one chosen in the default folders.
QString caseNumberDatabasePath();

// Points the program at another file; tests use it to run the real windows
// over a database of their own.
void setCaseNumberDatabasePath(const QString &path);
