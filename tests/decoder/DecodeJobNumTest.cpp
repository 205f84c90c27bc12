#include "data/DatabaseError.h"
#include "decoder/DmDLLUnit.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"
#include "support/TestReference.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <memory>
#include <tuple>

namespace {

// The fixture courts plus the awkward ones: a court code holding a quote,
// its look-alike without the quote, a court whose composition has no
// division, and a second division 101 in court А40.
const QString DecodeFixtureSql = QString::fromUtf8(CourtsFixtureSql) + QStringLiteral(R"sql(
INSERT INTO judgement VALUES ('{JQ}', 'А''1', 'Суд с апострофом');
INSERT INTO judgement VALUES ('{JQ2}', 'А1', 'Суд без апострофа');
INSERT INTO judgement VALUES ('{J50}', 'А50', 'Суд без отделений');
INSERT INTO structures VALUES ('{S50}', '{J50}', '9', 'тип', 'факс', '');
INSERT INTO structures VALUES ('{SQ}', '{JQ}', '3', 'тип Q', 'факс Q', '');
INSERT INTO separation VALUES ('{DQ}', '{SQ}', '7', 'тел Q', 'вн Q', 'зал Q', 'этаж Q');
)sql");

// Expected fields in record order; "*" marks the fields a row below leaves unchecked.
struct DecodeCase
{
    const char *input;
    const char *codsud;
    const char *jobnum;
    const char *year;
    const char *sepnum;
    const char *jobnum_in_struct;
    const char *sudname;
    const char *error;
    // snum, stype, sfaxnum, otdelphone, otdphone, vnphone, zal, floor
    const char *division[8];
    const char *leftOver;
};

const char *const NoDivision[8] = {"", "", "", "", "", "", "", ""};
#define DIVISION_101 {"1", "гражданский", "495-600-01-01", "495-111-11-11", "495-111-11-11", "1101", "5017", "5"}

const DecodeCase DecodeCases[] = {
    {"А40-1234/08-101-503", "А40", "1234", "08", "101", "503", "Арбитражный суд города Москвы", "OK", DIVISION_101, "503"},
    {"А40-1234/08-102-7", "А40", "1234", "08", "102", "7", "Арбитражный суд города Москвы", "OK",
     {"1", "гражданский", "495-600-01-01", "495-222-22-22", "495-222-22-22", "1102", "3002", "3"}, "7"},
    {"А40-1234/2008-101-503", "А40", "1234", "2008", "101", "503", "Арбитражный суд города Москвы", "OK", DIVISION_101, "503"},
    // An unknown division clears every division field, not only some.
    {"А40-1234/08-999-503", "А40", "1234", "08", "", "", "Арбитражный суд города Москвы", "OK",
     {"", "", "", "", "", "", "", ""}, "503"},
    {"А40-1234/08-101", "А40", "1234", "08", "", "", "Арбитражный суд города Москвы", "OK",
     {"", "", "", "", "", "", "", ""}, "101"},
    {"А40-1234/08-101-503-9", "А40", "1234", "08", "101", "503-9", "Арбитражный суд города Москвы", "OK", DIVISION_101, "503-9"},
    {"А40-1234/08", "А40", "1234", "08", "", "", "Арбитражный суд города Москвы", "OK",
     {"", "", "", "", "", "", "", ""}, "08"},
    {"А40-1234", "А40", "1234", "", "", "", "Арбитражный суд города Москвы", "OK",
     {"", "", "", "", "", "", "", ""}, ""},
    {"А40-1234/08-", "А40", "1234", "08", "", "", "Арбитражный суд города Москвы", "OK",
     {"", "", "", "", "", "", "", ""}, ""},
    // No division rows at all: the name comes from the courts table itself.
    {"А41-1234/08-101-503", "А41", "1234", "08", "", "", "Арбитражный суд Московской области", "OK",
     {"", "", "", "", "", "", "", ""}, "503"},
    {"А41-1234/08", "А41", "1234", "08", "", "", "Арбитражный суд Московской области", "OK",
     {"", "", "", "", "", "", "", ""}, "08"},
    {"А50-1/97-1-1", "А50", "1", "97", "", "", "Суд без отделений", "OK", {"", "", "", "", "", "", "", ""}, "1"},
    {"А'1-5/08-7-2", "А'1", "5", "08", "7", "2", "Суд с апострофом", "OK",
     {"3", "тип Q", "факс Q", "тел Q", "тел Q", "вн Q", "зал Q", "этаж Q"}, "2"},
    {"А1-5/08-7-2", "А1", "5", "08", "", "", "Суд без апострофа", "OK", {"", "", "", "", "", "", "", ""}, "2"},
    // No court has the code: reported as not found, not as an empty success.
    {"А99-1234/08-101-503", "А99", "1234", "08", "", "", "", "NO Found !!!", {"", "", "", "", "", "", "", ""}, "503"},
    {"1234", "", "1234", "", "", "", "", "NO Found !!!", {"", "", "", "", "", "", "", ""}, ""},
    {"", "", "", "", "", "", "", "NO Found !!!", {"", "", "", "", "", "", "", ""}, ""},
    {"a40-1234/08-101-503", "a40", "1234", "08", "", "", "", "NO Found !!!", {"", "", "", "", "", "", "", ""}, "503"},
    {"А40 -1234/08-101-503", "А40 ", "1234", "08", "", "", "", "NO Found !!!", {"", "", "", "", "", "", "", ""}, "503"},
    {"А'-1/2-3-4", "А'", "1", "2", "", "", "", "NO Found !!!", {"", "", "", "", "", "", "", ""}, "4"},
    {"x' or '1'='1-1/2", "x' or '1'='1", "1", "2", "", "", "", "NO Found !!!", {"", "", "", "", "", "", "", ""}, "2"},
    {"------", "", "-----", "", "", "", "", "NO Found !!!", {"", "", "", "", "", "", "", ""}, ""},
    {"-/-/-", "", "", "", "", "", "", "NO Found !!!", {"", "", "", "", "", "", "", ""}, ""},
};

// The cases only read, so each engine's fixture is made once for all of them.
const TestReference &decodeFixture(TestReference::Engine engine)
{
    static std::map<TestReference::Engine, std::unique_ptr<TestReference>> fixtures;
    auto &fixture = fixtures[engine];
    if (!fixture)
        fixture = std::make_unique<TestReference>(engine, DecodeFixtureSql);
    return *fixture;
}

enum class LookupPath { Indexed, Dataset };

// Same cases, same answers: on a file and on the server, through the
// indexes (or the server's own narrowing) and through the lookup dataset.
class DecodeJobNumTest : public ::testing::TestWithParam<std::tuple<TestReference::Engine, LookupPath, DecodeCase>>
{
protected:
    void SetUp() override
    {
        decoder.UniConnection1->setDatabasePath(decodeFixture(std::get<0>(GetParam())).location());
        decoder.UniConnection1->connectToDatabase();
        decoder.setIndexedLookups(std::get<1>(GetParam()) == LookupPath::Indexed);
    }

