#pragma once

#include <QString>

#include <array>

// The generated references copied to a PostgreSQL server that the benchmark
// run starts for itself (a Unix socket in a temporary folder, no TCP port),
// once per count of divisions. Copying goes row by row through the program's
// own copy, so the largest file is left out: the server's figures stop at
// 100 000 divisions.
class ServerCopies
{
public:
    static constexpr std::array<int, 3> DivisionCounts = {1000, 10000, 100000};

    // libpq's URI of the server database holding the indexed file's rows.
    static QString of(int divisions);
    // Stops the server and removes its folder; the run's last step.
    static void stop();
};

// The floor on the server: the division of a court with this number, first by
// the keys as the server's decode orders them, in one statement with both values bound.
extern const QString ServerDivisionOfCourt;
