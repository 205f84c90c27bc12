#include "Dataset.h"

#include "DatabaseConnection.h"
#include "DatabaseError.h"
#include "PreparedStatement.h"
#include "SqlNames.h"
#include "Transaction.h"

#include <QRegularExpression>
#include <sqlite3.h>

#include <algorithm>

namespace {

// The column and the opening quote; the quoted text itself is scanned by
// hand, as a court code may be of any length.
const QRegularExpression &filterHeadPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*([A-Za-z_][A-Za-z0-9_]*)\\s*=\\s*'"));
    return pattern;
}

} // namespace

Dataset::Dataset(DatabaseConnection *connection, const QString &statement, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
    , m_statement(statement)
{
    connect(connection, &DatabaseConnection::aboutToDisconnect, this, &Dataset::close);
}

Dataset::~Dataset() = default;

void Dataset::setStatement(const QString &statement, const QStringList &parameters)
{
    close();
    m_statement = statement;
    m_parameters = parameters;
}

void Dataset::open()
{
    if (isOpen())
        return;
    m_connection->ensureConnected();
    std::unique_ptr<PreparedStatement> statement = prepareRows();
    m_state = State::Browsing;
    if (m_fetchOnFirstRead) {
        m_unreadRows = std::move(statement);
        emit rowsReset();
        emit currentRowChanged();
        emit fieldsChanged();
    } else {
        readRows(*statement);
        applyFilter();
    }
    emit stateChanged();
}

void Dataset::close()
{
    if (!isOpen())
        return;
    m_unreadRows.reset();
    m_columns.clear();
    m_columnByLowerName.clear();
    m_rows = {};
    m_rowIds = {};
    m_visibleRows = {};
    m_currentRow = -1;
    m_buffer.clear();
    m_modified.clear();
    m_identity = RowIdentity();
    m_state = State::Closed;
    emit rowsReset();
    emit currentRowChanged();
    emit stateChanged();
    emit fieldsChanged();
}

std::unique_ptr<Dataset::Shown> Dataset::closeKeepingShown()
{
    std::unique_ptr<Shown> kept;
    if (isOpen() && !m_unreadRows) {
        kept.reset(new Shown{m_firstColumn, std::move(m_columns), std::move(m_columnByLowerName), std::move(m_rows), std::move(m_rowIds),
                             std::move(m_visibleRows), m_currentRow, std::move(m_identity)});
    }
    close();
    return kept;
}

void Dataset::showKept(std::unique_ptr<Shown> kept)
{
    if (!kept)
        return;
    close();
    m_firstColumn = kept->firstColumn;
    m_columns = std::move(kept->columns);
    m_columnByLowerName = std::move(kept->columnByLowerName);
    m_rows = std::move(kept->rows);
    m_rowIds = std::move(kept->rowIds);
    m_visibleRows = std::move(kept->visibleRows);
    m_currentRow = kept->currentRow;
    m_identity = std::move(kept->identity);
    m_state = State::Browsing;
    emit rowsReset();
    emit currentRowChanged();
    emit fieldsChanged();
    emit stateChanged();
}

std::unique_ptr<PreparedStatement> Dataset::prepareRows()
{
    auto statement = std::make_unique<PreparedStatement>(*m_connection, m_statement);
    m_identity = RowIdentity::find(*m_connection, *statement, m_statement);

    m_firstColumn = 0;
    if (!m_identity.rowIdName().isEmpty()) {
        statement = std::make_unique<PreparedStatement>(*m_connection, m_identity.widenedWithRowId(m_statement));
        m_firstColumn = 1;
    }
    statement->bindTexts(m_parameters);

    m_columns.clear();
    m_columnByLowerName.clear();
    for (int column = 0; column < statement->columnCount() - m_firstColumn; ++column) {
        const QString name = statement->columnName(column + m_firstColumn);
        m_columns << name;
        if (!m_columnByLowerName.contains(name.toLower()))
            m_columnByLowerName.insert(name.toLower(), column);
    }
    return statement;
}

void Dataset::readRows(PreparedStatement &statement)
{
    std::vector<PackedRow> rows;
    std::vector<qint64> rowIds;
    const int columnCount = int(m_columns.size());
    while (statement.step()) {
        rows.push_back(PackedRow::fromStatement(statement, m_firstColumn, columnCount));
        if (m_firstColumn == 1)
            rowIds.push_back(statement.columnInt64(0));
    }
    m_rows = std::move(rows);
    m_rowIds = std::move(rowIds);
}

// Reading does not change what the dataset is, only when its rows arrive.
void Dataset::readUnreadRows() const
{
    if (!m_unreadRows)
        return;
    auto *self = const_cast<Dataset *>(this);
    const std::unique_ptr<PreparedStatement> statement = std::move(self->m_unreadRows);
    self->readRows(*statement);
    self->selectVisibleRows();
}

void Dataset::setFilter(const QString &filter)
{
    m_filter = filter;
    if (m_filtered && isOpen())
        applyFilter();
}

void Dataset::setFiltered(bool filtered)
{
    if (m_filtered == filtered)
        return;
    m_filtered = filtered;
    if (isOpen())
        applyFilter();
}

std::optional<Dataset::ParsedFilter> Dataset::parseFilter() const
{
    if (!m_filtered || m_filter.trimmed().isEmpty())
        return std::nullopt;
    // Matched up to the opening quote only: the quoted text may hold anything,
    // even broken UTF-16, which a regular expression refuses to look at.
    const auto head = filterHeadPattern().match(m_filter.left(m_filter.indexOf(QLatin1Char('\'')) + 1));
    QString value;
    bool closed = false;
    qsizetype position = head.hasMatch() ? head.capturedEnd() : m_filter.size();
    while (position < m_filter.size() && !closed) {
        const QChar c = m_filter.at(position++);
        if (c != QLatin1Char('\''))
            value += c;
        else if (position < m_filter.size() && m_filter.at(position) == QLatin1Char('\''))
            value += m_filter.at(position++);
        else
            closed = true;
    }
    closed = closed && m_filter.mid(position).trimmed().isEmpty();
    if (!head.hasMatch() || !closed)
        throw DatabaseError(
            QStringLiteral("Условие отбора «%1» не понято: ожидается Столбец = 'текст'.").arg(shortenedForMessage(m_filter)));
    ParsedFilter parsed;
    parsed.column = requireColumn(head.captured(1));
    parsed.value = value.toUtf8();
    return parsed;
}

void Dataset::selectVisibleRows()
{
    const auto filter = parseFilter();
    m_visibleRows.clear();
    for (int row = 0; row < int(m_rows.size()); ++row) {
        if (filter) {
            const auto value = m_rows[row].value(filter->column);
            if (!value || *value != QByteArrayView(filter->value))
                continue;
        }
        m_visibleRows.push_back(row);
    }
    m_currentRow = m_visibleRows.empty() ? -1 : 0;
}

void Dataset::applyFilter()
{
    // Rows not fetched yet are filtered as they arrive.
    if (m_unreadRows)
        return;
    selectVisibleRows();
    emit rowsReset();
    emit currentRowChanged();
    emit fieldsChanged();
}

int Dataset::rowCount() const
{
    readUnreadRows();
    return int(m_visibleRows.size());
}

int Dataset::currentRow() const
{
    readUnreadRows();
    return m_currentRow;
}

bool Dataset::locate(const QString &column, const QString &value)
{
    if (!isOpen())
        return false;
    readUnreadRows();
    const int index = requireColumn(column);
    const QByteArray wanted = value.toUtf8();
    for (int row = 0; row < int(m_visibleRows.size()); ++row) {
        const auto cell = m_rows[m_visibleRows[row]].value(index);
        if (cell && *cell == QByteArrayView(wanted)) {
            setCurrentRow(row);
            return true;
        }
    }
    return false;
}

int Dataset::columnIndex(const QString &column) const
{
    return m_columnByLowerName.value(column.toLower(), -1);
}

int Dataset::requireColumn(const QString &column) const
{
    const int index = columnIndex(column);
    if (index < 0)
        throw DatabaseError(missingColumnMessage(m_statement, column));
    return index;
}

int Dataset::currentRowIndex() const
{
    readUnreadRows();
    return m_currentRow < 0 ? -1 : m_visibleRows[m_currentRow];
}

QString Dataset::fieldText(const QString &column) const
{
    return fieldValue(column).toString();
}

QVariant Dataset::fieldValue(const QString &column) const
{
    if (!isOpen())
        return {};
    const int index = requireColumn(column);
    readUnreadRows();
    if (m_state == State::Inserting || m_state == State::Editing) {
        const auto &value = m_buffer[index];
        return value ? QVariant(*value) : QVariant();
    }
    if (m_currentRow < 0)
        return {};
    const PackedRow &row = m_rows[currentRowIndex()];
    return row.isNull(index) ? QVariant() : QVariant(row.text(index));
}

void Dataset::setFieldText(const QString &column, const QString &value)
{
    if (m_state != State::Inserting && m_state != State::Editing)
        throw DatabaseError(QStringLiteral("Набор данных «%1» не в режиме правки: значение «%2» не записано.")
                                .arg(shortenedForMessage(m_statement), column));
    const int index = requireColumn(column);
    m_buffer[index] = value;
    m_modified[index] = true;
    emit fieldsChanged();
}

QString Dataset::textAt(int row, int column) const
{
    readUnreadRows();
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_columns.size())
        return {};
    return m_rows[m_visibleRows[row]].text(column);
}

