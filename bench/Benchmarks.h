#pragma once

#include <benchmark/benchmark.h>

#include <exception>

// Each file of benchmarks registers its families here; main() runs them in
// the order of these calls.
void registerOpenEditorBenchmarks();
void registerPointQueryBenchmarks();
void registerDecodeBenchmarks();
void registerFindBenchmarks();
void registerStartupBenchmarks();
void registerExtractBenchmarks();

// Google Benchmark lets exceptions end the whole run; a file that cannot be
// made or read should only mark the benchmark that needed it.
template <typename Body>
void runReportingFailure(benchmark::State &state, Body body)
{
    try {
        body();
    } catch (const std::exception &error) {
        state.SkipWithError(error.what());
    }
}
