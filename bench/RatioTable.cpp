#include "RatioTable.h"

#include "GeneratedDatabases.h"

#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> DecodeKinds = {"found", "division_missing", "court_missing", "found_noindex", "found_pg"};

// The server's decodes are measured against the server's own point query.
std::string floorOf(const std::string &kind)
{
    return kind.ends_with("_pg") ? "PointQuery_pg/" : "PointQuery/";
}
constexpr int CountWidth = 10;
constexpr int RatioWidth = 18;

} // namespace

void printRatioTable(const std::map<std::string, double> &medians, std::ostream &out)
{
    std::ostringstream rows;
    rows << std::fixed << std::setprecision(1);
    bool anyRow = false;
    for (const int divisions : GeneratedDatabases::DivisionCounts) {
        const std::string count = std::to_string(divisions);
        std::ostringstream row;
        row << std::fixed << std::setprecision(1) << std::setw(CountWidth) << divisions;
        bool anyDecode = false;
        for (const std::string &kind : DecodeKinds) {
            const auto decode = medians.find("Decode/" + kind + "/" + count);
            const auto floor = medians.find(floorOf(kind) + count);
            row << std::setw(RatioWidth);
            if (decode == medians.end() || floor == medians.end() || floor->second <= 0) {
                row << "-";
                continue;
            }
            row << decode->second / floor->second;
            anyDecode = true;
        }
        if (anyDecode) {
            rows << row.str() << '\n';
            anyRow = true;
        }
    }
    if (!anyRow)
        return;

    out << "\nDecode median / PointQuery median (the server's for _pg), same number of divisions\n" << std::setw(CountWidth) << "divisions";
    for (const std::string &kind : DecodeKinds)
        out << std::setw(RatioWidth) << kind;
    out << '\n' << rows.str() << std::flush;
}
