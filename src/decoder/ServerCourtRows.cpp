#include "ServerCourtRows.h"

#include "data/DatabaseError.h"
#include "data/PreparedStatement.h"
#include "decoder/CourtCondition.h"

namespace {

// The ordered join of serverJoinStatement(), cut down to the court (and division).
QString courtRowsStatement(bool withDivision)
{
    QString statement = serverJoinStatement();
    const qsizetype orderBy = statement.indexOf(QLatin1String(" order by "));
    statement.insert(orderBy,
                     withDivision ? QStringLiteral(" and judgement.JudgementCode = ? and separation.SeparationName = ?")
                                  : QStringLiteral(" and judgement.JudgementCode = ?"));
    return statement + QStringLiteral(" limit 1");
}

// Built once, not on every decode.
const QString &divisionRowStatement()
{
    static const QString statement = courtRowsStatement(true);
    return statement;
}

const QString &courtRowStatement()
{
    static const QString statement = courtRowsStatement(false);
    return statement;
}

// The lookup dataset stops at the first field it cannot read, whether the
// court has rows or not; so does this path, with the same message.
void requireFields(const PreparedStatement &statement, const QString &statementText, std::size_t fieldCount)
{
    for (std::size_t field = 0; field < fieldCount; ++field) {
        const QString name = QString::fromLatin1(JoinRowColumns[field].name);
        if (statement.columnIndex(name) < 0)
            throw DatabaseError(missingColumnMessage(statementText, name));
    }
}

QString fieldText(const PreparedStatement &statement, const char *name)
{
    return statement.columnText(statement.columnIndex(QString::fromLatin1(name)));
}

} // namespace

ServerCourtRows::ServerCourtRows(DatabaseConnection *connection)
    : m_connection(connection)
{
}

CourtRows::Answer ServerCourtRows::lookUp(const QString &code, const std::optional<QString> &division)
{
    Answer answer;
    // Each statement is run only when its answer is needed: a found division
    // needs no court row, and no division asked needs no division row.
    std::optional<PreparedStatement> divisionRow;
    std::optional<PreparedStatement> courtRow;
    PreparedStatement *row = nullptr;
    if (division) {
        divisionRow.emplace(*m_connection, divisionRowStatement());
        divisionRow->bindTexts({code, *division});
        if (divisionRow->step())
            row = &*divisionRow;
        answer.divisionFound = row != nullptr;
    }
    if (!row) {
        courtRow.emplace(*m_connection, courtRowStatement());
        courtRow->bindText(1, code);
        if (courtRow->step())
            row = &*courtRow;
    }
    // Checked on a statement already run, whose result knows its columns: no extra round trip.
    requireFields(division ? *divisionRow : *courtRow, serverJoinStatement(), std::size(JoinRowColumns));
    answer.courtHasRows = row != nullptr;
    if (row) {
        for (const JoinRowColumn &column : JoinRowColumns)
            answer.current.*column.field = fieldText(*row, column.name);
    }
    return answer;
}

std::optional<QString> ServerCourtRows::courtOnlyName(const QString &code)
{
    PreparedStatement court(*m_connection, serverCourtOnlyStatement() + QStringLiteral(" limit 1"));
    court.bindText(1, code);
    const bool found = court.step();
    // Only the court's name is read from the courts table, the first of the join's fields.
    requireFields(court, serverCourtOnlyStatement(), 1);
    if (!found)
        return std::nullopt;
    return fieldText(court, "JudgementName");
}
