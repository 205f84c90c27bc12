#pragma once

#include <QString>

// The four-digit year of a case year written with two or four digits, empty
// for anything else. Court files of the last century still come up; a
// two-digit year that lies ahead of this year cannot be a case already
// filed, so it is read as 19xx.
QString fullCaseYear(const QString &year, int currentYear);

// This year on the local calendar, read at most once a second: each
// QDate::currentDate() asks the C library, which looks the time-zone file up
// on disk every time, and a long document asks once a number.
int thisYear();