void Dataset::setCurrentRow(int row)
{
    readUnreadRows();
    if (m_state != State::Browsing || row < 0 || row >= rowCount() || row == m_currentRow)
        return;
    m_currentRow = row;
    emit currentRowChanged();
    emit fieldsChanged();
}

void Dataset::requireWritable() const
{
    if (!m_identity.isWritable())
        throw DatabaseError(
            QStringLiteral("Набор данных «%1» только для чтения: %2.").arg(shortenedForMessage(m_statement), m_identity.readOnlyReason()));
}

void Dataset::requireCurrentRow(const QString &action) const
{
    readUnreadRows();
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Набор данных «%1» закрыт: %2 невозможно.").arg(shortenedForMessage(m_statement), action));
    if (m_state != State::Browsing)
        throw DatabaseError(
            QStringLiteral("Набор данных «%1» уже в режиме правки: %2 невозможно.").arg(shortenedForMessage(m_statement), action));
    if (m_currentRow < 0)
        throw DatabaseError(
            QStringLiteral("В наборе данных «%1» нет текущей записи: %2 невозможно.").arg(shortenedForMessage(m_statement), action));
}

void Dataset::insert()
{
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Набор данных «%1» закрыт: добавить запись невозможно.").arg(shortenedForMessage(m_statement)));
    if (m_state != State::Browsing)
        throw DatabaseError(QStringLiteral("Набор данных «%1» уже в режиме правки.").arg(shortenedForMessage(m_statement)));
    requireWritable();
    readUnreadRows();
    m_buffer.assign(m_columns.size(), std::nullopt);
    m_modified.assign(m_columns.size(), false);
    setState(State::Inserting);
}

