#include "Benchmarks.h"
#include "CaseNumberSamples.h"
#include "GeneratedDatabases.h"
#include "ServerCopies.h"

#include "data/DatabaseConnection.h"
#include "data/PreparedStatement.h"

#include "decoder/DmDLLUnit.h"

#include <QList>

#include <stdexcept>
#include <string>

namespace {

enum class File { Indexed, Unindexed };

// One kind of decode: which samples it takes and what a right answer holds,
// checked on every iteration so a timing never comes from a wrong lookup.
struct DecodeKind
{
    const char *name;
    File file;
    const QList<CaseNumberSample> CaseNumberSamples::*samples;
    bool (*answered)(const StructInfo &info, const CaseNumberSample &sample);
};

bool foundDivision(const StructInfo &info, const CaseNumberSample &sample)
{
    return info.sepnum == sample.division && info.otdphone == sample.phone;
}

bool courtWithoutDivision(const StructInfo &info, const CaseNumberSample &sample)
{
    return info.sepnum.isEmpty() && info.sudname == sample.courtName;
}

bool noCourt(const StructInfo &info, const CaseNumberSample &)
{
    return info.sudname.isEmpty();
}

const DecodeKind Kinds[] = {
    {"found", File::Indexed, &CaseNumberSamples::found, foundDivision},
    {"division_missing", File::Indexed, &CaseNumberSamples::divisionMissing, courtWithoutDivision},
    {"court_missing", File::Indexed, &CaseNumberSamples::courtMissing, noCourt},
    {"found_noindex", File::Unindexed, &CaseNumberSamples::found, foundDivision},
};

void decode(benchmark::State &state, const DecodeKind &kind, int divisions)
{
    runReportingFailure(state, [&] {
        const QString path = kind.file == File::Indexed ? GeneratedDatabases::indexed(divisions) : GeneratedDatabases::unindexed(divisions);
        const QList<CaseNumberSample> &samples = CaseNumberSamples::of(path).*kind.samples;
        TDMDLL module;
        module.UniConnection1->setDatabasePath(path);
        module.UniConnection1->connectToDatabase();

        qsizetype next = 0;
        for (auto _ : state) {
            const CaseNumberSample &sample = samples.at(next);
            QString number = sample.number; // the decoder consumes its argument
            const StructInfo info = module.DecodeJobNum(number);
            if (!kind.answered(info, sample))
                throw std::runtime_error("wrong answer for " + sample.number.toStdString());
            next = (next + 1) % samples.size();
        }
    });
}

// A found division on the server. Where a court has the number more than once
// the server's first row is the one with the least keys, so the right phone
// is asked of the server's own point query once, before the timing.
void decodeOnServer(benchmark::State &state, int divisions)
{
    runReportingFailure(state, [&] {
        const QList<CaseNumberSample> &samples = CaseNumberSamples::of(GeneratedDatabases::indexed(divisions)).found;
        const QString location = ServerCopies::of(divisions);
        TDMDLL module;
        module.UniConnection1->setDatabasePath(location);
        module.UniConnection1->connectToDatabase();

        QStringList phones;
        PreparedStatement query(*module.UniConnection1, ServerDivisionOfCourt);
        for (const CaseNumberSample &sample : samples) {
            query.reset();
            query.bindTexts({sample.courtCode, sample.division});
            if (!query.step())
                throw std::runtime_error("no division on the server for " + sample.number.toStdString());
            phones << query.columnText(1);
        }

        qsizetype next = 0;
        for (auto _ : state) {
            const CaseNumberSample &sample = samples.at(next);
            QString number = sample.number;
            const StructInfo info = module.DecodeJobNum(number);
            if (info.sepnum != sample.division || info.otdphone != phones.at(next))
                throw std::runtime_error("wrong answer from the server for " + sample.number.toStdString());
            next = (next + 1) % samples.size();
        }
    });
}

} // namespace

void registerDecodeBenchmarks()
{
    for (const DecodeKind &kind : Kinds) {
        for (const int divisions : GeneratedDatabases::DivisionCounts) {
            const std::string name = std::string("Decode/") + kind.name + "/" + std::to_string(divisions);
            benchmark::RegisterBenchmark(name.c_str(), decode, std::cref(kind), divisions)->Unit(benchmark::kMicrosecond);
        }
    }
    for (const int divisions : ServerCopies::DivisionCounts) {
        benchmark::RegisterBenchmark(("Decode/found_pg/" + std::to_string(divisions)).c_str(), decodeOnServer, divisions)
            ->Unit(benchmark::kMicrosecond);
    }
}
