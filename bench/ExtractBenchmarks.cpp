#include "Benchmarks.h"
#include "GeneratedDatabases.h"

#include "cli/ExtractCommand.h"
#include "data/DatabaseConnection.h"
#include "data/PreparedStatement.h"
#include "decoder/DmDLLUnit.h"
#include "documents/DocumentReader.h"
#include "documents/PlainText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextStream>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

constexpr int NumbersPerLine = 10;
// The courts and divisions the text names: spread over the whole file, so
// a run reads many courts and divisions, not one cached row.
constexpr int DistinctDivisions = 2000;

const QString DivisionsSpreadOverTheFile = QStringLiteral("SELECT judgement.JudgementCode, separation.SeparationName FROM separation "
                                                          "JOIN structures ON structures.GUID = separation.ref_structures "
                                                          "JOIN judgement ON judgement.GUID = structures.ref_Judgement "
                                                          "WHERE separation.rowid % ? = 0 LIMIT ?");

// A text of the given count of numbers, ten to a line with a word between
// them, the years two- and four-digit, the serials all different.
QString textOfNumbers(const QString &path, int divisions, int numbers)
{
    DatabaseConnection connection;
    connection.setDatabasePath(path);
    connection.connectToDatabase();
    PreparedStatement query(connection, DivisionsSpreadOverTheFile);
    query.bindInt64(1, std::max(1, divisions / DistinctDivisions));
    query.bindInt64(2, DistinctDivisions);
    QList<std::pair<QString, QString>> courtsAndDivisions;
    while (query.step())
        courtsAndDivisions.append({query.columnText(0), query.columnText(1)});
    if (courtsAndDivisions.isEmpty())
        throw std::runtime_error("the generated file has no divisions");

    QString text;
    text.reserve(qsizetype(numbers) * 30);
    for (int i = 0; i < numbers; ++i) {
        const auto &[court, division] = courtsAndDivisions.at(i % courtsAndDivisions.size());
        text += court + QLatin1Char('-') + QString::number(i + 1) + (i % 2 ? QStringLiteral("/19-") : QStringLiteral("/2019-")) + division
            + QLatin1Char('-') + QString::number(i % 997 + 1);
        text += (i + 1) % NumbersPerLine == 0 ? QStringLiteral("\n") : QStringLiteral(" и ");
    }
    return text;
}

// Where the TSV goes: counted and dropped, as a pipe would take it, so the
// figures hold the finding, decoding and formatting and not the text kept.
class DiscardingDevice : public QIODevice
{
public:
    DiscardingDevice() { open(QIODevice::WriteOnly); }
    qint64 lines = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        lines += std::count(data, data + size, '\n');
        return size;
    }
};

// One run as the command makes it: a fresh read-only decoder on the file,
// the TSV answers into a discarding device. Returns the lines written, the
// header included.
qint64 extractedLines(const QString &path, const OutputFormat &tsv, const std::function<void(ExtractionWriter &)> &feed)
{
    TDMDLL decoder;
    decoder.UniConnection1->setDatabasePath(path);
    decoder.UniConnection1->setAccess(DatabaseConnection::Access::ReadOnly);
    decoder.UniConnection1->connectToDatabase();
    DiscardingDevice device;
    QTextStream out(&device);
    {
        ExtractionWriter writer(decoder, tsv, [&](const QStringList &lines) {
            for (const QString &line : lines)
                out << line << '\n';
        });
        feed(writer);
    }
    out.flush();
    return device.lines;
}

// The high-water mark of resident memory is set back to the current size,
// so the figure after a run is that run's peak (Linux 4.0 and later).
void resetPeakResidentMemory()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

double peakResidentMegabytesSinceReset()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void extract(benchmark::State &state, int numbers)
{
    runReportingFailure(state, [&] {
        const int divisions = numbers;
        const QString path = GeneratedDatabases::indexed(divisions);
        const OutputFormat tsv = *OutputFormat::fromName(QStringLiteral("tsv"));
        double peak = 0;
        for (auto _ : state) {
            state.PauseTiming();
            QString text = textOfNumbers(path, divisions, numbers);
            resetPeakResidentMemory();
            state.ResumeTiming();

            const qint64 lines = extractedLines(path, tsv, [&](ExtractionWriter &writer) {
                readTextLines(text, writer.sinkFor(QStringLiteral("bench.txt")));
                if (!writer.everyCourtFound())
                    throw std::runtime_error("a court of the generated file was not found");
            });

            state.PauseTiming();
            peak = std::max(peak, peakResidentMegabytesSinceReset());
            if (lines != numbers + 1)
                throw std::runtime_error("expected " + std::to_string(numbers) + " answers, got " + std::to_string(lines - 1));
            text.clear();
            state.ResumeTiming();
        }
        state.counters["per_number_us"] =
            benchmark::Counter(double(numbers) / 1e6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
        state.counters["peak_rss_MB"] = peak;
    });
}

constexpr int PdfPages = 100;

// A court act's look: forty lines of text a page, three case numbers among
// them, written once with Qt's PDF writer and kept beside the databases.
QString actOfPages(const QString &path, int divisions)
{
    const QString pdf = QFileInfo(path).dir().filePath(QStringLiteral("act-%1-pages.pdf").arg(PdfPages));
    if (QFile::exists(pdf))
        return pdf;
    const QStringList numbers =
        textOfNumbers(path, divisions, 3 * PdfPages).split(QRegularExpression(QStringLiteral("\\s+и\\s+|\\n")), Qt::SkipEmptyParts);
    QPdfWriter writer(pdf + QStringLiteral(".part"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    painter.setFont(QFont(QStringLiteral("Liberation Sans"), 10));
    const int lineHeight = writer.height() / 42;
    for (int page = 0; page < PdfPages; ++page) {
        if (page > 0)
            writer.newPage();
        for (int line = 0; line < 40; ++line) {
            QString text = QStringLiteral("Арбитражный суд, рассмотрев в открытом судебном заседании материалы, установил:");
            if (line % 13 == 5)
                text = QStringLiteral("по делу № %1 (определение от 12.03.2019)").arg(numbers.value(page * 3 + line / 13));
            painter.drawText(0, (line + 1) * lineHeight, text);
        }
    }
    painter.end();
    QFile::rename(pdf + QStringLiteral(".part"), pdf);
    return pdf;
}

void extractFromPdf(benchmark::State &state)
{
    runReportingFailure(state, [&] {
        const int divisions = 10000;
        const QString path = GeneratedDatabases::indexed(divisions);
        const QString pdf = actOfPages(path, divisions);
        const OutputFormat tsv = *OutputFormat::fromName(QStringLiteral("tsv"));
        for (auto _ : state) {
            const qint64 lines = extractedLines(path, tsv, [&](ExtractionWriter &writer) { readDocument(pdf, writer.sinkFor(pdf)); });
            if (lines != 3 * PdfPages + 1)
                throw std::runtime_error("expected " + std::to_string(3 * PdfPages) + " answers, got " + std::to_string(lines - 1));
        }
    });
}

} // namespace

void registerExtractBenchmarks()
{
    for (const int numbers : {10000, 100000, 1000000}) {
        benchmark::RegisterBenchmark(("Extract/" + std::to_string(numbers)).c_str(), extract, numbers)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::RegisterBenchmark(("ExtractPdf/" + std::to_string(PdfPages) + "pages").c_str(), extractFromPdf)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}
