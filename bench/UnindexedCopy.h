#pragma once

#include <QString>

// Writes to target (which must not exist) the three tables of source with the
// same columns and the same rows in the same order, but as a database might be
// supplied with the program: every column TEXT, no primary key, no index.
void copyWithoutIndexes(const QString &source, const QString &target);
