#pragma once

#include "decoder/CourtRows.h"

#include <QHash>

#include <functional>

class DatabaseConnection;

// Remembers every answer of the rows it stands in front of, for decoding a
// whole document: its thousands of numbers name a few courts and divisions,
// and asking SQLite again for each costs more than the rest of the decode.
// The answers may go stale once another program writes the file, so it lives
// for one run over one document and is then forgotten.
class CachedCourtRows : public CourtRows
{
public:
    // Answers not yet remembered come from the rows the function gives at
    // that moment, each read in a snapshot of its own on the connection;
    // remembered ones touch the file no more at all.
    CachedCourtRows(DatabaseConnection &connection, std::function<CourtRows &()> source)
        : m_connection(connection), m_source(std::move(source))
    {
    }

    Answer lookUp(const QString &code, const std::optional<QString> &division) override;
    std::optional<QString> courtOnlyName(const QString &code) override;

private:
    DatabaseConnection &m_connection;
    std::function<CourtRows &()> m_source;
    // Keyed by code and division; a lookup without a division has a key of its own.
    QHash<QString, Answer> m_answers;
    QHash<QString, std::optional<QString>> m_courtOnlyNames;
};
