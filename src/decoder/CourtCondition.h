#pragma once

#include <QString>

// The lookup dataset's filter for one court: "JudgementCode = " and the code
// in single quotes, each quote inside doubled.
QString courtCondition(const QString &code);

// The courts table alone, for a court that has no row in the join. The code
// is bound, not spliced: pasted text may hold characters (a NUL) that no
// quoting carries through SQL.
QString courtOnlyStatement();
