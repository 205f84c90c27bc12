#pragma once

#include <QString>

#include <array>

// The reference databases the benchmarks run on, one pair of files per count
// of divisions, kept in a folder of the build so that only the first run pays
// for making them. A kept file whose tables or indexes differ from those the
// program makes today is made again.
class GeneratedDatabases
{
public:
    static constexpr std::array<int, 4> DivisionCounts = {1000, 10000, 100000, 1000000};

    // The file as the program makes its own, with its indexes.
    static QString indexed(int divisions);
    // The same rows with no index and no primary key.
    static QString unindexed(int divisions);

private:
    static void makeMissing(int divisions);
};
