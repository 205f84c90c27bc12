#include "CaseNumberSamples.h"

#include "ReferenceDataGenerator.h"

#include "data/DatabaseConnection.h"
#include "data/PreparedStatement.h"
#include "decoder/DmDLLUnit.h"

#include <QSet>
#include <QStringList>

#include <map>
#include <sqlite3.h>
#include <stdexcept>

namespace {

constexpr int SampleCount = 5;
const QString AbsentCourtCode = QStringLiteral("А99");

const QString CountDivisions = QStringLiteral("SELECT count(*) FROM separation");
const QString SelectDivision = QStringLiteral(
    "SELECT judgement.JudgementCode, judgement.JudgementName, separation.SeparationName FROM separation "
    "JOIN structures ON structures.GUID = separation.ref_structures "
    "JOIN judgement ON judgement.GUID = structures.ref_Judgement WHERE separation.rowid = ?");

QString caseNumber(const QString &courtCode, int sample, const QString &division)
{
    // Two- and four-digit years both occur in real numbers.
    const QString year = sample % 2 == 0 ? QStringLiteral("08") : QStringLiteral("2019");
    return QStringLiteral("%1-%2/%3-%4-%5").arg(courtCode).arg(1234 + 1111 * sample).arg(year, division).arg(503 + sample);
}

QString lookupKey(const QString &courtCode, const QString &division)
{
    return courtCode + QChar(0) + division;
}

int columnNamed(const PreparedStatement &statement, const char *name)
{
    for (int column = 0; column < statement.columnCount(); ++column) {
        if (qstricmp(sqlite3_column_name(statement.handle(), column), name) == 0)
            return column;
    }
    throw std::runtime_error(std::string("the join has no column ") + name);
}

} // namespace

const CaseNumberSamples &CaseNumberSamples::of(const QString &path)
{
    static std::map<QString, CaseNumberSamples> read;
    auto found = read.find(path);
    if (found == read.end())
        found = read.emplace(path, CaseNumberSamples::read(path)).first;
    return found->second;
}

CaseNumberSamples CaseNumberSamples::read(const QString &path)
{
    DatabaseConnection connection;
    connection.setDatabasePath(path);
    connection.setAccess(DatabaseConnection::Access::ReadOnly);
    connection.connectToDatabase();

    qint64 divisions = 0;
    {
        PreparedStatement count(connection, CountDivisions);
        count.step();
        divisions = count.columnText(0).toLongLong();
    }

    // Rows are numbered from 1 in the order the generator stored them.
    CaseNumberSamples samples;
    QStringList keys;
    PreparedStatement select(connection, SelectDivision);
    for (int sample = 0; sample < SampleCount; ++sample) {
        select.bindInt64(1, 1 + (2 * sample + 1) * divisions / (2 * SampleCount));
        if (!select.step())
            throw std::runtime_error("a sampled division has no composition or court in " + path.toStdString());
        const QString code = select.columnText(0);
        const QString name = select.columnText(1);
        const QString division = select.columnText(2);
        select.reset();
        samples.found.append({caseNumber(code, sample, division), code, name, division, {}});
        keys.append(lookupKey(code, division));
        samples.divisionMissing.append(
            {caseNumber(code, sample, ReferenceDataGenerator::AbsentDivisionNumber), code, name, {}, {}});
        samples.courtMissing.append({caseNumber(AbsentCourtCode, sample, division), AbsentCourtCode, {}, division, {}});
    }

    // Which of a court's divisions with one number the decoder must answer
    // with is decided by the order of its own join, on this very file.
    QSet<QString> pending(keys.cbegin(), keys.cend());
    PreparedStatement join(connection, JoinStatement);
    const int codeColumn = columnNamed(join, "JudgementCode");
    const int divisionColumn = columnNamed(join, "SeparationName");
    const int phoneColumn = columnNamed(join, "Phone");
    while (!pending.isEmpty() && join.step()) {
        const QString key = lookupKey(join.columnText(codeColumn), join.columnText(divisionColumn));
        if (!pending.remove(key))
            continue;
        for (qsizetype i = 0; i < samples.found.size(); ++i) {
            if (keys.at(i) == key)
                samples.found[i].phone = join.columnText(phoneColumn);
        }
    }
    if (!pending.isEmpty())
        throw std::runtime_error("a sampled division is missing from the join in " + path.toStdString());
    return samples;
}
