#include "Benchmarks.h"
#include "PeakMemory.h"

#include "decoder/CaseNumberFinder.h"

#include <QList>
#include <QString>

#include <stdexcept>

namespace {

// Lines as people paste them, each holding one arbitration number somewhere.
const QList<QString> &typicalLines()
{
    static const QList<QString> lines{
        QStringLiteral("А40-1234/08-101-503"),
        QStringLiteral("Дело N А40-174799/09-55-1244"),
        QStringLiteral("по делу N СИП-372/2016 (судьи Пашкова Е.Ю., Голофаев В.В., Рогожин С.П.)"),
        QStringLiteral("город Ростов-на-Дону дело № А32-4406/2016"),
        QStringLiteral("Постановление № 17АП-18602/17-ГКУ от 25.01.2018 Семнадцатого арбитражного апелляционного суда"),
        QStringLiteral("от 1 февраля 2008 г. N КА-А40/13679-07"),
        QStringLiteral("a40-128721_20-149-933"),
    };
    return lines;
}

void findInTypicalLine(benchmark::State &state)
{
    runReportingFailure(state, [&] {
        const CaseNumberFinder finder;
        qsizetype next = 0;
        for (auto _ : state) {
            const auto found = finder.findFirst(typicalLines().at(next));
            if (!found || found->system != CourtSystem::Arbitration)
                throw std::runtime_error("no number found in a typical line");
            benchmark::DoNotOptimize(found);
            next = (next + 1) % typicalLines().size();
        }
    });
}

// Ten million characters of near misses, each of which the scanner must try
// and give up on, then the one number: a decode of the whole line.
QString longLineOfNearMisses()
{
    const QString nearMisses = QStringLiteral("А40 - 1234 / 200, 305-ЭС19-, 2-521/20 Andritz A/S \u00a0\u00a0 ");
    QString line;
    const qsizetype size = 10'000'000;
    line.reserve(size + 32);
    while (line.size() < size)
        line += nearMisses;
    line += QStringLiteral("А41-6930/2013");
    return line;
}

void findInLongLine(benchmark::State &state)
{
    runReportingFailure(state, [&] {
        const QString line = longLineOfNearMisses();
        const CaseNumberFinder finder;
        for (auto _ : state) {
            const auto found = finder.findFirst(line);
            if (!found || found->number != QStringLiteral("А41-6930/2013"))
                throw std::runtime_error("the number at the end of the long line was not found");
            benchmark::DoNotOptimize(found);
        }
        state.counters["line_MB"] = double(line.size()) * sizeof(QChar) / (1024 * 1024);
        state.counters["peak_rss_MB"] = peakResidentMegabytes();
    });
}

// Ten million characters that are nothing but numbers: every one is listed.
void findAllInLongLine(benchmark::State &state)
{
    runReportingFailure(state, [&] {
        const QString number = QStringLiteral("А40-1/20, ");
        const QString line = number.repeated(1'000'000);
        const CaseNumberFinder finder;
        for (auto _ : state) {
            const QList<FoundCaseNumber> numbers = finder.findAll(line);
            if (numbers.size() != 1'000'000)
                throw std::runtime_error("not every number of the long line was found");
            benchmark::DoNotOptimize(numbers);
        }
        state.counters["line_MB"] = double(line.size()) * sizeof(QChar) / (1024 * 1024);
        state.counters["peak_rss_MB"] = peakResidentMegabytes();
    });
}

} // namespace

void registerFindBenchmarks()
{
    benchmark::RegisterBenchmark("Find/typical_line", findInTypicalLine)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Find/long_line_10M_chars", findInLongLine)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Find/all_in_long_line_10M_chars", findAllInLongLine)->Unit(benchmark::kMillisecond);
}
