#include "LookupDatasetCourtRows.h"

#include "data/DatabaseConnection.h"
#include "data/Dataset.h"
#include "decoder/CourtCondition.h"

namespace {

const QString CourtsStatement = QStringLiteral("select * from judgement");
// The server's rows come in no order of their own: its courts come by key, like its join's.
const QString ServerCourtsStatement = QStringLiteral("select * from judgement order by guid collate \"C\"");

} // namespace

LookupDatasetCourtRows::LookupDatasetCourtRows(Dataset *lookup)
    : m_lookup(lookup)
{
}

void LookupDatasetCourtRows::filterToCourt(const QString &code)
{
    m_lookup->setFiltered(false);
    m_lookup->setFilter(courtCondition(code));
    m_lookup->setFiltered(true);
}

CourtRows::Answer LookupDatasetCourtRows::lookUp(const QString &code, const std::optional<QString> &division)
{
    // A fresh run of the join, so that rows written since the last decode count.
    m_lookup->close();
    m_lookup->open();
    filterToCourt(code);

    Answer answer;
    answer.courtHasRows = m_lookup->rowCount() > 0;
    answer.divisionFound = division && m_lookup->locate(QStringLiteral("SeparationName"), *division);
    // After a miss the cursor stays on the court's first row, if there is one.
    for (const JoinRowColumn &column : JoinRowColumns)
        answer.current.*column.field = m_lookup->fieldText(QString::fromLatin1(column.name));
    m_lookup->close();
    return answer;
}

std::optional<QString> LookupDatasetCourtRows::courtOnlyName(const QString &code)
{
    // The filter stays on and picks the court by its code's text; an SQL
    // condition would miss a code that SQLite stored as a number or a blob.
    const QString joinStatement = m_lookup->statement();
    const bool onServer = m_lookup->connection()->engine() == DatabaseConnection::Engine::Postgres;
    m_lookup->setStatement(onServer ? ServerCourtsStatement : CourtsStatement);
    // Already so after lookUp; set again so this read never depends on the call before it.
    filterToCourt(code);
    m_lookup->open();
    std::optional<QString> name;
    if (m_lookup->rowCount() > 0)
        name = m_lookup->fieldText(QStringLiteral("JudgementName"));
    m_lookup->setStatement(joinStatement);
    return name;
}
