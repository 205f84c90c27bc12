#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

class PreparedStatement;

// One fetched row kept as a single UTF-8 buffer of length-prefixed values.
// A table of a million divisions stays at roughly the size of its text
// instead of one QString object per cell.
class PackedRow
{
public:
    PackedRow() = default;

    // Reads columns [firstColumn, firstColumn + columnCount) of the statement's current row.
    static PackedRow fromStatement(const PreparedStatement &statement, int firstColumn, int columnCount);

    // The UTF-8 bytes of a column, or nothing when the value is null.
    std::optional<QByteArrayView> value(int column) const;
    bool isNull(int column) const { return !value(column).has_value(); }
    // Null reads as empty text.
    QString text(int column) const;

private:
    QByteArray m_bytes;
};
