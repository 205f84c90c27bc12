#pragma once

#include "decoder/StructInfo.h"

#include <QStringList>

// The lines the main window lists for a decode (and the command-line decoder
// prints): thirteen labelled lines, or the single not-found line. A two-digit
// year above the current year's last two digits belongs to the last century.
QStringList resultLines(const StructInfo &info, int currentYear);

// The same, for the year on this machine's calendar.
QStringList resultLines(const StructInfo &info);
