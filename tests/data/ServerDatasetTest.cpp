#include "data/DatabaseConnection.h"
#include "data/DatabaseError.h"
#include "data/Dataset.h"
#include "support/PostgresTestServer.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"
#include "support/TestReference.h"

#include <QUrl>
#include <gtest/gtest.h>

namespace {

// The editor's datasets over a database on the test server: rows are named by
// their GUID key, since the server has no rowid.
class ServerDatasetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        connection.setDatabasePath(reference.location());
        connection.connectToDatabase();
        courts.open();
    }

    TestReference reference{TestReference::Engine::Server, QString::fromUtf8(CourtsFixtureSql)};
    DatabaseConnection connection;
    Dataset courts{&connection, QStringLiteral("select * from judgement order by GUID")};
};

TEST_F(ServerDatasetTest, InsertEditAndDeleteWriteExactlyTheirRow)
{
    EXPECT_EQ(courts.columnNames(),
              (QStringList{QStringLiteral("guid"), QStringLiteral("judgementcode"), QStringLiteral("judgementname")}));
    courts.insert();
    courts.setFieldText(QStringLiteral("GUID"), QStringLiteral("{NEW}"));
    courts.setFieldText(QStringLiteral("JudgementCode"), QStringLiteral("А99"));
    courts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("Суд с «кавычками» и 'апострофом'"));
    courts.post();
    EXPECT_EQ(courts.fieldText(QStringLiteral("JudgementName")), QStringLiteral("Суд с «кавычками» и 'апострофом'"));

    ASSERT_TRUE(courts.locate(QStringLiteral("JudgementCode"), QStringLiteral("А41")));
    courts.edit();
    courts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("Новое имя"));
    courts.post();

    ASSERT_TRUE(courts.locate(QStringLiteral("JudgementCode"), QStringLiteral("А40")));
    courts.remove();
    EXPECT_EQ(courts.rowCount(), 2);

    EXPECT_EQ(reference.rows(QStringLiteral("select * from judgement order by GUID")),
              (QStringList{QStringLiteral("{J41}|А41|Новое имя"), QStringLiteral("{NEW}|А99|Суд с «кавычками» и 'апострофом'")}));
}

TEST_F(ServerDatasetTest, EmptyTextAndNullStayDistinct)
{
    reference.execute(QStringLiteral("INSERT INTO judgement VALUES ('{E}', '', NULL)"));
    courts.close();
    courts.open();
    ASSERT_TRUE(courts.locate(QStringLiteral("GUID"), QStringLiteral("{E}")));
    EXPECT_EQ(courts.fieldValue(QStringLiteral("JudgementCode")), QVariant(QString()));
    EXPECT_FALSE(courts.fieldValue(QStringLiteral("JudgementName")).isValid());
}

TEST_F(ServerDatasetTest, JoinIsReadOnly)
{
    Dataset join(&connection, QStringLiteral("select * from judgement, structures where judgement.guid = structures.ref_Judgement"));
    join.open();
    EXPECT_EQ(join.rowCount(), 2);
    EXPECT_THROW(join.edit(), DatabaseError);
    EXPECT_THROW(join.remove(), DatabaseError);
}

TEST_F(ServerDatasetTest, RowDeletedByAnotherClientIsNotReportedAsWritten)
{
    reference.execute(QStringLiteral("DELETE FROM judgement WHERE GUID = '{J40}'"));
    courts.edit();
    courts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("x"));
    EXPECT_THROW(courts.post(), DatabaseError);
    EXPECT_EQ(courts.state(), Dataset::State::Editing);
    courts.cancel();
    EXPECT_THROW(courts.remove(), DatabaseError);
    EXPECT_EQ(reference.rows(QStringLiteral("select GUID from judgement")), QStringList{QStringLiteral("{J41}")});
}

// Two clerks on one row: the one who writes second writes nothing and is told so.
TEST_F(ServerDatasetTest, SecondClientEditingTheSameRowGetsTheConflictMessage)
{
    DatabaseConnection otherConnection;
    otherConnection.setDatabasePath(reference.location());
    otherConnection.connectToDatabase();
    Dataset otherCourts(&otherConnection, QStringLiteral("select * from judgement order by GUID"));
    otherCourts.open();

    courts.edit();
    otherCourts.edit();
    otherCourts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("первый"));
    otherCourts.post();
    courts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("второй"));
    try {
        courts.post();
        FAIL() << "the second write overwrote the first";
    } catch (const DatabaseError &error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("Запись изменена или удалена другой программой. Изменение не сохранено, таблица показана заново."));
    }
    courts.cancel();
    EXPECT_THROW(courts.remove(), DatabaseError);
    EXPECT_EQ(reference.rows(QStringLiteral("select JudgementName from judgement where GUID = '{J40}'")),
              QStringList{QStringLiteral("первый")});

    // Read again, the row is the first clerk's and can be changed.
    courts.close();
    courts.open();
    courts.edit();
    courts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("второй"));
    courts.post();
    EXPECT_EQ(reference.rows(QStringLiteral("select JudgementName from judgement where GUID = '{J40}'")),
              QStringList{QStringLiteral("второй")});
}

