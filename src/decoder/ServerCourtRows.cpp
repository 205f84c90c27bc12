#include "ServerCourtRows.h"

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

QString fieldText(const PreparedStatement &statement, const char *name)
{
    const int column = firstColumnNamed(statement, QString::fromLatin1(name));
    return column < 0 ? QString() : statement.columnText(column);
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
    if (!court.step())
        return std::nullopt;
    return fieldText(court, "JudgementName");
}
