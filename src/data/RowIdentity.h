#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

class DatabaseConnection;
class PackedRow;
class PreparedStatement;

// How a dataset's write names the one row it touches. A row is named by its
// GUID where the table has one, by SQLite's rowid only where it has not: a
// rowid that another program freed may be given to another row. Before a
// write, the row must also still hold every value the dataset read, compared
// as the dataset read them (as text, null equal only to null), so that a
// change made meanwhile by another program is never overwritten or deleted.
class RowIdentity
{
public:
    enum class Kind { None, RowId, Guid };

    RowIdentity() = default;

    // What the rows of this compiled statement can be written back by.
    static RowIdentity find(const DatabaseConnection &connection, const PreparedStatement &statement, const QString &statementText);

    Kind kind() const { return m_kind; }
    bool isWritable() const { return m_kind != Kind::None; }
    QString table() const { return m_table; }
    // Why the rows cannot be written, for a read-only dataset.
    QString readOnlyReason() const { return m_readOnlyReason; }
    // The name under which the statement can be widened with the rowid, or
    // empty. Rows that carry it are read back by it after a write.
    QString rowIdName() const { return m_rowIdName; }
    // The statement given to find() with the rowid put before its columns;
    // only for an identity that has a rowIdName().
    QString widenedWithRowId(const QString &statementText) const;
    // The GUID among the statement's columns, or -1.
    int guidColumn() const { return m_guidColumn; }

    // Names one row by its rowid when the dataset has it, else by its GUID:
    // enough to read back a row just written.
    QString keyCondition(int firstPosition) const;
    void bindKey(PreparedStatement &statement, int firstPosition, qint64 rowId, QByteArrayView guid) const;

    // Names the row and requires it to hold what was read.
    QString unchangedRowCondition(int firstPosition, const PackedRow &read) const;
    void bindUnchangedRow(PreparedStatement &statement, int firstPosition, qint64 rowId, const PackedRow &read) const;

private:
    bool isNamedByGuid(const PackedRow &read) const;

    Kind m_kind = Kind::None;
    QString m_table;
    QString m_readOnlyReason;
    QString m_rowIdName;
    int m_guidColumn = -1;
    bool m_onServer = false;
    // The table's names of the statement's columns, in the statement's order.
    QStringList m_columns;
};

// Another program changed or removed the row since it was read: nothing was written.
QString changedByAnotherProgramMessage();
QString notDeletedBecauseChangedMessage();
