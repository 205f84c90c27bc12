#include "Benchmarks.h"
#include "CaseNumberSamples.h"
#include "GeneratedDatabases.h"
#include "ServerCopies.h"

#include "data/DatabaseConnection.h"
#include "data/PreparedStatement.h"

#include <QByteArray>
#include <QList>

#include <sqlite3.h>
#include <stdexcept>
#include <string>

namespace {

// The floor for a decode that finds its division: one statement that answers
// the same question (which division of the court with this code has this
// number, and what the decoder shows of it) through the program's indexes,
// with both values bound. Its plan walks the court's compositions in the same
// order as the decoder's join, so LIMIT 1 returns the same row; the setup
// checks that by the row's telephone.
const QString DivisionOfCourt =
    QStringLiteral("SELECT judgement.JudgementName, separation.Phone, structures.StructureNum, structures.StructureType, "
                   "structures.StructureFAXNum, separation.vnphone, separation.floor, separation.zal FROM judgement "
                   "JOIN structures ON structures.ref_Judgement = judgement.GUID "
                   "JOIN separation ON separation.ref_structures = structures.GUID "
                   "WHERE judgement.JudgementCode = ? AND separation.SeparationName = ? LIMIT 1");

constexpr int PhoneColumn = 1;

struct BoundValues
{
    QByteArray courtCode;
    QByteArray division;
};

void bindAndStep(sqlite3_stmt *statement, const BoundValues &values)
{
    sqlite3_reset(statement);
    sqlite3_bind_text(statement, 1, values.courtCode.constData(), int(values.courtCode.size()), SQLITE_STATIC);
    sqlite3_bind_text(statement, 2, values.division.constData(), int(values.division.size()), SQLITE_STATIC);
    if (sqlite3_step(statement) != SQLITE_ROW)
        throw std::runtime_error("the point query found no division");
}

void pointQuery(benchmark::State &state, int divisions)
{
    runReportingFailure(state, [&] {
        const QString path = GeneratedDatabases::indexed(divisions);
        const CaseNumberSamples &samples = CaseNumberSamples::of(path);
        DatabaseConnection connection;
        connection.setDatabasePath(path);
        connection.connectToDatabase();
        PreparedStatement query(connection, DivisionOfCourt);
        sqlite3_stmt *statement = query.handle();

        QList<BoundValues> values;
        for (const CaseNumberSample &sample : samples.found) {
            values.append({sample.courtCode.toUtf8(), sample.division.toUtf8()});
            bindAndStep(statement, values.last());
            if (query.columnText(PhoneColumn) != sample.phone)
                throw std::runtime_error("the point query returns another division than the decoder's join for "
                                         + sample.number.toStdString());
        }

        qsizetype next = 0;
        for (auto _ : state) {
            bindAndStep(statement, values.at(next));
            for (int column = 0; column < query.columnCount(); ++column)
                benchmark::DoNotOptimize(sqlite3_column_text(statement, column));
            next = (next + 1) % values.size();
        }
    });
}

// The same question asked of the server over its socket, through the same
// statement class the decoder uses there.
void serverPointQuery(benchmark::State &state, int divisions)
{
    runReportingFailure(state, [&] {
        const CaseNumberSamples &samples = CaseNumberSamples::of(GeneratedDatabases::indexed(divisions));
        DatabaseConnection connection;
        connection.setDatabasePath(ServerCopies::of(divisions));
        connection.connectToDatabase();
        PreparedStatement query(connection, ServerDivisionOfCourt);

        qsizetype next = 0;
        for (auto _ : state) {
            const CaseNumberSample &sample = samples.found.at(next);
            query.reset();
            query.bindTexts({sample.courtCode, sample.division});
            if (!query.step())
                throw std::runtime_error("the server's point query found no division for " + sample.number.toStdString());
            for (int column = 0; column < query.columnCount(); ++column)
                benchmark::DoNotOptimize(query.columnValue(column));
            next = (next + 1) % samples.found.size();
        }
    });
}

} // namespace

void registerPointQueryBenchmarks()
{
    for (const int divisions : GeneratedDatabases::DivisionCounts) {
        benchmark::RegisterBenchmark(("PointQuery/" + std::to_string(divisions)).c_str(), pointQuery, divisions)
            ->Unit(benchmark::kMicrosecond);
    }
    for (const int divisions : ServerCopies::DivisionCounts) {
        benchmark::RegisterBenchmark(("PointQuery_pg/" + std::to_string(divisions)).c_str(), serverPointQuery, divisions)
            ->Unit(benchmark::kMicrosecond);
    }
}
