#include "IndexedCourtRows.h"

#include "data/DatabaseConnection.h"
#include "data/DatabaseError.h"
#include "data/PreparedStatement.h"
#include "data/StoredForms.h"
#include "decoder/JoinRowOrder.h"

namespace {

enum Table { Judgement, Structures, Separation };
const QStringList TableNames = {QStringLiteral("judgement"), QStringLiteral("structures"), QStringLiteral("separation")};

// Rows of the court having the division, in whatever form SQLite stored the
// code and the number; callers compare the text read back, exactly.
const QString DivisionRowsStatement =
    QStringLiteral("select judgement._rowid_, structures._rowid_, separation._rowid_, judgement.JudgementCode,"
                   " separation.SeparationName")
    + JoinTables + JoinConditions + QStringLiteral(" and ") + storedFormsCondition(QStringLiteral("judgement.JudgementCode"), 1)
    + QStringLiteral(" and ") + storedFormsCondition(QStringLiteral("separation.SeparationName"), 1 + StoredFormCount);

// For every composition of the court, its division that comes first in rowid
// order; the one-column index on ref_structures lists equal keys in that order.
const QString FirstRowPerCompositionStatement = QStringLiteral(
    "select judgement._rowid_, structures._rowid_,"
    " (select separation._rowid_ from separation where structures.guid=separation.ref_structures"
    "  order by separation._rowid_ limit 1),"
    " judgement.JudgementCode"
    " from judgement, structures where (judgement.guid=structures.ref_Judgement) and ")
    + storedFormsCondition(QStringLiteral("judgement.JudgementCode"), 1);

// The courts table alone, for a court that has no row in the join. The index
// lists a code's forms one storage class after another; the lookup dataset
// reads the table in rowid order, and so must this.
const QString CourtOnlyStatement = QStringLiteral("select * from judgement where ")
                                   + storedFormsCondition(QStringLiteral("JudgementCode"), 1)
                                   + QStringLiteral(" order by judgement._rowid_");

// The same columns in the same order as the lookup dataset's rows.
const QString FullRowStatement =
    QStringLiteral("select *") + JoinTables
    + QStringLiteral(" where judgement._rowid_ = ?1 and structures._rowid_ = ?2 and separation._rowid_ = ?3");

// The columns of the candidate statements above.
enum CandidateColumn { CourtRowId, CompositionRowId, DivisionRowId, CourtCode, DivisionNumber };

QStringList lowerCaseColumns(const DatabaseConnection &connection, const QString &table)
{
    PreparedStatement info(connection, QStringLiteral("select lower(name) from pragma_table_info(?)"));
    info.bindText(1, table);
    QStringList columns;
    while (info.step())
        columns << info.columnText(0);
    return columns;
}

bool textEquals(const PreparedStatement &statement, int column, const QByteArray &expected)
{
    const auto value = statement.columnValue(column);
    return value && *value == QByteArrayView(expected);
}

} // namespace

IndexedCourtRows::IndexedCourtRows(DatabaseConnection *connection, const QString &joinStatement)
    : m_connection(connection), m_joinStatement(joinStatement)
{
    m_disconnection = QObject::connect(connection, &DatabaseConnection::aboutToDisconnect, [this] { forget(); });
}

IndexedCourtRows::~IndexedCourtRows()
{
    QObject::disconnect(m_disconnection);
}

void IndexedCourtRows::forget()
{
    m_readSchemaVersion.reset();
    m_divisionRows.reset();
    m_firstRowPerComposition.reset();
    m_fullRow.reset();
    m_courtOnly.reset();
    m_schemaVersion.reset();
    m_available = false;
}

bool IndexedCourtRows::isAvailable()
{
    // Rowids and query plans are SQLite's alone.
    if (!m_connection->isConnected() || m_connection->engine() != DatabaseConnection::Engine::Sqlite)
        return false;
    if (!m_readSchemaVersion)
        m_readSchemaVersion = std::make_unique<PreparedStatement>(*m_connection, QStringLiteral("PRAGMA schema_version"));
    m_readSchemaVersion->reset();
    m_readSchemaVersion->step();
    const int schemaVersion = m_readSchemaVersion->columnText(0).toInt();
    m_readSchemaVersion->reset();
    // A changed schema (an index added or dropped, statistics gathered) may change the join's plan.
    if (m_schemaVersion != schemaVersion) {
        m_schemaVersion = schemaVersion;
        m_available = prepare();
    }
    return m_available;
}

