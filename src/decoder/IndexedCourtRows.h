#pragma once

#include "decoder/CourtRows.h"

#include <QMetaObject>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

class DatabaseConnection;
class PreparedStatement;

// Answers for one court straight from SQLite's indexes, at a cost that grows
// with the compositions of that court and not with the whole file. It gives
// the lookup dataset's answers exactly, by ordering candidate rows the way
// the join's own plan orders them; on a file whose plan it cannot follow it
// says it is not available and the caller reads the lookup dataset instead.
class IndexedCourtRows : public CourtRows
{
public:
    IndexedCourtRows(DatabaseConnection *connection, const QString &joinStatement);
    ~IndexedCourtRows() override;

    bool isAvailable();

    Answer lookUp(const QString &code, const std::optional<QString> &division) override;
    std::optional<QString> courtOnlyName(const QString &code) override;

private:
    // Rowids of one join row: judgement, structures, separation.
    using RowKey = std::array<qint64, 3>;

    bool prepare();
    // Statements belong to one SQLite handle: they go before it closes.
    void forget();
    bool isBefore(const RowKey &left, const RowKey &right) const;
    std::optional<RowKey> firstRow(PreparedStatement &candidates, const QString &code, const std::optional<QString> &division);
    JoinRowFields readRow(const RowKey &key);

    DatabaseConnection *m_connection;
    QString m_joinStatement;
    QMetaObject::Connection m_disconnection;

    std::optional<int> m_schemaVersion;
    bool m_available = false;
    // The tables (judgement, structures, separation as 0, 1, 2) from the join's outermost loop inwards.
    std::array<int, 3> m_nesting{};
    std::unique_ptr<PreparedStatement> m_readSchemaVersion;
    std::unique_ptr<PreparedStatement> m_divisionRows;
    std::unique_ptr<PreparedStatement> m_firstRowPerComposition;
    std::unique_ptr<PreparedStatement> m_fullRow;
    std::unique_ptr<PreparedStatement> m_courtOnly;
    std::array<int, std::size(JoinRowColumns)> m_fieldColumns{};
    // The first field the join lacks, which makes every lookup an error.
    QString m_missingField;
    int m_courtOnlyCodeColumn = -1;
    int m_courtOnlyNameColumn = -1;
};
