#include "RowIdentity.h"

#include "DatabaseConnection.h"
#include "PackedRow.h"
#include "PreparedStatement.h"
#include "SqlNames.h"
#include "StoredForms.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace {

// Only a plain "select * from <table> ..." can be widened with the rowid
// without understanding the rest of the statement.
const QRegularExpression &selectAllPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*select\\s+\\*"), QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

bool isGuid(const QString &name)
{
    return name.compare(QLatin1String("GUID"), Qt::CaseInsensitive) == 0;
}

} // namespace

RowIdentity RowIdentity::find(const DatabaseConnection &connection, const PreparedStatement &statement, const QString &statementText)
{
    RowIdentity identity;
    const int columnCount = statement.columnCount();
    for (int column = 0; column < columnCount; ++column) {
        const QString name = statement.columnTable(column);
        if (name.isEmpty()) {
            identity.m_readOnlyReason = QStringLiteral("его столбец «%1» вычислен, а не взят из таблицы").arg(statement.columnName(column));
            return identity;
        }
        if (identity.m_table.isEmpty()) {
            identity.m_table = name;
        } else if (identity.m_table != name) {
            identity.m_readOnlyReason = QStringLiteral("он собран из нескольких таблиц");
            identity.m_table.clear();
            return identity;
        }
        identity.m_columns << statement.columnOrigin(column);
        if (identity.m_guidColumn < 0 && isGuid(identity.m_columns.last()))
            identity.m_guidColumn = column;
    }
    if (identity.m_table.isEmpty()) {
        identity.m_readOnlyReason = QStringLiteral("в нём нет столбцов");
        return identity;
    }

    identity.m_onServer = connection.engine() == DatabaseConnection::Engine::Postgres;
    // The server has no row identity that outlives an update: there the GUID is the only way.
    if (!identity.m_onServer && selectAllPattern().match(statementText).hasMatch()) {
        QStringList tableColumns;
        for (const QString &name : connection.tableColumns(identity.m_table))
            tableColumns << name.toLower();
        // A table may have a real column called rowid; SQLite then offers the
        // row identity under one of its other names.
        for (const QString &alias : {QStringLiteral("rowid"), QStringLiteral("_rowid_"), QStringLiteral("oid")}) {
            if (tableColumns.contains(alias))
                continue;
            const QByteArray probe = QStringLiteral("SELECT %1 FROM %2").arg(alias, quotedName(identity.m_table)).toUtf8();
            sqlite3_stmt *handle = nullptr;
            if (sqlite3_prepare_v2(connection.handle(), probe.constData(), -1, &handle, nullptr) == SQLITE_OK)
                identity.m_rowIdName = alias;
            sqlite3_finalize(handle);
            break;
        }
    }

    if (identity.m_guidColumn >= 0)
        identity.m_kind = Kind::Guid;
    else if (!identity.m_rowIdName.isEmpty())
        identity.m_kind = Kind::RowId;
    else
        identity.m_readOnlyReason =
            QStringLiteral("у строк таблицы «%1» нет ключа, по которому можно изменить ровно одну строку").arg(identity.m_table);
    return identity;
}

QString RowIdentity::widenedWithRowId(const QString &statementText) const
{
    const auto match = selectAllPattern().match(statementText);
    return QStringLiteral("SELECT %1, *").arg(m_rowIdName) + statementText.mid(match.capturedEnd());
}

QString RowIdentity::keyCondition(int firstPosition) const
{
    if (!m_rowIdName.isEmpty())
        return QStringLiteral("%1 = ?%2").arg(m_rowIdName).arg(firstPosition);
    return storedFormsCondition(quotedName(m_columns.value(m_guidColumn)), firstPosition);
}

void RowIdentity::bindKey(PreparedStatement &statement, int firstPosition, qint64 rowId, QByteArrayView guid) const
{
    if (!m_rowIdName.isEmpty())
        statement.bindInt64(firstPosition, rowId);
    else
        bindStoredForms(statement, firstPosition, guid);
}

// A row the editor did not make may lack its GUID; its rowid names it then.
bool RowIdentity::isNamedByGuid(const PackedRow &read) const
{
    return m_kind == Kind::Guid && (m_rowIdName.isEmpty() || !read.isNull(m_guidColumn));
}

QString RowIdentity::unchangedRowCondition(int firstPosition, const PackedRow &read) const
{
    QStringList conditions;
    int position = firstPosition;
    if (isNamedByGuid(read)) {
        conditions << storedFormsCondition(quotedName(m_columns.value(m_guidColumn)), position);
        position += StoredFormCount;
    } else {
        conditions << QStringLiteral("%1 = ?%2").arg(m_rowIdName).arg(position++);
    }
    // The cast renders a stored number or blob exactly as the dataset read it,
    // and the binary collation keeps a NOCASE column from passing other text.
    // The key above has already narrowed the search to one row.
    // The server's text compares byte by byte under any deterministic collation.
    const QString sameText =
        m_onServer ? QStringLiteral("CAST(%1 AS TEXT) IS NOT DISTINCT FROM ?%2") : QStringLiteral("CAST(%1 AS TEXT) IS ?%2 COLLATE BINARY");
    for (const QString &column : m_columns)
        conditions << sameText.arg(quotedName(column)).arg(position++);
    return conditions.join(QStringLiteral(" AND "));
}

void RowIdentity::bindUnchangedRow(PreparedStatement &statement, int firstPosition, qint64 rowId, const PackedRow &read) const
{
    int position = firstPosition;
    if (isNamedByGuid(read)) {
        bindStoredForms(statement, position, read.value(m_guidColumn).value_or(QByteArrayView()));
        position += StoredFormCount;
    } else {
        statement.bindInt64(position++, rowId);
    }
    for (int column = 0; column < m_columns.size(); ++column) {
        const auto value = read.value(column);
        if (value)
            statement.bindUtf8(position++, *value);
        else
            statement.bindNull(position++);
    }
}

QString changedByAnotherProgramMessage()
{
    return QStringLiteral("Запись изменена или удалена другой программой. Изменение не сохранено, таблица показана заново.");
}

QString notDeletedBecauseChangedMessage()
{
    return QStringLiteral("Запись изменена или удалена другой программой. Запись не удалена, таблица показана заново.");
}
