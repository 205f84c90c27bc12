#include "data/Dataset.h"
#include "data/DatabaseConnection.h"
#include "data/DatabaseError.h"
#include "data/DmUnit.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

#include <memory>

namespace {

class DatasetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        connection.setDatabasePath(database.path());
        connection.connectToDatabase();
    }

    std::unique_ptr<Dataset> openDataset(const QString &statement)
    {
        auto dataset = std::make_unique<Dataset>(&connection, statement);
        dataset->open();
        return dataset;
    }

    ScratchDatabase database{QString::fromUtf8(CourtsFixtureSql) + QStringLiteral(R"sql(
        CREATE TABLE mixed (GUID TEXT PRIMARY KEY, a INTEGER, b REAL, c TEXT);
        INSERT INTO mixed VALUES ('{M1}', 8, 1.5, NULL);
        INSERT INTO mixed VALUES ('{M2}', NULL, NULL, '');
        CREATE TABLE empty (GUID TEXT PRIMARY KEY, name TEXT);
    )sql")};
    DatabaseConnection connection;
};

TEST_F(DatasetTest, OpenPutsCursorOnFirstRowAndCloseKeepsSettings)
{
    Dataset courts(&connection, QStringLiteral("select * from judgement"));
    courts.setFilter(QStringLiteral("JudgementCode = 'А41'"));
    courts.setFiltered(true);
    EXPECT_EQ(courts.state(), Dataset::State::Closed);
    EXPECT_EQ(courts.fieldText(QStringLiteral("JudgementCode")), QString());

    courts.open();
    EXPECT_EQ(courts.state(), Dataset::State::Browsing);
    EXPECT_EQ(courts.rowCount(), 1);
    EXPECT_EQ(courts.fieldText(QStringLiteral("JudgementCode")), QStringLiteral("А41"));

    courts.close();
    EXPECT_EQ(courts.rowCount(), 0);
    EXPECT_EQ(courts.statement(), QStringLiteral("select * from judgement"));
    EXPECT_EQ(courts.filter(), QStringLiteral("JudgementCode = 'А41'"));
    EXPECT_TRUE(courts.isFiltered());

    courts.open();
    EXPECT_EQ(courts.fieldText(QStringLiteral("JudgementName")), QStringLiteral("Арбитражный суд Московской области"));
}

TEST_F(DatasetTest, OpeningAnOpenDatasetDoesNotRerunIt)
{
    auto courts = openDataset(QStringLiteral("select * from judgement"));
    courts->setCurrentRow(1);
    database.execute(QStringLiteral("DELETE FROM judgement"));
    courts->open();
    EXPECT_EQ(courts->rowCount(), 2);
    EXPECT_EQ(courts->currentRow(), 1);
}

TEST_F(DatasetTest, EmptyTableHasNoCurrentRow)
{
    auto empty = openDataset(QStringLiteral("select * from empty"));
    EXPECT_EQ(empty->rowCount(), 0);
    EXPECT_EQ(empty->currentRow(), -1);
    EXPECT_EQ(empty->fieldText(QStringLiteral("name")), QString());
    EXPECT_FALSE(empty->fieldValue(QStringLiteral("name")).isValid());
    EXPECT_FALSE(empty->locate(QStringLiteral("name"), QString()));
}

TEST_F(DatasetTest, ValuesOfAnyTypeReadAsTextAndNullStaysDistinctFromEmpty)
{
    auto mixed = openDataset(QStringLiteral("select * from mixed"));
    EXPECT_EQ(mixed->fieldText(QStringLiteral("a")), QStringLiteral("8"));
    EXPECT_EQ(mixed->fieldText(QStringLiteral("b")), QStringLiteral("1.5"));
    EXPECT_EQ(mixed->fieldText(QStringLiteral("c")), QString());
    EXPECT_FALSE(mixed->fieldValue(QStringLiteral("c")).isValid());
    EXPECT_NE(mixed->fieldValue(QStringLiteral("c")), QVariant(QString()));

    ASSERT_TRUE(mixed->locate(QStringLiteral("GUID"), QStringLiteral("{M2}")));
    EXPECT_FALSE(mixed->fieldValue(QStringLiteral("a")).isValid());
    EXPECT_TRUE(mixed->fieldValue(QStringLiteral("c")).isValid());
    EXPECT_EQ(mixed->fieldValue(QStringLiteral("c")).toString(), QString());
}

