#pragma once

#include <map>
#include <ostream>
#include <string>

// For each count of divisions, the median of each decode divided by the
// median of PointQuery at the same count: how far a decode is from the floor.
// Prints nothing when the run measured no point query beside a decode.
void printRatioTable(const std::map<std::string, double> &medians, std::ostream &out);
