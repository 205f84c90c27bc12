#include "data/DatabaseConnection.h"
#include "data/DatabaseError.h"
#include "data/Dataset.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString connectError(const QString &path, DatabaseConnection::Access access = DatabaseConnection::Access::ReadWrite)
{
    DatabaseConnection connection;
    connection.setDatabasePath(path);
    connection.setAccess(access);
    try {
        connection.connectToDatabase();
    } catch (const DatabaseError &error) {
        EXPECT_FALSE(connection.isConnected());
        return error.message();
    }
    ADD_FAILURE() << "connecting to " << path.toStdString() << " succeeded";
    return {};
}

TEST(DatabaseFaultTest, MissingFileIsNamedAndNeverCreated)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("CaseNumber.db"));
    const QString message = connectError(path);
    EXPECT_TRUE(message.contains(path)) << message.toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(DatabaseFaultTest, PathThroughARegularFileIsAnError)
{
    ScratchDatabase database;
    const QString path = database.path() + QStringLiteral("/CaseNumber.db");
    EXPECT_TRUE(connectError(path).contains(path));
}

TEST(DatabaseFaultTest, FileThatIsNotADatabaseIsReportedOnConnect)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("CaseNumber.db"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();

    const QString message = connectError(path);
    EXPECT_TRUE(message.contains(path));
    EXPECT_TRUE(message.contains(QStringLiteral("file is not a database"))) << message.toStdString();
}

TEST(DatabaseFaultTest, MissingTableNamesFileAndTable)
{
    ScratchDatabase database;
    DatabaseConnection connection;
    connection.setDatabasePath(database.path());
    connection.connectToDatabase();
    Dataset courts(&connection, QStringLiteral("select * from judgement"));
    try {
        courts.open();
        FAIL() << "opened a missing table";
    } catch (const DatabaseError &error) {
        EXPECT_TRUE(error.message().contains(database.path()));
        EXPECT_TRUE(error.message().contains(QStringLiteral("no such table: judgement"))) << error.message().toStdString();
    }
    EXPECT_FALSE(courts.isOpen());
}

TEST(DatabaseFaultTest, OpeningADatasetConnectsAgainToTheSameFile)
{
    ScratchDatabase database(QString::fromUtf8(CourtsFixtureSql));
    DatabaseConnection connection;
    connection.setDatabasePath(database.path());
    connection.connectToDatabase();
    Dataset courts(&connection, QStringLiteral("select * from judgement"));
    courts.open();
    connection.disconnectFromDatabase();
    EXPECT_FALSE(courts.isOpen());
    courts.open();
    EXPECT_TRUE(connection.isConnected());
    EXPECT_EQ(courts.rowCount(), 2);
}

// A start while the file was missing (or locked), then the user mends it:
// the next open connects, to the path the connection was given and no other.
TEST(DatabaseFaultTest, DatasetOpenRetriesAConnectThatFailed)
{
    ScratchDatabase original(QString::fromUtf8(CourtsFixtureSql));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("later/CaseNumber.db"));
    DatabaseConnection connection;
    connection.setDatabasePath(path);
    EXPECT_THROW(connection.connectToDatabase(), DatabaseError);

    Dataset courts(&connection, QStringLiteral("select * from judgement"));
    try {
        courts.open();
        FAIL() << "opened a dataset over a missing file";
    } catch (const DatabaseError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("не найдена"))) << error.message().toStdString();
    }

    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("later")));
    ASSERT_TRUE(QFile::copy(original.path(), path));
    courts.open();
    EXPECT_EQ(connection.databasePath(), path);
    EXPECT_EQ(courts.fieldText(QStringLiteral("GUID")), QStringLiteral("{J40}"));
}

// SQLite would wait forever for a writer on a FIFO opened for reading, and
// take /dev/null for an empty database.
TEST(DatabaseFaultTest, OnlyARegularFileOrALinkToOneIsOpened)
{
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("fifo.db"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString linkToDevice = folder.filePath(QStringLiteral("device.db"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), linkToDevice));

    for (const QString &path : {fifo, QStringLiteral("/dev/null"), linkToDevice}) {
        for (const auto access : {DatabaseConnection::Access::ReadWrite, DatabaseConnection::Access::ReadOnly}) {
            const QString message = connectError(path, access);
            EXPECT_TRUE(message.contains(path)) << message.toStdString();
            EXPECT_TRUE(message.contains(QStringLiteral("не обычный файл"))) << message.toStdString();
        }
    }

    ScratchDatabase database(QString::fromUtf8(CourtsFixtureSql));
    const QString linkToDatabase = folder.filePath(QStringLiteral("link.db"));
    ASSERT_TRUE(QFile::link(database.path(), linkToDatabase));
    DatabaseConnection connection;
    connection.setDatabasePath(linkToDatabase);
    connection.connectToDatabase();
    Dataset courts(&connection, QStringLiteral("select * from judgement"));
    courts.open();
    EXPECT_EQ(courts.rowCount(), 2);
}

