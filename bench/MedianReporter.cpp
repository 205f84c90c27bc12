#include "MedianReporter.h"

MedianReporter::MedianReporter(benchmark::BenchmarkReporter &display)
    : m_display(display)
{
}

bool MedianReporter::ReportContext(const Context &context)
{
    return m_display.ReportContext(context);
}

void MedianReporter::ReportRuns(const std::vector<Run> &runs)
{
    for (const Run &run : runs) {
        if (run.error_occurred)
            continue;
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            m_medians[run.run_name.str()] = run.GetAdjustedRealTime();
        else if (run.run_type == Run::RT_Iteration)
            // With a single repetition there is no median: the one run stands for it.
            m_medians.try_emplace(run.run_name.str(), run.GetAdjustedRealTime());
    }
    m_display.ReportRuns(runs);
}

void MedianReporter::Finalize()
{
    m_display.Finalize();
}
