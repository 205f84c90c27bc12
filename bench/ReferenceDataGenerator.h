#pragma once

#include <QString>

#include <cstdint>
#include <random>

class DatabaseConnection;

// Makes a reference database the way the program makes its own (tables and
// indexes from createReferenceDatabaseIfMissing, the bundled courts) and fills
// it with compositions and divisions. The same count always gives the same
// rows: every value, keys included, comes from one fixed-seed generator.
//
// Most courts get 5 to 15 compositions; every tenth court gets none, as a
// court the user has not filled in yet. Divisions go to compositions at
// random and are numbered 101 to 999, so a number repeats across the
// compositions of one court once a court has a few hundred divisions, and
// "100" is never a division number. Each division's telephone is unique in
// the file, so a telephone tells which row a lookup returned.
class ReferenceDataGenerator
{
public:
    static const QString AbsentDivisionNumber;

    explicit ReferenceDataGenerator(int divisions);

    // path must not exist yet.
    void generate(const QString &path);

private:
    int between(int lowest, int highest);
    QString nextGuid();
    QStringList giveCourtsKeys(const DatabaseConnection &connection);
    void addCompositionsAndDivisions(const DatabaseConnection &connection, const QStringList &courtKeys);

    int m_divisions;
    std::mt19937 m_random;
};
