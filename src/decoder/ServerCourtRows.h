#pragma once

#include "decoder/CourtRows.h"

class DatabaseConnection;

// Answers for one court on a PostgreSQL server, asking the server for the
// court's rows only. The server keeps no row order of its own, so there the
// join's "first row" is defined by the keys (see serverJoinStatement), and
// the lookup dataset over the same ordered join gives the same answers.
class ServerCourtRows : public CourtRows
{
public:
    explicit ServerCourtRows(DatabaseConnection *connection);

    Answer lookUp(const QString &code, const std::optional<QString> &division) override;
    std::optional<QString> courtOnlyName(const QString &code) override;

private:
    DatabaseConnection *m_connection;
};