bool IndexedCourtRows::prepare()
{
    m_divisionRows.reset();
    m_firstRowPerComposition.reset();
    m_fullRow.reset();
    m_courtOnly.reset();

    // The candidate statements compare the columns where the lookup dataset
    // finds them, and name rows by rowid.
    const QStringList judgement = lowerCaseColumns(*m_connection, TableNames[Judgement]);
    const QStringList separation = lowerCaseColumns(*m_connection, TableNames[Separation]);
    const QStringList structures = lowerCaseColumns(*m_connection, TableNames[Structures]);
    if (!judgement.contains(QLatin1String("judgementcode")) || !separation.contains(QLatin1String("separationname"))
        || judgement.contains(QLatin1String("separationname")))
        return false;
    for (const QStringList *columns : {&judgement, &separation, &structures}) {
        if (columns->contains(QLatin1String("_rowid_")))
            return false;
    }

    const auto order = joinRowOrder(*m_connection, m_joinStatement);
    if (!order || order->size() != 3)
        return false;
    for (int position = 0; position < 3; ++position) {
        const int table = int(TableNames.indexOf(order->at(position)));
        if (table < 0)
            return false;
        m_nesting[position] = table;
    }

    try {
        m_divisionRows = std::make_unique<PreparedStatement>(*m_connection, DivisionRowsStatement);
        m_firstRowPerComposition = std::make_unique<PreparedStatement>(*m_connection, FirstRowPerCompositionStatement);
        m_fullRow = std::make_unique<PreparedStatement>(*m_connection, FullRowStatement);
        m_courtOnly = std::make_unique<PreparedStatement>(*m_connection, CourtOnlyStatement);
    } catch (const DatabaseError &) {
        // A table without rowid, for one: the lookup dataset still answers.
        return false;
    }
    m_missingField.clear();
    for (std::size_t field = 0; field < std::size(JoinRowColumns); ++field) {
        m_fieldColumns[field] = m_fullRow->columnIndex(QString::fromLatin1(JoinRowColumns[field].name));
        if (m_fieldColumns[field] < 0 && m_missingField.isEmpty())
            m_missingField = QString::fromLatin1(JoinRowColumns[field].name);
    }
    m_courtOnlyCodeColumn = m_courtOnly->columnIndex(QStringLiteral("JudgementCode"));
    m_courtOnlyNameColumn = m_courtOnly->columnIndex(QStringLiteral("JudgementName"));
    return true;
}

bool IndexedCourtRows::isBefore(const RowKey &left, const RowKey &right) const
{
    for (const int table : m_nesting) {
        if (left[table] != right[table])
            return left[table] < right[table];
    }
    return false;
}

std::optional<IndexedCourtRows::RowKey> IndexedCourtRows::firstRow(PreparedStatement &candidates, const QString &code,
                                                                   const std::optional<QString> &division)
{
    const QByteArray codeText = code.toUtf8();
    const QByteArray divisionText = division.value_or(QString()).toUtf8();
    candidates.reset();
    bindStoredForms(candidates, 1, codeText);
    if (division)
        bindStoredForms(candidates, 1 + StoredFormCount, divisionText);
    std::optional<RowKey> first;
    while (candidates.step()) {
        if (!textEquals(candidates, CourtCode, codeText)
            || (division && !textEquals(candidates, DivisionNumber, divisionText)))
            continue;
        // A composition without divisions has no row in the join.
        if (!candidates.columnValue(DivisionRowId))
            continue;
        const RowKey key{candidates.columnInt64(CourtRowId), candidates.columnInt64(CompositionRowId),
                         candidates.columnInt64(DivisionRowId)};
        if (!first || isBefore(key, *first))
            first = key;
    }
    return first;
}

JoinRowFields IndexedCourtRows::readRow(const RowKey &key)
{
    m_fullRow->reset();
    m_fullRow->bindInt64(1, key[Judgement]);
    m_fullRow->bindInt64(2, key[Structures]);
    m_fullRow->bindInt64(3, key[Separation]);
    m_fullRow->step();
    JoinRowFields fields;
    for (std::size_t field = 0; field < std::size(JoinRowColumns); ++field)
        fields.*JoinRowColumns[field].field = m_fullRow->columnText(m_fieldColumns[field]);
    m_fullRow->reset();
    return fields;
}

CourtRows::Answer IndexedCourtRows::lookUp(const QString &code, const std::optional<QString> &division)
{
    // The lookup dataset stops at the first field it cannot read, whether the
    // court has rows or not; so does this path.
    if (!m_missingField.isEmpty())
        throw DatabaseError(missingColumnMessage(m_joinStatement, m_missingField));
    Answer answer;
    std::optional<RowKey> current;
    if (division) {
        current = firstRow(*m_divisionRows, code, division);
        answer.divisionFound = current.has_value();
    }
    if (!current)
        current = firstRow(*m_firstRowPerComposition, code, std::nullopt);
    answer.courtHasRows = current.has_value();
    if (current)
        answer.current = readRow(*current);
    return answer;
}

std::optional<QString> IndexedCourtRows::courtOnlyName(const QString &code)
{
    const QByteArray codeText = code.toUtf8();
    m_courtOnly->reset();
    bindStoredForms(*m_courtOnly, 1, codeText);
    std::optional<QString> name;
    while (!name && m_courtOnly->step()) {
        if (textEquals(*m_courtOnly, m_courtOnlyCodeColumn, codeText))
            name = m_courtOnlyNameColumn < 0 ? QString() : m_courtOnly->columnText(m_courtOnlyNameColumn);
    }
    m_courtOnly->reset();
    return name;
}
