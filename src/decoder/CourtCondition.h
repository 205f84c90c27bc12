#pragma once

#include <QString>

// The lookup dataset's filter for one court: "JudgementCode = " and the code
// in single quotes, each quote inside doubled.
QString courtCondition(const QString &code);
