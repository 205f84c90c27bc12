#pragma once

#include <QString>

// Cleans text that holds no case number of a known shape before it goes to
// the decoder as it stands: trims white space, drops a leading "Дело", "№",
// "N" or "No" (and "в„–", a "№" read in the wrong code page), turns
// typographic dashes into "-" and a backslash into "/", removes blanks
// around "-" and "/", and makes the first Latin capital A of the court code
// (the text before the first "-") the Cyrillic А. Nothing else is changed.
QString cleanedTypedNumber(const QString &typed);
