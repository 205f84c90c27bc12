#include "TestReference.h"

#include "support/PostgresTestServer.h"

TestReference::TestReference(Engine engine, const QString &sql)
    : m_engine(engine)
{
    if (engine == Engine::File) {
        m_file.emplace(sql);
        return;
    }
    PostgresTestServer &server = PostgresTestServer::instance();
    m_serverDatabase = server.createDatabase();
    if (!sql.isEmpty())
        server.execute(m_serverDatabase, sql);
}

QString TestReference::location() const
{
    return m_file ? m_file->path() : PostgresTestServer::instance().uri(m_serverDatabase);
}

void TestReference::execute(const QString &sql) const
{
    if (m_file)
        m_file->execute(sql);
    else
        PostgresTestServer::instance().execute(m_serverDatabase, sql);
}

QStringList TestReference::rows(const QString &query) const
{
    return m_file ? m_file->rows(query) : PostgresTestServer::instance().rows(m_serverDatabase, query);
}

std::string engineName(TestReference::Engine engine)
{
    return engine == TestReference::Engine::File ? "File" : "Server";
}
