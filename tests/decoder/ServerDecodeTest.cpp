#include "data/DatabaseError.h"
#include "decoder/DmDLLUnit.h"
#include "support/PostgresTestServer.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"
#include "support/TestReference.h"

#include <gtest/gtest.h>

namespace {

StructInfo decode(TDMDLL &decoder, const QString &number)
{
    QString copy = number;
    return decoder.DecodeJobNum(copy);
}

// A second division 101 in composition 1, written after the first but with the
// lesser key: on the server the least key is the first row, whatever the order
// of writing, and both paths must say so.
TEST(ServerDecodeTest, FirstRowOfACourtIsTheOneWithTheLeastKeysOnBothPaths)
{
    const TestReference reference(
        TestReference::Engine::Server,
        QString::fromUtf8(CourtsFixtureSql)
            + QStringLiteral("INSERT INTO separation VALUES ('{D100}', '{S1}', '101', 'меньший ключ', 'вн', 'зал', 'этаж');"
                             "INSERT INTO structures VALUES ('{S0}', '{J40}', '0', 'тип', 'факс', '');"
                             "INSERT INTO separation VALUES ('{D999}', '{S0}', '999', 'первый состав', 'вн', 'зал', 'этаж');"));
    for (const bool indexed : {true, false}) {
        TDMDLL decoder;
        decoder.UniConnection1->setDatabasePath(reference.location());
        decoder.UniConnection1->connectToDatabase();
        decoder.setIndexedLookups(indexed);
        EXPECT_EQ(decode(decoder, QStringLiteral("А40-1/08-101-1")).otdphone, QStringLiteral("меньший ключ")) << indexed;
        EXPECT_EQ(decode(decoder, QStringLiteral("А40-1/08-201-1")).otdphone, QStringLiteral("495-333-33-33")) << indexed;
        const StructInfo missed = decode(decoder, QStringLiteral("А40-1/08-5-1"));
        EXPECT_EQ(missed.error, QStringLiteral("OK"));
        EXPECT_EQ(missed.sudname, QStringLiteral("Арбитражный суд города Москвы"));
    }
}

TEST(ServerDecodeTest, MissingColumnIsTheSameErrorOnBothPathsWhetherTheCourtHasRowsOrNot)
{
    const TestReference reference(TestReference::Engine::Server,
                                  QString::fromUtf8(CourtsFixtureSql) + QStringLiteral("ALTER TABLE separation DROP COLUMN Phone;"));
    for (const bool indexed : {true, false}) {
        TDMDLL decoder;
        decoder.UniConnection1->setDatabasePath(reference.location());
        decoder.UniConnection1->connectToDatabase();
        decoder.setIndexedLookups(indexed);
        for (const QString &number : {QStringLiteral("А40-1/08-101-1"), QStringLiteral("А41-1/08-101-1")}) {
            try {
                decode(decoder, number);
                ADD_FAILURE() << "decoded without the Phone column: " << number.toStdString() << (indexed ? " indexed" : " dataset");
            } catch (const DatabaseError &error) {
                EXPECT_TRUE(error.message().contains(QStringLiteral("нет столбца «Phone»"))) << error.message().toStdString();
            }
        }
    }
}

TEST(ServerDecodeTest, SeesRowsWrittenByAnotherClientBetweenDecodes)
{
    const TestReference reference(TestReference::Engine::Server, QString::fromUtf8(CourtsFixtureSql));
    TDMDLL decoder;
    decoder.UniConnection1->setDatabasePath(reference.location());
    decoder.UniConnection1->connectToDatabase();
    EXPECT_EQ(decode(decoder, QStringLiteral("А41-1/08-5-1")).sepnum, QString());
    reference.execute(QStringLiteral("INSERT INTO structures VALUES ('{S41}', '{J41}', '4', 't', 'f', '');"
                                     "INSERT INTO separation VALUES ('{D5}', '{S41}', '5', 'p', 'v', 'z', 'f')"));
    EXPECT_EQ(decode(decoder, QStringLiteral("А41-1/08-5-1")).zal, QStringLiteral("z"));
}

// The server going away is a message for the decode that meets it, never a
// wrong answer; once it is back the next decode connects again by itself.
TEST(ServerDecodeTest, StoppedServerGivesAMessageAndTheNextDecodeReconnects)
{
    const TestReference reference(TestReference::Engine::Server, QString::fromUtf8(CourtsFixtureSql));
    TDMDLL decoder;
    decoder.UniConnection1->setDatabasePath(reference.location());
    decoder.UniConnection1->connectToDatabase();
    ASSERT_EQ(decode(decoder, QStringLiteral("А40-1/08-101-1")).zal, QStringLiteral("5017"));

    PostgresTestServer::instance().stop();
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            decode(decoder, QStringLiteral("А40-1/08-101-1"));
            ADD_FAILURE() << "decoded with the server stopped";
        } catch (const DatabaseError &error) {
            EXPECT_TRUE(error.message().contains(reference.location())) << error.message().toStdString();
        }
    }
    PostgresTestServer::instance().start();
    EXPECT_EQ(decode(decoder, QStringLiteral("А40-1/08-101-1")).zal, QStringLiteral("5017"));
}

TEST(ServerDecodeTest, ServerDownAtStartIsAMessageAndADecodeLaterConnects)
{
    const TestReference reference(TestReference::Engine::Server, QString::fromUtf8(CourtsFixtureSql));
    TDMDLL decoder;
    decoder.UniConnection1->setDatabasePath(reference.location());
    PostgresTestServer::instance().stop();
    EXPECT_THROW(decoder.UniConnection1->connectToDatabase(), DatabaseError);
    EXPECT_THROW(decode(decoder, QStringLiteral("А40-1/08-101-1")), DatabaseError);
    PostgresTestServer::instance().start();
    EXPECT_EQ(decode(decoder, QStringLiteral("А40-1/08-101-1")).zal, QStringLiteral("5017"));
}

} // namespace
