#include "Benchmarks.h"
#include "GeneratedDatabases.h"
#include "PeakMemory.h"

#include "data/DmUnit.h"

#include <string>

namespace {

// The editor's three datasets as start-up and "Структура судов" open them:
// every court, composition and division fetched.
void openEditor(benchmark::State &state, int divisions)
{
    runReportingFailure(state, [&] {
        TDM module;
        module.UniConnection1->setDatabasePath(GeneratedDatabases::indexed(divisions));
        module.UniConnection1->connectToDatabase();
        for (auto _ : state) {
            module.UniQuery1->close();
            module.UniQuery2->close();
            module.UniQuery3->close();
            module.UniQuery1->open();
            module.UniQuery2->open();
            module.UniQuery3->open();
        }
        // The whole process's high-water mark, datasets open at their fullest.
        // The databases are generated in a child process and these benchmarks
        // run before the decoding ones, so at the largest count it is the
        // peak with that many divisions open in the editor.
        state.counters["peak_rss_MB"] = peakResidentMegabytes();
    });
}

} // namespace

void registerOpenEditorBenchmarks()
{
    for (const int divisions : GeneratedDatabases::DivisionCounts) {
        benchmark::RegisterBenchmark(("OpenEditor/" + std::to_string(divisions)).c_str(), openEditor, divisions)
            ->Unit(benchmark::kMicrosecond);
    }
}
