#include "support/PostgresTestServer.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"
#include "support/TestReference.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CommandRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

CommandRun run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    CommandRun result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

CommandRun databaseTool(const QStringList &arguments)
{
    return run(QStringLiteral(VELMORA_DB_PATH), arguments);
}

CommandRun decode(const QString &location, const QStringList &numbers)
{
    return run(QStringLiteral(VELMORA_DECODE_PATH),
               QStringList{QStringLiteral("--db"), location, QStringLiteral("--format"), QStringLiteral("tsv")} + numbers);
}

// Every table of the reference as text, in key order, whatever the engine.
QStringList allRows(const TestReference &reference)
{
    QStringList rows;
    for (const char *table : {"judgement", "structures", "separation"}) {
        for (const QString &row : reference.rows(QStringLiteral("select * from %1 order by GUID").arg(QLatin1String(table))))
            rows << QLatin1String(table) + QLatin1Char('|') + row;
    }
    return rows;
}

const QString FixtureWithNull = QString::fromUtf8(CourtsFixtureSql)
    + QStringLiteral("UPDATE structures SET StructureSpecification = NULL WHERE GUID = '{S2}';"
                     "UPDATE separation SET zal = '' WHERE GUID = '{D201}';");

const QStringList Numbers = {QStringLiteral("А40-1234/08-101-503"), QStringLiteral("А40-1/08-201-1"), QStringLiteral("А41-1/08"),
                             QStringLiteral("А99-1/08")};

TEST(DatabaseToolTest, CreateMakesTheBundledReferenceInANewFileOrAnEmptyServerDatabaseOnly)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("new.db"));
    const CommandRun created = databaseTool({QStringLiteral("create"), file});
    EXPECT_EQ(created.exitCode, 0) << created.err.toStdString();
    EXPECT_EQ(databaseTool({QStringLiteral("check"), file}).exitCode, 0);

    PostgresTestServer &server = PostgresTestServer::instance();
    const QString database = server.createDatabase();
    const CommandRun onServer = databaseTool({QStringLiteral("create"), server.uri(database)});
    EXPECT_EQ(onServer.exitCode, 0) << onServer.err.toStdString();
    EXPECT_EQ(server.rows(database, QStringLiteral("select count(*) from judgement")), QStringList{QStringLiteral("116")});
    EXPECT_EQ(server.rows(database,
                          QStringLiteral("select count(*) from pg_indexes where tablename in ('judgement', 'structures', 'separation')")),
              QStringList{QStringLiteral("7")})
        << "three keys and the four lookup indexes";
    EXPECT_EQ(decode(server.uri(database), {QStringLiteral("А40-1/08")}).exitCode, 0);

    // A second create changes nothing anywhere.
    server.execute(database, QStringLiteral("UPDATE judgement SET JudgementName = 'свой' WHERE JudgementCode = 'А40'"));
    const CommandRun again = databaseTool({QStringLiteral("create"), server.uri(database)});
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_TRUE(again.err.contains(QStringLiteral("уже есть"))) << again.err.toStdString();
    EXPECT_EQ(server.rows(database, QStringLiteral("select JudgementName from judgement where JudgementCode = 'А40'")),
              QStringList{QStringLiteral("свой")});
    EXPECT_EQ(databaseTool({QStringLiteral("create"), file}).exitCode, 2);
}

TEST(DatabaseToolTest, CopyToTheServerAndBackKeepsEveryRowKeyAndAnswer)
{
    const TestReference file(TestReference::Engine::File, FixtureWithNull);
    const TestReference server(TestReference::Engine::Server, QString());
    const CommandRun toServer = databaseTool({QStringLiteral("copy"), file.location(), server.location()});
    ASSERT_EQ(toServer.exitCode, 0) << toServer.err.toStdString();
    EXPECT_EQ(allRows(server), allRows(file));
    EXPECT_EQ(decode(server.location(), Numbers).out, decode(file.location(), Numbers).out);

    QTemporaryDir folder;
    const QString back = folder.filePath(QStringLiteral("back.db"));
    const CommandRun toFile = databaseTool({QStringLiteral("copy"), server.location(), back});
    ASSERT_EQ(toFile.exitCode, 0) << toFile.err.toStdString();
    EXPECT_EQ(decode(back, Numbers).out, decode(file.location(), Numbers).out);
    EXPECT_EQ(databaseTool({QStringLiteral("check"), back}).exitCode, 0);
}

TEST(DatabaseToolTest, CopyRefusesATargetWithRowsUnlessToldToReplaceThem)
{
    const TestReference file(TestReference::Engine::File, QString::fromUtf8(CourtsFixtureSql));
    const TestReference server(TestReference::Engine::Server,
                               QString::fromUtf8(CourtsFixtureSql)
                                   + QStringLiteral("INSERT INTO judgement VALUES ('{X}', 'А77', 'только на сервере');"));
    const QStringList before = allRows(server);
    const CommandRun refused = databaseTool({QStringLiteral("copy"), file.location(), server.location()});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--replace"))) << refused.err.toStdString();
    EXPECT_EQ(allRows(server), before);

    const CommandRun replaced = databaseTool({QStringLiteral("copy"), QStringLiteral("--replace"), file.location(), server.location()});
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err.toStdString();
    EXPECT_EQ(allRows(server), allRows(file));
}

