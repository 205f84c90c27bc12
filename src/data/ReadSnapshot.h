#pragma once

class DatabaseConnection;

// One read-only transaction around several statements, so they all see the
// database as it was at one moment, whatever another program commits
// meanwhile. Ended when it goes out of scope.
class ReadSnapshot
{
public:
    explicit ReadSnapshot(const DatabaseConnection &connection);
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot &) = delete;
    ReadSnapshot &operator=(const ReadSnapshot &) = delete;

private:
    const DatabaseConnection &m_connection;
    bool m_began = false;
};
