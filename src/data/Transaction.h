#pragma once

class DatabaseConnection;

// Statements run between construction and commit() are one unit: they read
// one snapshot of the file, and what they write lands whole or not at all.
// Leaving the scope without commit() (an error, a refused write) undoes it.
// Built on a savepoint, so it also nests inside a transaction already open.
// On a server outside any transaction it is a transaction of its own.
class Transaction
{
public:
    explicit Transaction(DatabaseConnection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    DatabaseConnection &m_connection;
    bool m_ownTransaction;
    bool m_open = true;
};