void Dataset::edit()
{
    requireCurrentRow(QStringLiteral("изменить запись"));
    requireWritable();
    const PackedRow &row = m_rows[currentRowIndex()];
    m_buffer.assign(m_columns.size(), std::nullopt);
    for (int column = 0; column < m_columns.size(); ++column) {
        if (!row.isNull(column))
            m_buffer[column] = row.text(column);
    }
    m_modified.assign(m_columns.size(), false);
    setState(State::Editing);
}

void Dataset::setState(State state)
{
    m_state = state;
    emit stateChanged();
    emit fieldsChanged();
}

qint64 Dataset::rowIdAt(int rowIndex) const
{
    return m_firstColumn == 1 ? m_rowIds[rowIndex] : 0;
}

PackedRow Dataset::reread(qint64 rowId, const QString &guid) const
{
    const QString sql = QStringLiteral("SELECT %1* FROM %2 WHERE %3")
                            .arg(m_firstColumn == 1 ? m_identity.rowIdName() + QStringLiteral(", ") : QString(),
                                 quotedName(m_identity.table()), m_identity.keyCondition(1));
    PreparedStatement statement(*m_connection, sql);
    m_identity.bindKey(statement, 1, rowId, guid.toUtf8());
    if (!statement.step())
        throw DatabaseError(QStringLiteral("База данных «%1»: записанная строка таблицы «%2» не найдена.")
                                .arg(m_connection->shownLocation(), m_identity.table()));
    return PackedRow::fromStatement(statement, m_firstColumn, int(m_columns.size()));
}

void Dataset::post()
{
    if (m_state == State::Inserting)
        postInsert();
    else if (m_state == State::Editing)
        postEdit();
    else
        throw DatabaseError(
            QStringLiteral("Набор данных «%1» не в режиме правки: сохранять нечего.").arg(shortenedForMessage(m_statement)));
}

