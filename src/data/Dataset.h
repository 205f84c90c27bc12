#pragma once

#include "PackedRow.h"
#include "RowIdentity.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

class DatabaseConnection;
class PreparedStatement;

// A record set produced by one statement over one connection, with a cursor
// on a current row, an edit buffer and a local filter. Every value is read and
// written as text, whatever the column's declared type. Grids and edit boxes
// follow it through its signals.
class Dataset : public QObject
{
    Q_OBJECT

public:
    enum class State { Closed, Browsing, Inserting, Editing };

    Dataset(DatabaseConnection *connection, const QString &statement, QObject *parent = nullptr);
    ~Dataset() override;

    DatabaseConnection *connection() const { return m_connection; }

    QString statement() const { return m_statement; }
    QStringList parameters() const { return m_parameters; }
    // Closes the dataset; the next open runs the new text. Parameters are
    // bound as text to the statement's "?" placeholders, in order.
    void setStatement(const QString &statement, const QStringList &parameters = {});

    void open();
    void close();

    // What an open dataset showed when it was closed, as it was read then.
    struct Shown
    {
        int firstColumn;
        QStringList columns;
        QHash<QString, int> columnByLowerName;
        std::vector<PackedRow> rows;
        std::vector<qint64> rowIds;
        std::vector<int> visibleRows;
        int currentRow;
        RowIdentity identity;
    };
    // Closes the dataset and hands back what it showed; nothing when it was
    // closed or its rows were not read yet.
    std::unique_ptr<Shown> closeKeepingShown();
    // Shows again, unread and browsing, what closeKeepingShown handed back:
    // for a dataset that cannot be read now, so that its grid keeps the rows
    // a user picks the next action's row from.
    void showKept(std::unique_ptr<Shown> kept);

    // Open then only compiles the statement; its rows are fetched by the
    // first read, already filtered as the filter stands then. For a dataset
    // that is reopened often and seldom read.
    void setFetchOnFirstRead(bool onFirstRead) { m_fetchOnFirstRead = onFirstRead; }
    bool isOpen() const { return m_state != State::Closed; }
    State state() const { return m_state; }

    // The only filter understood is `Column = 'text'` (single quotes inside
    // doubled): exact, case-sensitive equality of the column's text.
    QString filter() const { return m_filter; }
    void setFilter(const QString &filter);
    bool isFiltered() const { return m_filtered; }
    void setFiltered(bool filtered);

    // Moves to the first visible row whose column holds exactly this text.
    // On a miss the cursor stays where it was.
    bool locate(const QString &column, const QString &value);

    // Empty text for null or when there is no current row.
    QString fieldText(const QString &column) const;
    // An invalid QVariant stands for null: unequal to any text, empty as text.
    QVariant fieldValue(const QString &column) const;
    void setFieldText(const QString &column, const QString &value);

    void insert();
    void edit();
    void post();
    void cancel();
    void remove();

    QStringList columnNames() const { return m_columns; }
    // Case-insensitive; the first of equal names wins. -1 when there is none.
    int columnIndex(const QString &column) const;
    int rowCount() const;
    // Index among the visible rows; -1 when there is no current row.
    int currentRow() const;
    void setCurrentRow(int row);
    // Text of a visible row's column, as the grid shows it.
    QString textAt(int row, int column) const;

signals:
    // The set of visible rows changed: opened, closed, filtered, a row added or removed.
    void rowsReset();
    void currentRowChanged();
    void stateChanged();
    // What the current row or the edit buffer holds changed.
    void fieldsChanged();

private:
    struct ParsedFilter
    {
        int column = -1;
        QByteArray value;
    };

    std::unique_ptr<PreparedStatement> prepareRows();
    void readRows(PreparedStatement &statement);
    void readUnreadRows() const;
    void selectVisibleRows();
    void applyFilter();
    std::optional<ParsedFilter> parseFilter() const;
    int requireColumn(const QString &column) const;
    void requireWritable() const;
    void requireCurrentRow(const QString &action) const;
    qint64 rowIdAt(int rowIndex) const;
    PackedRow reread(qint64 rowId, const QString &guid) const;
    void writeUnchangedRow(PreparedStatement &statement, const QString &refusal) const;
    void postInsert();
    void postEdit();
    void setState(State state);
    int currentRowIndex() const;

    DatabaseConnection *m_connection;
    QString m_statement;
    QStringList m_parameters;
    QString m_filter;
    bool m_filtered = false;
    bool m_fetchOnFirstRead = false;

    State m_state = State::Closed;
    std::unique_ptr<PreparedStatement> m_unreadRows;
    // 1 when the statement was widened with the rowid in front of its own columns.
    int m_firstColumn = 0;
    QStringList m_columns;
    QHash<QString, int> m_columnByLowerName;
    std::vector<PackedRow> m_rows;
    std::vector<qint64> m_rowIds;
    std::vector<int> m_visibleRows;
    int m_currentRow = -1;

    RowIdentity m_identity;

    std::vector<std::optional<QString>> m_buffer;
    std::vector<bool> m_modified;
};
