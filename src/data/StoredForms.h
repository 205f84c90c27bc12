#pragma once

#include <QByteArrayView>
#include <QString>

class PreparedStatement;

// SQL compares storage classes, not text: in a column without affinity the
// integer 101 is not the text '101', yet both read as "101". A lookup that
// must find every value reading as a text asks for each form SQLite may have
// stored it in (the text, an integer, a real, a blob of the same bytes). The
// column stays bare, so its index is still used; forms that read differently
// may slip through (a NOCASE column, "1.0" for "1"), so callers compare the
// text read back exactly.
inline constexpr int StoredFormCount = 4;

// "column IN (?, ?, ?, ?)" with the parameters numbered from firstPosition.
QString storedFormsCondition(const QString &column, int firstPosition);
void bindStoredForms(PreparedStatement &statement, int firstPosition, QByteArrayView utf8);