    TDMDLL decoder;
};

TEST_P(DecodeJobNumTest, FillsTheRecordAsTheAlgorithmSays)
{
    const DecodeCase &c = std::get<2>(GetParam());
    QString str = QString::fromUtf8(c.input);
    const StructInfo info = decoder.DecodeJobNum(str);

    EXPECT_EQ(info.codsud, QString::fromUtf8(c.codsud));
    EXPECT_EQ(info.jobnum, QString::fromUtf8(c.jobnum));
    EXPECT_EQ(info.year, QString::fromUtf8(c.year));
    EXPECT_EQ(info.sepnum, QString::fromUtf8(c.sepnum));
    EXPECT_EQ(info.jobnum_in_struct, QString::fromUtf8(c.jobnum_in_struct));
    EXPECT_EQ(info.sudname, QString::fromUtf8(c.sudname));
    EXPECT_EQ(info.error, QString::fromUtf8(c.error));
    const QString division[] = {info.snum, info.stype, info.sfaxnum, info.otdelphone,
                                info.otdphone, info.vnphone, info.zal, info.floor};
    for (size_t field = 0; field < std::size(division); ++field)
        EXPECT_EQ(division[field], QString::fromUtf8(c.division[field])) << "division field " << field;
    EXPECT_EQ(str, QString::fromUtf8(c.leftOver)) << "what the decoder leaves of its argument";
}

INSTANTIATE_TEST_SUITE_P(CaseNumbers, DecodeJobNumTest,
                         ::testing::Combine(::testing::Values(TestReference::Engine::File, TestReference::Engine::Server),
                                            ::testing::Values(LookupPath::Indexed, LookupPath::Dataset),
                                            ::testing::ValuesIn(DecodeCases)),
                         [](const auto &info) {
                             return engineName(std::get<0>(info.param))
                                    + (std::get<1>(info.param) == LookupPath::Indexed ? "Indexed" : "Dataset")
                                    + std::to_string(info.index % std::size(DecodeCases));
                         });

class DecoderStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        decoder.UniConnection1->setDatabasePath(database.path());
        decoder.UniConnection1->connectToDatabase();
    }

    StructInfo decode(const QString &number)
    {
        QString copy = number;
        return decoder.DecodeJobNum(copy);
    }

    ScratchDatabase database{DecodeFixtureSql};
    TDMDLL decoder;
};

