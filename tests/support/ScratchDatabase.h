#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A database file of the test's own in a fresh temporary folder, built with
// plain SQL through SQLite itself, and read back the same way to check what a
// write really left in the file.
class ScratchDatabase
{
public:
    explicit ScratchDatabase(const QString &sql = {});

    QString path() const { return m_path; }
    QString folder() const { return m_folder.path(); }

    void execute(const QString &sql) const;
    // Every row of the query, columns joined by '|', nulls shown as "NULL".
    QStringList rows(const QString &query) const;
    QByteArray bytes() const;

private:
    QTemporaryDir m_folder;
    QString m_path;
};

// Courts А40 (two compositions, divisions 101, 102 and 201) and А41 (no
// composition): enough to show every path of the decoder and the editor.
extern const char *const CourtsFixtureSql;

// The answer lines of "А40-1234/08-101-503" on that fixture, in order.
extern const QStringList CourtsFixtureExampleLines;