// People who only decode get a role that may read; the editor then says why
// nothing was written, and reading goes on as before.
TEST_F(ServerDatasetTest, ReadOnlyRoleGetsTheNoRightsMessageAndKeepsReading)
{
    const QString database = reference.location().section(QLatin1Char('/'), 3).section(QLatin1Char('?'), 0, 0);
    // Roles belong to the whole server: each database has its own reader.
    const QString reader = QStringLiteral("reader_") + database;
    reference.execute(QStringLiteral("CREATE ROLE %1 LOGIN; GRANT SELECT ON judgement, structures, separation TO %1").arg(reader));
    DatabaseConnection readerConnection;
    readerConnection.setDatabasePath(PostgresTestServer::instance().uri(database, reader));
    readerConnection.connectToDatabase();
    Dataset readerCourts(&readerConnection, QStringLiteral("select * from judgement order by GUID"));
    readerCourts.open();

    readerCourts.edit();
    readerCourts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("x"));
    try {
        readerCourts.post();
        FAIL() << "a read-only role wrote";
    } catch (const DatabaseError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("нет прав на изменение справочника"))) << error.message().toStdString();
    }
    readerCourts.cancel();
    EXPECT_THROW(readerCourts.remove(), DatabaseError);
    readerCourts.close();
    readerCourts.open();
    EXPECT_EQ(readerCourts.rowCount(), 2);
    EXPECT_EQ(reference.rows(QStringLiteral("select JudgementName from judgement where GUID = '{J40}'")),
              QStringList{QStringLiteral("Арбитражный суд города Москвы")});
}

TEST(ServerConnectionTest, UnknownDatabaseIsAClearErrorWithoutThePassword)
{
    PostgresTestServer &server = PostgresTestServer::instance();
    DatabaseConnection connection;
    const QString withPassword = QStringLiteral("postgresql://velmora:secret@/no_such_database?host=%1").arg(server.socketFolder());
    connection.setDatabasePath(withPassword);
    try {
        connection.connectToDatabase();
        FAIL() << "connected to a database that does not exist";
    } catch (const DatabaseError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("no_such_database"))) << error.message().toStdString();
        EXPECT_FALSE(error.message().contains(QStringLiteral("secret"))) << error.message().toStdString();
    }
    EXPECT_FALSE(connection.isConnected());
}

TEST(ServerConnectionTest, DatasetOpenedAfterAServerDownAtStartConnects)
{
    const TestReference reference(TestReference::Engine::Server, QString::fromUtf8(CourtsFixtureSql));
    DatabaseConnection connection;
    connection.setDatabasePath(reference.location());
    PostgresTestServer::instance().stop();
    EXPECT_THROW(connection.connectToDatabase(), DatabaseError);
    Dataset courts(&connection, QStringLiteral("select * from judgement"));
    EXPECT_THROW(courts.open(), DatabaseError);
    PostgresTestServer::instance().start();
    courts.open();
    EXPECT_EQ(courts.rowCount(), 2);
}

TEST(ServerConnectionTest, WrongPasswordIsAClearErrorThatNeverShowsThePassword)
{
    PostgresTestServer &server = PostgresTestServer::instance();
    const QString database = server.createDatabase();
    server.execute(database, QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD 'right-one'").arg(PostgresTestServer::PasswordUser));
    const QString folder = QString::fromUtf8(QUrl::toPercentEncoding(server.socketFolder()));

    DatabaseConnection connection;
    connection.setDatabasePath(
        QStringLiteral("postgresql://%1:wrong-one@/%2?host=%3").arg(PostgresTestServer::PasswordUser, database, folder));
    try {
        connection.connectToDatabase();
        FAIL() << "connected with a wrong password";
    } catch (const DatabaseError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("password authentication failed"))) << error.message().toStdString();
        EXPECT_FALSE(error.message().contains(QStringLiteral("wrong-one"))) << error.message().toStdString();
    }
    connection.setDatabasePath(
        QStringLiteral("postgresql://%1@/%2?host=%3&password=right-one").arg(PostgresTestServer::PasswordUser, database, folder));
    connection.connectToDatabase();
    EXPECT_TRUE(connection.isConnected());
    EXPECT_FALSE(connection.shownLocation().contains(QStringLiteral("right-one")));
}

TEST_F(ServerDatasetTest, StoppedServerFailsTheActionAndTheNextOneReconnects)
{
    PostgresTestServer::instance().stop();
    courts.close();
    try {
        courts.open();
        ADD_FAILURE() << "opened with the server stopped";
    } catch (const DatabaseError &error) {
        EXPECT_TRUE(error.message().contains(reference.location())) << error.message().toStdString();
    }
    PostgresTestServer::instance().start();
    courts.open();
    EXPECT_EQ(courts.rowCount(), 2);
}

} // namespace
