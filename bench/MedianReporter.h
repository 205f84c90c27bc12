#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

// Passes every report on to the reporter that prints it (console, JSON or
// CSV, as --benchmark_format asks) and keeps each benchmark's median real
// time, in the benchmark's own time unit, for the ratio table.
class MedianReporter : public benchmark::BenchmarkReporter
{
public:
    explicit MedianReporter(benchmark::BenchmarkReporter &display);

    bool ReportContext(const Context &context) override;
    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

    // By benchmark name, such as "Decode/found/1000".
    const std::map<std::string, double> &medians() const { return m_medians; }

private:
    benchmark::BenchmarkReporter &m_display;
    std::map<std::string, double> m_medians;
};