TEST_F(DatasetTest, ColumnNamesMatchWhateverTheirCase)
{
    auto lookup =
        openDataset(QStringLiteral("select * from judgement,separation, structures where (judgement.guid=structures.ref_Judgement) "
                                   "and (structures.guid=separation.ref_structures)"));
    EXPECT_EQ(lookup->rowCount(), 3);
    EXPECT_EQ(lookup->fieldText(QStringLiteral("judgementcode")), QStringLiteral("А40"));
    EXPECT_EQ(lookup->fieldText(QStringLiteral("FLOOR")), QStringLiteral("5"));
    // The join holds three GUID columns; the first, the court's, answers.
    EXPECT_EQ(lookup->fieldText(QStringLiteral("guid")), QStringLiteral("{J40}"));
    EXPECT_THROW(lookup->fieldText(QStringLiteral("nosuchcolumn")), DatabaseError);
}

struct FilterCase
{
    const char *filter;
    QStringList visibleCodes;
};

class DatasetFilterTest : public DatasetTest, public ::testing::WithParamInterface<FilterCase>
{
};

TEST_P(DatasetFilterTest, ShowsExactlyTheRowsWhoseTextIsEqual)
{
    database.execute(
        QStringLiteral("INSERT INTO judgement VALUES ('{Q}', 'А''40', 'quoted'), ('{L}', 'а40', 'lower'), ('{N}', NULL, 'null code'),"
                       " ('{E}', '', 'empty code'), ('{S}', 'А40 ', 'trailing blank')"));
    auto courts = openDataset(QStringLiteral("select * from judgement"));
    courts->setCurrentRow(2);
    courts->setFilter(QString::fromUtf8(GetParam().filter));
    courts->setFiltered(true);

    QStringList codes;
    for (int row = 0; row < courts->rowCount(); ++row)
        codes << courts->textAt(row, courts->columnIndex(QStringLiteral("JudgementCode")));
    EXPECT_EQ(codes, GetParam().visibleCodes);
    EXPECT_EQ(courts->currentRow(), codes.isEmpty() ? -1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Filters, DatasetFilterTest,
                         ::testing::Values(FilterCase{"JudgementCode = 'А40'", {QStringLiteral("А40")}},
                                           FilterCase{"judgementcode='А40'", {QStringLiteral("А40")}},
                                           FilterCase{"JudgementCode = 'А''40'", {QStringLiteral("А'40")}},
                                           FilterCase{"JudgementCode = 'а40'", {QStringLiteral("а40")}},
                                           FilterCase{"JudgementCode = ''", {QString()}}, FilterCase{"JudgementCode = 'А99'", {}},
                                           FilterCase{"JudgementCode = 'null'", {}}));

TEST_F(DatasetTest, FilterSwitchedOffShowsEveryRowAgain)
{
    auto courts = openDataset(QStringLiteral("select * from judgement"));
    courts->setFilter(QStringLiteral("JudgementCode = 'А41'"));
    EXPECT_EQ(courts->rowCount(), 2) << "text alone must not filter";
    courts->setFiltered(true);
    EXPECT_EQ(courts->rowCount(), 1);
    courts->setFilter(QStringLiteral("JudgementCode = 'А40'"));
    EXPECT_EQ(courts->fieldText(QStringLiteral("GUID")), QStringLiteral("{J40}"));
    courts->setFiltered(false);
    EXPECT_EQ(courts->rowCount(), 2);
}

TEST_F(DatasetTest, MalformedFilterIsAnError)
{
    auto courts = openDataset(QStringLiteral("select * from judgement"));
    courts->setFilter(QStringLiteral("JudgementCode = А40"));
    EXPECT_THROW(courts->setFiltered(true), DatabaseError);
    EXPECT_THROW(courts->setFilter(QStringLiteral("NoSuchColumn = 'x'")), DatabaseError);
    for (const char *malformed : {"JudgementCode = 'А40", "JudgementCode = 'А40\'\'", "JudgementCode = 'А' and 1", "= 'А40'"})
        EXPECT_THROW(courts->setFilter(QString::fromUtf8(malformed)), DatabaseError) << malformed;
}

TEST_F(DatasetTest, LocateFindsFirstVisibleExactMatchAndKeepsCursorOnMiss)
{
    database.execute(QStringLiteral("INSERT INTO separation VALUES ('{D101b}', '{S2}', '101', 'second', '', '', ''), "
                                    "('{DN}', '{S2}', NULL, '', '', '', ''), ('{D12}', '{S2}', '12А', '', '', '', '')"));
    auto divisions = openDataset(QStringLiteral("select * from separation"));
    ASSERT_TRUE(divisions->locate(QStringLiteral("SeparationName"), QStringLiteral("201")));
    EXPECT_EQ(divisions->fieldText(QStringLiteral("GUID")), QStringLiteral("{D201}"));

    // A mistyped "12а" must not be taken for division "12А".
    for (const QString &miss : {QStringLiteral("999"), QStringLiteral("10"), QStringLiteral("101 "), QString(), QStringLiteral("12а")})
        EXPECT_FALSE(divisions->locate(QStringLiteral("SeparationName"), miss)) << miss.toStdString();
    EXPECT_EQ(divisions->fieldText(QStringLiteral("GUID")), QStringLiteral("{D201}"));

    ASSERT_TRUE(divisions->locate(QStringLiteral("SeparationName"), QStringLiteral("101")));
    EXPECT_EQ(divisions->fieldText(QStringLiteral("GUID")), QStringLiteral("{D101}"));

    divisions->setFilter(QStringLiteral("ref_structures = '{S2}'"));
    divisions->setFiltered(true);
    ASSERT_TRUE(divisions->locate(QStringLiteral("SeparationName"), QStringLiteral("101")));
    EXPECT_EQ(divisions->fieldText(QStringLiteral("GUID")), QStringLiteral("{D101b}"));
}

TEST_F(DatasetTest, ReplacedStatementShowsTheNewRowsWithBoundParameters)
{
    auto compositions = openDataset(QStringLiteral("select * from structures"));
    EXPECT_EQ(compositions->rowCount(), 2);

    compositions->setStatement(QStringLiteral("select * from structures where ref_Judgement=?"), {QStringLiteral("{J41}")});
    EXPECT_FALSE(compositions->isOpen());
    compositions->open();
    EXPECT_EQ(compositions->rowCount(), 0);

    // A key that is also a column name or holds a quote is still just a text.
    database.execute(QStringLiteral("INSERT INTO structures (GUID, ref_Judgement) VALUES ('{X}', 'GUID'), ('{Y}', 'a\"b')"));
    for (const QString &key : {QStringLiteral("GUID"), QStringLiteral("a\"b")}) {
        compositions->setStatement(QStringLiteral("select * from structures where ref_Judgement=?"), {key});
        compositions->open();
        EXPECT_EQ(compositions->rowCount(), 1) << key.toStdString();
    }
}

TEST_F(DatasetTest, RowsFetchedOnFirstReadAreFilteredAsTheFilterStandsThen)
{
    Dataset courts(&connection, QStringLiteral("select * from judgement"));
    courts.setFetchOnFirstRead(true);
    courts.open();
    EXPECT_TRUE(courts.isOpen());
    courts.setFilter(QStringLiteral("JudgementCode = 'А41'"));
    courts.setFiltered(true);
    database.execute(QStringLiteral("INSERT INTO judgement VALUES ('{J41b}', 'А41', 'второй')"));
    EXPECT_EQ(courts.rowCount(), 2) << "rows are read when first asked for";
    EXPECT_EQ(courts.fieldText(QStringLiteral("GUID")), QStringLiteral("{J41}"));
    ASSERT_TRUE(courts.locate(QStringLiteral("JudgementName"), QStringLiteral("второй")));
    courts.setFiltered(false);
    EXPECT_EQ(courts.rowCount(), 3);

    // A statement that cannot run still fails at open, not at some later read.
    Dataset missing(&connection, QStringLiteral("select * from nosuchtable"));
    missing.setFetchOnFirstRead(true);
    EXPECT_THROW(missing.open(), DatabaseError);
    EXPECT_FALSE(missing.isOpen());
}

TEST(NewGuidTest, KeysAreBracedUpperCaseAndDistinct)
{
    const QRegularExpression layout(QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    QSet<QString> keys;
    for (int i = 0; i < 1000; ++i) {
        const QString key = TDM::newguid();
        ASSERT_EQ(key.size(), 38);
        ASSERT_TRUE(layout.match(key).hasMatch()) << key.toStdString();
        keys.insert(key);
    }
    EXPECT_EQ(keys.size(), 1000);
}

} // namespace
