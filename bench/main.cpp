#include "Benchmarks.h"
#include "MedianReporter.h"
#include "RatioTable.h"
#include "ServerCopies.h"

#include "widgets/ErrorReportingApplication.h"

#include <benchmark/benchmark.h>

#include <iostream>
#include <memory>
#include <vector>

int main(int argc, char **argv)
{
    // The start-up benchmark builds the real windows; they need no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ErrorReportingApplication application(argc, argv);

    // Medians of five runs unless the command line says otherwise (later
    // flags win). Given as flags rather than per benchmark, because a
    // per-benchmark Repetitions() would add "/repeats:5" to every name.
    std::vector<char *> arguments = {argv[0], const_cast<char *>("--benchmark_repetitions=5"),
                                     const_cast<char *>("--benchmark_report_aggregates_only=true")};
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;

    // The editor's and start-up's benchmarks go first: their peak-memory
    // counters would otherwise carry the whole-join fetches of the decodes on
    // files without indexes.
    registerOpenEditorBenchmarks();
    registerStartupBenchmarks();
    registerPointQueryBenchmarks();
    registerDecodeBenchmarks();
    registerFindBenchmarks();
    registerExtractBenchmarks();

    const std::unique_ptr<benchmark::BenchmarkReporter> display(benchmark::CreateDefaultDisplayReporter());
    MedianReporter reporter(*display);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    ServerCopies::stop();

    // JSON or CSV on standard output must stay machine-readable.
    std::ostream &tableStream = dynamic_cast<benchmark::ConsoleReporter *>(display.get()) ? std::cout : std::cerr;
    printRatioTable(reporter.medians(), tableStream);

    benchmark::Shutdown();
    return 0;
}
