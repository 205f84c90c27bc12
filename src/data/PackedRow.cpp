#include "PackedRow.h"

#include <sqlite3.h>

#include <cstring>

namespace {

constexpr qint32 NullLength = -1;

void appendLength(QByteArray &bytes, qint32 length)
{
    bytes.append(reinterpret_cast<const char *>(&length), sizeof length);
}

qint32 lengthAt(const QByteArray &bytes, qsizetype offset)
{
    qint32 length = 0;
    std::memcpy(&length, bytes.constData() + offset, sizeof length);
    return length;
}

} // namespace

PackedRow PackedRow::fromStatement(sqlite3_stmt *statement, int firstColumn, int columnCount)
{
    PackedRow row;
    for (int column = firstColumn; column < firstColumn + columnCount; ++column) {
        if (sqlite3_column_type(statement, column) == SQLITE_NULL) {
            appendLength(row.m_bytes, NullLength);
            continue;
        }
        // Every value is handled as text; SQLite renders numbers the way the shell shows them.
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
        const int length = sqlite3_column_bytes(statement, column);
        appendLength(row.m_bytes, length);
        row.m_bytes.append(text, length);
    }
    row.m_bytes.squeeze();
    return row;
}

std::optional<QByteArrayView> PackedRow::value(int column) const
{
    qsizetype offset = 0;
    for (int skipped = 0; skipped < column; ++skipped) {
        const qint32 length = lengthAt(m_bytes, offset);
        offset += sizeof(qint32) + (length == NullLength ? 0 : length);
    }
    const qint32 length = lengthAt(m_bytes, offset);
    if (length == NullLength)
        return std::nullopt;
    return QByteArrayView(m_bytes.constData() + offset + sizeof(qint32), length);
}

QString PackedRow::text(int column) const
{
    const auto bytes = value(column);
    return bytes ? QString::fromUtf8(*bytes) : QString();
}
