#include "support/PostgresTestServer.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// The server-side tests are only as honest as the server under them: it must
// be private to the run and leave nothing behind.
TEST(TestServerTest, ListensOnlyOnItsOwnSocketAndIsRemovedAtTheEnd)
{
    PostgresTestServer &server = PostgresTestServer::instance();
    const QString folder = server.socketFolder();
    const QString database = server.createDatabase();

    EXPECT_EQ(server.rows(database, QStringLiteral("SHOW listen_addresses")), QStringList{QString()});
    EXPECT_EQ(server.rows(database, QStringLiteral("SHOW unix_socket_directories")), QStringList{folder});
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/.s.PGSQL.5432")).exists());

    server.execute(database, QStringLiteral("CREATE TABLE t (x text); INSERT INTO t VALUES ('в')"));
    server.stop();
    EXPECT_THROW(server.rows(database, QStringLiteral("SELECT x FROM t")), std::runtime_error);
    server.start();
    EXPECT_EQ(server.rows(database, QStringLiteral("SELECT x FROM t")), QStringList{QStringLiteral("в")});

    PostgresTestServer::shutDown();
    EXPECT_FALSE(QDir(folder).exists());
}

} // namespace