TEST(DatabaseToolTest, FailedCopyLeavesNoNewFileAndNoRowsOnTheServer)
{
    // A source without the divisions' phone column cannot give a whole reference.
    const TestReference source(
        TestReference::Engine::File,
        QString::fromUtf8(CourtsFixtureSql)
            + QStringLiteral("CREATE TABLE s2 AS SELECT GUID, ref_structures, SeparationName, vnphone, zal, floor FROM separation;"
                             "DROP TABLE separation; ALTER TABLE s2 RENAME TO separation;"));
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("copy.db"));
    const CommandRun toFile = databaseTool({QStringLiteral("copy"), source.location(), target});
    EXPECT_EQ(toFile.exitCode, 2);
    EXPECT_TRUE(toFile.err.contains(QStringLiteral("Phone"))) << toFile.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(target));

    const TestReference server(TestReference::Engine::Server, QString());
    EXPECT_EQ(databaseTool({QStringLiteral("copy"), source.location(), server.location()}).exitCode, 2);
    EXPECT_EQ(server.rows(QStringLiteral("select count(*) from pg_tables where tablename = 'judgement'")), QStringList{QStringLiteral("0")})
        << "the tables made for the copy went with it";
}

class CheckTest : public ::testing::TestWithParam<TestReference::Engine>
{
};

TEST_P(CheckTest, ReportsOrphansKeyFaultsAndOddCourtCodes)
{
    const TestReference reference(GetParam(), QStringLiteral(R"sql(
CREATE TABLE judgement (GUID TEXT, JudgementCode TEXT, JudgementName TEXT);
CREATE TABLE structures (GUID TEXT, ref_Judgement TEXT, StructureNum TEXT, StructureType TEXT, StructureFAXNum TEXT, StructureSpecification TEXT);
CREATE TABLE separation (GUID TEXT, ref_structures TEXT, SeparationName TEXT, Phone TEXT, vnphone TEXT, zal TEXT, floor TEXT);
INSERT INTO judgement VALUES ('{J40}', 'А40', 'суд'), ('{J40}', '10АП', 'двойник'), ('{JL}', 'A40', 'латиница'), (NULL, 'СИП', 'без ключа');
INSERT INTO structures VALUES ('{S1}', '{J40}', '1', '', '', ''), ('{S9}', '{J99}', '9', '', '', '');
INSERT INTO separation VALUES ('{D1}', '{S1}', '101', '', '', '', ''), ('{D9}', '{S8}', '5', '', '', '', '');
)sql"));
    const CommandRun checked = databaseTool({QStringLiteral("check"), reference.location()});
    EXPECT_EQ(checked.exitCode, 1) << checked.err.toStdString();
    for (const char *expected : {"structures «{S9}» ссылается на judgement «{J99}»", "separation «{D9}» ссылается на structures «{S8}»",
                                 "повторяющийся ключ: judgement «{J40}», 2", "строки без ключа GUID: judgement, 1",
                                 "код суда неизвестного вида: «A40»", "Ошибок: 5"})
        EXPECT_TRUE(checked.out.contains(QString::fromUtf8(expected))) << expected << "\n" << checked.out.toStdString();
    EXPECT_FALSE(checked.out.contains(QStringLiteral("«10АП»"))) << "an appeal court's code has a known shape";

    reference.execute(QStringLiteral("DELETE FROM structures WHERE GUID = '{S9}'; DELETE FROM separation WHERE GUID = '{D9}';"
                                     "DELETE FROM judgement WHERE JudgementCode IN ('10АП', 'A40') OR GUID IS NULL"));
    const CommandRun clean = databaseTool({QStringLiteral("check"), reference.location()});
    EXPECT_EQ(clean.exitCode, 0) << clean.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Engines, CheckTest, ::testing::Values(TestReference::Engine::File, TestReference::Engine::Server),
                         [](const auto &info) { return engineName(info.param); });

TEST(DatabaseToolTest, WrongArgumentsAndUnreachableDatabasesExitTwo)
{
    for (const QStringList &arguments : {QStringList{}, QStringList{QStringLiteral("copy"), QStringLiteral("/only-one.db")},
                                         QStringList{QStringLiteral("drop"), QStringLiteral("/x.db")},
                                         QStringList{QStringLiteral("check"), QStringLiteral("/no/such/file.db")}}) {
        const CommandRun failed = databaseTool(arguments);
        EXPECT_EQ(failed.exitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(failed.err.startsWith(QStringLiteral("velmora-db: "))) << failed.err.toStdString();
    }
}

} // namespace