void Dataset::postInsert()
{
    QStringList names;
    QStringList values;
    for (int column = 0; column < m_columns.size(); ++column) {
        if (m_modified[column]) {
            names << quotedName(m_columns[column]);
            values << m_buffer[column].value_or(QString());
        }
    }
    const int guidColumn = m_identity.guidColumn();
    const QString table = quotedName(m_identity.table());
    if (m_identity.kind() == RowIdentity::Kind::Guid && !m_buffer[guidColumn])
        throw DatabaseError(QStringLiteral("Новая строка таблицы «%1» не записана: у неё нет ключа GUID.").arg(m_identity.table()));

    const QString sql = names.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
              .arg(table, names.join(QStringLiteral(", ")), QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    Transaction transaction(*m_connection);
    PreparedStatement statement(*m_connection, sql);
    statement.bindTexts(values);
    statement.execute();

    // Only a dataset widened with SQLite's rowid reads its rows back by it.
    const qint64 rowId = m_firstColumn == 1 ? sqlite3_last_insert_rowid(m_connection->handle()) : 0;
    const QString guid = guidColumn >= 0 ? m_buffer[guidColumn].value_or(QString()) : QString();
    PackedRow written = reread(rowId, guid);
    transaction.commit();

    m_rows.push_back(std::move(written));
    if (m_firstColumn == 1)
        m_rowIds.push_back(rowId);
    m_visibleRows.push_back(int(m_rows.size()) - 1);
    m_currentRow = rowCount() - 1;
    m_state = State::Browsing;
    emit rowsReset();
    emit currentRowChanged();
    setState(State::Browsing);
}

// Runs an UPDATE or DELETE whose WHERE is the unchanged-row condition; it
// counts only if it touched that one row, else nothing of it stays.
void Dataset::writeUnchangedRow(PreparedStatement &statement, const QString &refusal) const
{
    statement.execute();
    const int changes = statement.changedRows();
    if (changes == 0)
        throw DatabaseError(refusal);
    // Only rows with the same GUID and the very same values can be touched
    // together; writing one of them would still write them all.
    if (changes > 1)
        throw DatabaseError(QStringLiteral("В таблице «%1» несколько одинаковых строк с одним ключом GUID: изменить одну из них нельзя.")
                                .arg(m_identity.table()));
}

void Dataset::postEdit()
{
    QStringList assignments;
    QStringList values;
    for (int column = 0; column < m_columns.size(); ++column) {
        if (m_modified[column]) {
            assignments << quotedName(m_columns[column]) + QStringLiteral(" = ?");
            values << m_buffer[column].value_or(QString());
        }
    }
    const int rowIndex = currentRowIndex();
    if (!assignments.isEmpty()) {
        const PackedRow &read = m_rows[rowIndex];
        const int conditionStart = int(values.size()) + 1;
        Transaction transaction(*m_connection);
        PreparedStatement statement(*m_connection,
                                    QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                        .arg(quotedName(m_identity.table()), assignments.join(QStringLiteral(", ")),
                                             m_identity.unchangedRowCondition(conditionStart, read)));
        statement.bindTexts(values);
        m_identity.bindUnchangedRow(statement, conditionStart, rowIdAt(rowIndex), read);
        writeUnchangedRow(statement, changedByAnotherProgramMessage());
        const int guidColumn = m_identity.guidColumn();
        const QString guid = guidColumn >= 0 ? m_buffer[guidColumn].value_or(QString()) : QString();
        PackedRow written = reread(rowIdAt(rowIndex), guid);
        transaction.commit();
        m_rows[rowIndex] = std::move(written);
    }
    m_buffer.clear();
    m_modified.clear();
    emit rowsReset();
    emit currentRowChanged();
    setState(State::Browsing);
}

void Dataset::cancel()
{
    if (m_state != State::Inserting && m_state != State::Editing)
        return;
    m_buffer.clear();
    m_modified.clear();
    setState(State::Browsing);
}

void Dataset::remove()
{
    requireCurrentRow(QStringLiteral("удалить запись"));
    requireWritable();
    const int rowIndex = currentRowIndex();
    const PackedRow &read = m_rows[rowIndex];
    {
        Transaction transaction(*m_connection);
        PreparedStatement statement(
            *m_connection,
            QStringLiteral("DELETE FROM %1 WHERE %2").arg(quotedName(m_identity.table()), m_identity.unchangedRowCondition(1, read)));
        m_identity.bindUnchangedRow(statement, 1, rowIdAt(rowIndex), read);
        writeUnchangedRow(statement, notDeletedBecauseChangedMessage());
        transaction.commit();
    }

    m_rows.erase(m_rows.begin() + rowIndex);
    if (m_firstColumn == 1)
        m_rowIds.erase(m_rowIds.begin() + rowIndex);
    m_visibleRows.erase(m_visibleRows.begin() + m_currentRow);
    for (int &row : m_visibleRows) {
        if (row > rowIndex)
            --row;
    }
    m_currentRow = std::min(m_currentRow, rowCount() - 1);
    emit rowsReset();
    emit currentRowChanged();
    emit fieldsChanged();
}
