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
    statement.insert(orderBy, withDivision ? QStringLiteral(" and judgement.JudgementCode = ? and separation.SeparationName = ?")
                                           : QStringLiteral(" and judgement.JudgementCode = ?"));
    return statement + QStringLiteral(" limit 1");
}

// Like the dataset: the first column of that name, whatever its case.
int firstColumnNamed(const PreparedStatement &statement, const QString &name)
{
    for (int column = 0; column < statement.columnCount(); ++column) {
        if (statement.columnName(column).compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

const char *const FieldNames[8] = {"JudgementName", "Phone", "StructureNum", "StructureType",
                                   "StructureFAXNum", "vnphone", "zal", "floor"};

// The lookup dataset stops at the first field it cannot read, whether the
// court has rows or not; so does this path, with the same message.
void requireFields(const PreparedStatement &statement, const QString &statementText, int fieldCount)
{
    for (int field = 0; field < fieldCount; ++field) {
        if (firstColumnNamed(statement, QString::fromLatin1(FieldNames[field])) < 0)
            throw DatabaseError(missingColumnMessage(statementText, QString::fromLatin1(FieldNames[field])));
    }
}

QString fieldText(const PreparedStatement &statement, const char *name)
{
    return statement.columnText(firstColumnNamed(statement, QString::fromLatin1(name)));
}

} // namespace

ServerCourtRows::ServerCourtRows(DatabaseConnection *connection)
    : m_connection(connection)
{
}

CourtRows::Answer ServerCourtRows::lookUp(const QString &code, const std::optional<QString> &division)
{
    Answer answer;
    PreparedStatement divisionRow(*m_connection, courtRowsStatement(true));
    PreparedStatement courtRow(*m_connection, courtRowsStatement(false));
    PreparedStatement *row = nullptr;
    if (division) {
        divisionRow.bindTexts({code, *division});
        if (divisionRow.step())
            row = &divisionRow;
        answer.divisionFound = row != nullptr;
    }
    if (!row) {
        courtRow.bindText(1, code);
        if (courtRow.step())
            row = &courtRow;
    }
    // Checked on a statement already run, whose result knows its columns: no extra round trip.
    requireFields(division ? divisionRow : courtRow, serverJoinStatement(), 8);
    answer.courtHasRows = row != nullptr;
    if (row) {
        answer.current = {fieldText(*row, "JudgementName"), fieldText(*row, "Phone"), fieldText(*row, "StructureNum"),
                          fieldText(*row, "StructureType"), fieldText(*row, "StructureFAXNum"), fieldText(*row, "vnphone"),
                          fieldText(*row, "zal"), fieldText(*row, "floor")};
    }
    return answer;
}

std::optional<QString> ServerCourtRows::courtOnlyName(const QString &code)
{
    PreparedStatement court(*m_connection, serverCourtOnlyStatement() + QStringLiteral(" limit 1"));
    court.bindText(1, code);
    const bool found = court.step();
    requireFields(court, serverCourtOnlyStatement(), 1);
    if (!found)
        return std::nullopt;
    return fieldText(court, "JudgementName");
}
