#pragma once

#include <QStringList>

class DatabaseConnection;

// What is wrong with a reference, one Russian line per fault, read in one
// snapshot: compositions and divisions whose parent row is missing, rows
// without a key or sharing one, and court codes of no shape a Russian
// arbitration court's code has. Empty when nothing is.
QStringList referenceProblems(const DatabaseConnection &connection);

// А01…А99, 01АП…99АП, Ф01…Ф99, СИП and С01…С99: the shapes of the codes in the bundled list.
bool isKnownCourtCodeShape(const QString &code);
