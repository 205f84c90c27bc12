#include "PackedRow.h"

#include "PreparedStatement.h"

#include <QVarLengthArray>

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

PackedRow PackedRow::fromStatement(const PreparedStatement &statement, int firstColumn, int columnCount)
{
    // One allocation of the exact size: a million rows grown piece by piece
    // leave the heap fragmented well beyond what they hold.
    QVarLengthArray<QByteArrayView, 16> values(columnCount);
    qsizetype size = 0;
    for (int i = 0; i < columnCount; ++i) {
        const auto value = statement.columnValue(firstColumn + i);
        if (!value) {
            values[i] = QByteArrayView();
        } else {
            // An empty text is not null: it needs a non-null view.
            values[i] = value->isNull() ? QByteArrayView("", 0) : *value;
            size += values[i].size();
        }
        size += sizeof(qint32);
    }

    PackedRow row;
    row.m_bytes.reserve(size);
    for (const QByteArrayView value : values) {
        if (value.isNull()) {
            appendLength(row.m_bytes, NullLength);
        } else {
            appendLength(row.m_bytes, qint32(value.size()));
            row.m_bytes.append(value);
        }
    }
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