TEST_F(DecoderStateTest, LeavesLookupClosedOnTheJoinFilteredByTheLastCourt)
{
    for (const QString &number : {QStringLiteral("А40-1234/08-101-503"), QStringLiteral("А41-1/08"), QStringLiteral("А'1-1")}) {
        const StructInfo info = decode(number);
        EXPECT_FALSE(decoder.UniQuery1->isOpen()) << number.toStdString();
        EXPECT_EQ(decoder.UniQuery1->statement(), JoinStatement);
        EXPECT_TRUE(decoder.UniQuery1->isFiltered());
        EXPECT_EQ(decoder.UniQuery1->filter(),
                  QStringLiteral("JudgementCode = '") + QString(info.codsud).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\''));
    }
}

TEST_F(DecoderStateTest, FirstRowOfTheJoinWinsForADivisionNumberUsedTwice)
{
    database.execute(QStringLiteral(
        "INSERT INTO separation VALUES ('{D101b}', '{S2}', '101', 'второй 101', 'вн2', 'зал2', 'этаж2')"));
    // Whatever order SQLite gives the join, the decoder must take its first row with division 101.
    // Columns: judgement (3), then separation: GUID, ref_structures, SeparationName, Phone...
    QString firstPhone;
    for (const QString &row : database.rows(JoinStatement)) {
        const QStringList cells = row.split(QLatin1Char('|'));
        if (cells[1] == QStringLiteral("А40") && cells[5] == QStringLiteral("101")) {
            firstPhone = cells[6];
            break;
        }
    }
    ASSERT_FALSE(firstPhone.isEmpty());
    EXPECT_EQ(decode(QStringLiteral("А40-1/08-101-1")).otdphone, firstPhone);
}

TEST_F(DecoderStateTest, SeesRowsWrittenBetweenDecodes)
{
    EXPECT_EQ(decode(QStringLiteral("А41-1/08-5-1")).sepnum, QString());
    database.execute(QStringLiteral(
        "INSERT INTO structures VALUES ('{S41}', '{J41}', '4', 't', 'f', ''); "
        "INSERT INTO separation VALUES ('{D5}', '{S41}', '5', 'p', 'v', 'z', 'f')"));
    EXPECT_EQ(decode(QStringLiteral("А41-1/08-5-1")).zal, QStringLiteral("z"));
}

TEST_F(DecoderStateTest, OddTextDecodesWithoutCrashOrChangeToTheFile)
{
    const QByteArray before = database.bytes();
    QString unpaired;
    unpaired.append(QChar(0xD800)).append(QStringLiteral("-1/2-")).append(QChar(0xDC00)).append(QStringLiteral("-x"));
    const QString inputs[] = {
        QStringLiteral("-"), QStringLiteral("/"), QStringLiteral("//--//"), QStringLiteral("-/-/-/-"),
        QString(1 << 20, QLatin1Char('-')), QString(1 << 20, QChar(0x0410)) + QStringLiteral("-1/2-3-4"),
        unpaired, QStringLiteral("\x01\t\n\r-\x7f/\x1b-"), QStringLiteral("\"А40\"-1/08-101-1"),
        QStringLiteral("'; DROP TABLE judgement; --1/2-3-4"), QString(QChar(0)) + QStringLiteral("-\n"), QStringLiteral("А40') OR 1=1 --1/2"),
    };
    for (const QString &input : inputs) {
        const StructInfo info = decode(input);
        EXPECT_EQ(info.error, QStringLiteral("NO Found !!!")) << input.left(40).toStdString();
    }
    EXPECT_EQ(database.bytes(), before);
}

TEST(DecoderFaultTest, MissingTableRaisesAndLeavesTheCallerWithoutResult)
{
    ScratchDatabase database(QStringLiteral("CREATE TABLE judgement (GUID TEXT, JudgementCode TEXT, JudgementName TEXT)"));
    TDMDLL decoder;
    decoder.UniConnection1->setDatabasePath(database.path());
    decoder.UniConnection1->connectToDatabase();
    QString number = QStringLiteral("А40-1234/08-101-503");
    try {
        decoder.DecodeJobNum(number);
        FAIL() << "decoded without the separation table";
    } catch (const DatabaseError &error) {
        EXPECT_TRUE(error.message().contains(database.path()));
        EXPECT_TRUE(error.message().contains(QStringLiteral("no such table"))) << error.message().toStdString();
    }
}

} // namespace
