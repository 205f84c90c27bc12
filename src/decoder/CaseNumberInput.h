#pragma once

#include <QString>

// Cleans a case number as typed or pasted from a court document before it is
// decoded: trims white space, drops a leading "Дело", "№", "N" or "No",
// turns typographic dashes into "-", removes blanks around "-" and "/", and
// makes the first Latin capital A the Cyrillic А. Nothing else is changed.
QString normalizeCaseNumber(const QString &typed);