TEST(DatabaseFaultTest, FolderThatCannotBeSearchedIsAccessDeniedNotMissing)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may search any folder whatever its permissions, so no path can be refused to it";
    ScratchDatabase database(QString::fromUtf8(CourtsFixtureSql));
    ASSERT_TRUE(QFile::setPermissions(database.folder(), QFile::WriteOwner | QFile::ReadOwner));
    const QString message = connectError(database.path());
    QFile::setPermissions(database.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(message.contains(database.path())) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("доступ запрещён"))) << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("не найдена"))) << message.toStdString();
}

// Writes that the file refuses: each must raise, leave the file byte for byte
// as it was, and leave the dataset where Cancel brings it back to browsing.
class FailedWriteTest : public ::testing::Test
{
protected:
    void SetUp() override { connection.setDatabasePath(database.path()); }

    void openCourts()
    {
        connection.connectToDatabase();
        courts.open();
        before = database.bytes();
    }

    void expectFileUnchanged() { EXPECT_EQ(database.bytes(), before); }

    // Another program holding the write lock: SQLite's own locking stops
    // root as surely as anyone, unlike file permissions.
    void holdWriteLock()
    {
        sqlite3_open(database.path().toUtf8().constData(), &otherProgram);
        ASSERT_EQ(sqlite3_exec(otherProgram, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    }

    void TearDown() override
    {
        if (otherProgram) {
            sqlite3_exec(otherProgram, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(otherProgram);
        }
    }

    ScratchDatabase database{QString::fromUtf8(CourtsFixtureSql)};
    DatabaseConnection connection;
    Dataset courts{&connection, QStringLiteral("select * from judgement")};
    QByteArray before;
    sqlite3 *otherProgram = nullptr;
};

TEST_F(FailedWriteTest, ReadOnlyFileRefusesPostAndCancelStillWorks)
{
    connection.setAccess(DatabaseConnection::Access::ReadOnly);
    openCourts();
    courts.edit();
    courts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("x"));
    try {
        courts.post();
        FAIL() << "posted to a read-only file";
    } catch (const DatabaseError &error) {
        EXPECT_TRUE(error.message().contains(database.path()));
        EXPECT_TRUE(error.message().contains(QStringLiteral("readonly"))) << error.message().toStdString();
    }
    EXPECT_EQ(courts.state(), Dataset::State::Editing);
    courts.cancel();
    EXPECT_EQ(courts.state(), Dataset::State::Browsing);
    EXPECT_EQ(courts.fieldText(QStringLiteral("JudgementName")), QStringLiteral("Арбитражный суд города Москвы"));
    expectFileUnchanged();

    courts.insert();
    courts.setFieldText(QStringLiteral("GUID"), QStringLiteral("{NEW}"));
    EXPECT_THROW(courts.post(), DatabaseError);
    EXPECT_EQ(courts.state(), Dataset::State::Inserting);
    courts.cancel();
    EXPECT_EQ(courts.rowCount(), 2);
    EXPECT_THROW(courts.remove(), DatabaseError);
    EXPECT_EQ(courts.rowCount(), 2);
    expectFileUnchanged();
}

TEST_F(FailedWriteTest, LockedFileRefusesPostAndDeleteAfterWaiting)
{
    openCourts();
    holdWriteLock();

    courts.insert();
    courts.setFieldText(QStringLiteral("GUID"), QStringLiteral("{NEW}"));
    try {
        courts.post();
        FAIL() << "posted past another program's write lock";
    } catch (const DatabaseError &error) {
        EXPECT_TRUE(error.message().contains(database.path()));
        EXPECT_TRUE(error.message().contains(QStringLiteral("locked"))) << error.message().toStdString();
    }
    courts.cancel();
    EXPECT_EQ(courts.state(), Dataset::State::Browsing);

    EXPECT_THROW(courts.remove(), DatabaseError);
    EXPECT_EQ(courts.rowCount(), 2);
    EXPECT_EQ(courts.fieldText(QStringLiteral("GUID")), QStringLiteral("{J40}"));
    TearDown();
    otherProgram = nullptr;
    expectFileUnchanged();
}

TEST_F(FailedWriteTest, RowDeletedByAnotherProgramIsNotReportedAsWritten)
{
    openCourts();
    database.execute(QStringLiteral("DELETE FROM judgement WHERE GUID = '{J40}'"));
    courts.edit();
    courts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("x"));
    EXPECT_THROW(courts.post(), DatabaseError);
    EXPECT_EQ(courts.state(), Dataset::State::Editing);
    courts.cancel();
    EXPECT_THROW(courts.remove(), DatabaseError);
    EXPECT_EQ(database.rows(QStringLiteral("select GUID from judgement")), QStringList{QStringLiteral("{J41}")});
}

} // namespace
