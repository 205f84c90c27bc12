#pragma once

#include "documents/TextTable.h"

#include <QByteArray>
#include <QString>

// Tab-separated, header first, one line per row, for the clipboard: a
// spreadsheet pastes it as columns. Tabs and line breaks inside a value
// become blanks, since TSV has no quoting.
QString tableAsTsv(const TextTable &table);

// CSV that Excel opens straight away on a Russian system: UTF-8 with a
// byte-order mark (without one Excel reads 1251), ";" between values (the
// list separator where "," is the decimal point), quoted as RFC 4180 says,
// lines ending in CR LF.
QByteArray tableAsCsv(const TextTable &table);

// Writes the CSV or, for a name ending in ".xlsx", an Excel workbook with one
// sheet, through a temporary file renamed into place, so a failed save never
// leaves half a file under the user's name. Raises DocumentError.
void saveTable(const TextTable &table, const QString &path);
