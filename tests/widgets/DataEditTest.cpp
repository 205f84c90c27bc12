#include "widgets/DataEdit.h"
#include "data/DataSource.h"
#include "data/DatabaseConnection.h"
#include "data/Dataset.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"
#include "support/Typing.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class DataEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        connection.setDatabasePath(database.path());
        connection.connectToDatabase();
        edit.show();
    }

    ScratchDatabase database{QString::fromUtf8(CourtsFixtureSql)};
    DatabaseConnection connection;
    Dataset courts{&connection, QStringLiteral("select * from judgement")};
    DataSource source{&courts};
    DataEdit edit{QStringLiteral("JudgementName")};
};

TEST_F(DataEditTest, ShowsTheColumnOfTheCurrentRowAndIsEmptyWhileClosed)
{
    edit.setDataSource(&source);
    EXPECT_EQ(edit.text(), QString());

    courts.open();
    EXPECT_EQ(edit.text(), QStringLiteral("Арбитражный суд города Москвы"));
    courts.setCurrentRow(1);
    EXPECT_EQ(edit.text(), QStringLiteral("Арбитражный суд Московской области"));
    EXPECT_EQ(edit.cursorPosition(), 0) << "a long name is shown from its beginning";

    courts.close();
    EXPECT_EQ(edit.text(), QString());
}

TEST_F(DataEditTest, TypingReachesTheEditBufferOnlyWhileEditing)
{
    courts.open();
    edit.setDataSource(&source);
    EXPECT_TRUE(edit.isReadOnly());
    typeText(&edit, QStringLiteral("лишнее"));
    EXPECT_EQ(edit.text(), QStringLiteral("Арбитражный суд города Москвы"));

    courts.edit();
    EXPECT_FALSE(edit.isReadOnly());
    edit.selectAll();
    typeText(&edit, QStringLiteral("Суд по интеллектуальным правам"));
    EXPECT_EQ(courts.fieldText(QStringLiteral("JudgementName")), QStringLiteral("Суд по интеллектуальным правам"));
    courts.post();
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(database.rows(QStringLiteral("select JudgementName from judgement where GUID='{J40}'")),
              QStringList{QStringLiteral("Суд по интеллектуальным правам")});

    courts.insert();
    EXPECT_EQ(edit.text(), QString());
    typeText(&edit, QStringLiteral("Новый"));
    courts.cancel();
    EXPECT_EQ(edit.text(), QStringLiteral("Суд по интеллектуальным правам"));
    EXPECT_EQ(database.rows(QStringLiteral("select count(*) from judgement")), QStringList{QStringLiteral("2")});
}

} // namespace
