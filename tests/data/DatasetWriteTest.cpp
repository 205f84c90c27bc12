#include "data/DatabaseConnection.h"
#include "data/DatabaseError.h"
#include "data/Dataset.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class DatasetWriteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        connection.setDatabasePath(database.path());
        connection.connectToDatabase();
        courts.open();
    }

    ScratchDatabase database{QString::fromUtf8(CourtsFixtureSql)};
    DatabaseConnection connection;
    Dataset courts{&connection, QStringLiteral("select * from judgement")};
};

TEST_F(DatasetWriteTest, InsertPostWritesOneRowAndMakesItCurrent)
{
    courts.insert();
    EXPECT_EQ(courts.state(), Dataset::State::Inserting);
    EXPECT_EQ(courts.fieldText(QStringLiteral("JudgementCode")), QString()) << "a new row starts empty";
    courts.setFieldText(QStringLiteral("GUID"), QStringLiteral("{NEW}"));
    courts.setFieldText(QStringLiteral("JudgementCode"), QStringLiteral("А99"));
    courts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("Суд с «кавычками» и 'апострофом'"));
    courts.post();

    EXPECT_EQ(courts.state(), Dataset::State::Browsing);
    EXPECT_EQ(courts.rowCount(), 3);
    EXPECT_EQ(courts.fieldText(QStringLiteral("GUID")), QStringLiteral("{NEW}"));
    EXPECT_EQ(database.rows(QStringLiteral("select * from judgement where GUID='{NEW}'")),
              QStringList{QStringLiteral("{NEW}|А99|Суд с «кавычками» и 'апострофом'")});
}

TEST_F(DatasetWriteTest, CancelledInsertLeavesNothing)
{
    const QByteArray before = database.bytes();
    courts.insert();
    courts.setFieldText(QStringLiteral("JudgementCode"), QStringLiteral("А99"));
    courts.cancel();
    EXPECT_EQ(courts.state(), Dataset::State::Browsing);
    EXPECT_EQ(courts.rowCount(), 2);
    EXPECT_EQ(courts.fieldText(QStringLiteral("JudgementCode")), QStringLiteral("А40"));
    EXPECT_EQ(database.bytes(), before);
}

TEST_F(DatasetWriteTest, EditPostUpdatesOnlyTheCurrentRowAndOnlyWrittenColumns)
{
    ASSERT_TRUE(courts.locate(QStringLiteral("JudgementCode"), QStringLiteral("А41")));
    courts.edit();
    EXPECT_EQ(courts.fieldText(QStringLiteral("JudgementName")), QStringLiteral("Арбитражный суд Московской области"));
    courts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("Новое имя"));
    EXPECT_EQ(courts.fieldText(QStringLiteral("JudgementName")), QStringLiteral("Новое имя"));
    courts.post();

    EXPECT_EQ(courts.fieldText(QStringLiteral("JudgementName")), QStringLiteral("Новое имя"));
    EXPECT_EQ(database.rows(QStringLiteral("select * from judgement order by GUID")),
              (QStringList{QStringLiteral("{J40}|А40|Арбитражный суд города Москвы"), QStringLiteral("{J41}|А41|Новое имя")}));
}

TEST_F(DatasetWriteTest, UpdateThatChangedNoRowIsAnErrorNotASave)
{
    // A supplied file may carry a trigger that silently drops every change.
    database.execute(QStringLiteral("CREATE TRIGGER keep_courts BEFORE UPDATE ON judgement BEGIN SELECT RAISE(IGNORE); END"));
    const QByteArray before = database.bytes();
    courts.edit();
    courts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("Новое имя"));
    EXPECT_THROW(courts.post(), DatabaseError);
    EXPECT_EQ(database.bytes(), before);
}

TEST_F(DatasetWriteTest, CancelledEditRestoresTheRow)
{
    courts.edit();
    courts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("черновик"));
    courts.cancel();
    EXPECT_EQ(courts.fieldText(QStringLiteral("JudgementName")), QStringLiteral("Арбитражный суд города Москвы"));
    EXPECT_EQ(database.rows(QStringLiteral("select JudgementName from judgement where GUID='{J40}'")),
              QStringList{QStringLiteral("Арбитражный суд города Москвы")});
}

TEST_F(DatasetWriteTest, DeleteRemovesTheCurrentRowOnly)
{
    courts.remove();
    EXPECT_EQ(courts.rowCount(), 1);
    EXPECT_EQ(courts.fieldText(QStringLiteral("JudgementCode")), QStringLiteral("А41"));
    EXPECT_EQ(database.rows(QStringLiteral("select GUID from judgement")), QStringList{QStringLiteral("{J41}")});
    // Children stay: nothing cascades.
    EXPECT_EQ(database.rows(QStringLiteral("select count(*) from structures where ref_Judgement='{J40}'")),
              QStringList{QStringLiteral("2")});
}

