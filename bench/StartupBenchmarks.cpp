#include "Benchmarks.h"
#include "GeneratedDatabases.h"
#include "PeakMemory.h"

#include "data/DatabaseLocation.h"
#include "ui/StartUp.h"
#include "ui/Unit6.h"
#include "widgets/ModalDialogs.h"

#include <QStringList>

#include <stdexcept>
#include <string>

namespace {

// Start-up must not stop on a message box; an error fails the benchmark instead.
class RecordedErrors : public ModalDialogs
{
public:
    void showError(QWidget *, const QString &text) override { errors << text; }
    bool askYesNo(QWidget *, const QString &, const QString &) override { return false; }
    int showModal(QDialog &) override { return 0; }
    void showAbout(QWidget *, const QString &, const QString &) override {}
    QStringList chooseFilesToOpen(QWidget *, const QString &, const QString &) override { return {}; }
    QString chooseFileToSave(QWidget *, const QString &, const QString &) override { return {}; }

    QStringList errors;
};

// What a user waits for: every window and module created, the main window
// shown, its FormShow having connected and opened the four datasets.
void startUp(benchmark::State &state, int divisions)
{
    runReportingFailure(state, [&] {
        RecordedErrors errors;
        ModalDialogs::install(&errors);
        setCaseNumberDatabasePath(GeneratedDatabases::indexed(divisions));
        for (auto _ : state) {
            createFormsAndModules();
            Form6->show();
            state.PauseTiming();
            destroyFormsAndModules();
            state.ResumeTiming();
        }
        ModalDialogs::install(nullptr);
        if (!errors.errors.isEmpty())
            throw std::runtime_error(errors.errors.join(QLatin1Char(' ')).toStdString());
        state.counters["peak_rss_MB"] = peakResidentMegabytes();
    });
}

} // namespace

void registerStartupBenchmarks()
{
    for (const int divisions : GeneratedDatabases::DivisionCounts) {
        benchmark::RegisterBenchmark(("Startup/" + std::to_string(divisions)).c_str(), startUp, divisions)
            ->Unit(benchmark::kMillisecond);
    }
}
