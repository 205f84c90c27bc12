#pragma once

#include <QString>

// The lookup dataset's filter for one court: "JudgementCode = " and the code
// in single quotes, each quote inside doubled.
QString courtCondition(const QString &code);

// A server returns rows in no promised order, so there the join and the
// courts table are ordered by their keys, compared byte by byte whatever the
// server's locale: the first row of a court is then the one with the least
// court, composition and division GUID. Where a court's code and its division
// numbers are unique, this is the same row the file's own order gives. A
// server's text column holds text only, so its court is found by SQL equality.
const QString &serverJoinStatement();
const QString &serverCourtOnlyStatement();