TEST_F(DatasetWriteTest, WritesTouchOneRowEvenAmongIdenticalRows)
{
    // No key at all: only SQLite's rowid tells these rows apart.
    database.execute(QStringLiteral("CREATE TABLE twins (name TEXT); INSERT INTO twins VALUES ('x'), ('x'), ('x')"));
    Dataset twins(&connection, QStringLiteral("select * from twins"));
    twins.open();
    twins.setCurrentRow(1);
    twins.edit();
    twins.setFieldText(QStringLiteral("name"), QStringLiteral("y"));
    twins.post();
    EXPECT_EQ(database.rows(QStringLiteral("select name from twins order by rowid")),
              (QStringList{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("x")}));
    twins.setCurrentRow(0);
    twins.remove();
    EXPECT_EQ(database.rows(QStringLiteral("select name from twins order by rowid")),
              (QStringList{QStringLiteral("y"), QStringLiteral("x")}));
}

TEST_F(DatasetWriteTest, TableWithoutRowidIsWrittenThroughItsGuidKey)
{
    database.execute(QStringLiteral(
        "CREATE TABLE keyed (GUID TEXT PRIMARY KEY, name TEXT) WITHOUT ROWID; INSERT INTO keyed VALUES ('{A}', 'a'), ('{B}', 'b')"));
    Dataset keyed(&connection, QStringLiteral("select * from keyed"));
    keyed.open();
    ASSERT_TRUE(keyed.locate(QStringLiteral("GUID"), QStringLiteral("{B}")));
    keyed.edit();
    keyed.setFieldText(QStringLiteral("name"), QStringLiteral("bb"));
    keyed.post();
    keyed.insert();
    keyed.setFieldText(QStringLiteral("GUID"), QStringLiteral("{C}"));
    keyed.setFieldText(QStringLiteral("name"), QStringLiteral("c"));
    keyed.post();
    keyed.setCurrentRow(0);
    keyed.remove();
    EXPECT_EQ(database.rows(QStringLiteral("select * from keyed order by GUID")),
              (QStringList{QStringLiteral("{B}|bb"), QStringLiteral("{C}|c")}));
}

TEST_F(DatasetWriteTest, RowidColumnOfTheUsersOwnDoesNotConfuseIdentity)
{
    database.execute(QStringLiteral("CREATE TABLE odd (rowid TEXT, name TEXT); INSERT INTO odd VALUES ('1', 'a'), ('1', 'b')"));
    Dataset odd(&connection, QStringLiteral("select * from odd"));
    odd.open();
    EXPECT_EQ(odd.columnNames(), (QStringList{QStringLiteral("rowid"), QStringLiteral("name")}));
    odd.setCurrentRow(1);
    odd.edit();
    odd.setFieldText(QStringLiteral("name"), QStringLiteral("B"));
    odd.post();
    EXPECT_EQ(database.rows(QStringLiteral("select * from odd order by _rowid_")),
              (QStringList{QStringLiteral("1|a"), QStringLiteral("1|B")}));
}

TEST_F(DatasetWriteTest, JoinIsReadOnly)
{
    Dataset lookup(&connection,
                   QStringLiteral("select * from judgement,separation, structures where (judgement.guid=structures.ref_Judgement) "
                                  "and (structures.guid=separation.ref_structures)"));
    lookup.open();
    const QByteArray before = database.bytes();
    EXPECT_THROW(lookup.edit(), DatabaseError);
    EXPECT_THROW(lookup.insert(), DatabaseError);
    EXPECT_THROW(lookup.remove(), DatabaseError);
    EXPECT_EQ(lookup.state(), Dataset::State::Browsing);
    EXPECT_EQ(database.bytes(), before);
}

TEST_F(DatasetWriteTest, MisusedOperationsAreErrorsNotSilentWrites)
{
    EXPECT_THROW(courts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("x")), DatabaseError);
    EXPECT_THROW(courts.post(), DatabaseError);

    Dataset empty(&connection, QStringLiteral("select * from judgement where 0"));
    empty.open();
    EXPECT_THROW(empty.edit(), DatabaseError);
    EXPECT_THROW(empty.remove(), DatabaseError);

    Dataset closed(&connection, QStringLiteral("select * from judgement"));
    EXPECT_THROW(closed.insert(), DatabaseError);
}

TEST_F(DatasetWriteTest, BoundControlsAreToldOfEveryChange)
{
    QSignalSpy rows(&courts, &Dataset::rowsReset);
    QSignalSpy current(&courts, &Dataset::currentRowChanged);
    QSignalSpy state(&courts, &Dataset::stateChanged);
    QSignalSpy fields(&courts, &Dataset::fieldsChanged);

    courts.setCurrentRow(1);
    EXPECT_EQ(current.count(), 1);
    courts.edit();
    EXPECT_EQ(state.count(), 1);
    courts.setFieldText(QStringLiteral("JudgementName"), QStringLiteral("x"));
    const int fieldsBeforePost = int(fields.count());
    courts.post();
    EXPECT_GT(fields.count(), fieldsBeforePost);
    courts.close();
    EXPECT_GE(rows.count(), 1);
    EXPECT_EQ(courts.rowCount(), 0);
}

} // namespace
