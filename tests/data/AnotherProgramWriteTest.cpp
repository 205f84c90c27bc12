// Another program (or a second copy of this one) writes the file between the
// moment a dataset read a row and the moment it writes that row back.

#include "data/DatabaseConnection.h"
#include "data/DatabaseError.h"
#include "data/Dataset.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"

#include <gtest/gtest.h>

namespace {

const QString ChangedMessage =
    QStringLiteral("Запись изменена или удалена другой программой. Изменение не сохранено, таблица показана заново.");
const QString NotDeletedMessage =
    QStringLiteral("Запись изменена или удалена другой программой. Запись не удалена, таблица показана заново.");

enum class Write { Change, Delete };

void PrintTo(Write write, std::ostream *out)
{
    *out << (write == Write::Change ? "change" : "delete");
}

struct Interference
{
    const char *name;
    const char *table;
    // Run by the other program once the dataset has read the first row.
    const char *sql;
    // The table as the other program left it; the refused write must not touch it.
    QStringList expected;
};

const char *const Tables = R"sql(
CREATE TABLE courts (GUID TEXT PRIMARY KEY, code TEXT COLLATE NOCASE, name TEXT, note);
INSERT INTO courts VALUES ('{A}', 'А40', 'суд', NULL), ('{B}', 'А41', 'другой', 'x');
CREATE TABLE plain (code TEXT, name TEXT);
INSERT INTO plain VALUES ('А40', 'суд'), ('А41', 'другой');
)sql";

const Interference Cases[] = {
    {"ValueChanged", "courts", "UPDATE courts SET name = 'чужое' WHERE GUID = '{A}'", {"1|{A}|А40|чужое|NULL", "2|{B}|А41|другой|x"}},
    {"CaseOnlyChangedInNocaseColumn",
     "courts",
     "UPDATE courts SET code = 'а40' WHERE GUID = '{A}'",
     {"1|{A}|а40|суд|NULL", "2|{B}|А41|другой|x"}},
    {"NullBecameEmpty", "courts", "UPDATE courts SET note = '' WHERE GUID = '{A}'", {"1|{A}|А40|суд|", "2|{B}|А41|другой|x"}},
    {"RowDeleted", "courts", "DELETE FROM courts WHERE GUID = '{A}'", {"2|{B}|А41|другой|x"}},
    // SQLite gives a freed rowid to the next row: the rowid alone would name the stranger.
    {"ReplacedKeepingRowid",
     "courts",
     "DELETE FROM courts WHERE GUID = '{A}'; INSERT INTO courts (rowid, GUID, code, name) VALUES (1, '{C}', 'А40', 'суд')",
     {"1|{C}|А40|суд|NULL", "2|{B}|А41|другой|x"}},
    {"ReplacedKeepingRowidAndGuid",
     "courts",
     "DELETE FROM courts WHERE GUID = '{A}'; INSERT INTO courts (rowid, GUID, code, name) VALUES (1, '{A}', 'А99', 'суд')",
     {"1|{A}|А99|суд|NULL", "2|{B}|А41|другой|x"}},
    {"NoGuidReplacedKeepingRowid",
     "plain",
     "DELETE FROM plain WHERE rowid = 1; INSERT INTO plain (rowid, code, name) VALUES (1, 'А99', 'новый')",
     {"1|А99|новый", "2|А41|другой"}},
};

void PrintTo(const Interference &interference, std::ostream *out)
{
    *out << interference.name;
}

class AnotherProgramWriteTest : public ::testing::TestWithParam<std::tuple<Interference, Write>>
{
protected:
    void SetUp() override
    {
        connection.setDatabasePath(database.path());
        connection.connectToDatabase();
    }

    ScratchDatabase database{QString::fromUtf8(Tables)};
    DatabaseConnection connection;
};

TEST_P(AnotherProgramWriteTest, WriteIsRefusedAndTheOtherProgramsRowStays)
{
    const auto &[interference, write] = GetParam();
    Dataset dataset(&connection, QStringLiteral("select * from %1").arg(QLatin1String(interference.table)));
    dataset.open();
    ASSERT_EQ(dataset.fieldText(QStringLiteral("code")), QStringLiteral("А40"));
    if (write == Write::Change) {
        dataset.edit();
        dataset.setFieldText(QStringLiteral("name"), QStringLiteral("моё"));
    }

    database.execute(QString::fromUtf8(interference.sql));

    try {
        if (write == Write::Change)
            dataset.post();
        else
            dataset.remove();
        FAIL() << "wrote over another program's change";
    } catch (const DatabaseError &error) {
        EXPECT_EQ(error.message(), write == Write::Change ? ChangedMessage : NotDeletedMessage);
    }
    const QString everyRow = QStringLiteral("select rowid, * from %1 order by rowid").arg(QLatin1String(interference.table));
    QStringList expected;
    for (const auto &row : interference.expected)
        expected << row;
    EXPECT_EQ(database.rows(everyRow), expected);
    // The dataset keeps what it showed; the editor reopens it to show the file again.
    EXPECT_EQ(dataset.rowCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Interferences, AnotherProgramWriteTest,
                         ::testing::Combine(::testing::ValuesIn(Cases), ::testing::Values(Write::Change, Write::Delete)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).name)
                                 + (std::get<1>(info.param) == Write::Change ? "_Change" : "_Delete");
                         });

// Values that SQLite stores as numbers or blobs read as text like any other;
// the check before a write must still see them as unchanged.
TEST(UnchangedRowTest, RowsHoldingNumbersBlobsAndNullsAreWritten)
{
    ScratchDatabase database(
        QStringLiteral("CREATE TABLE separation (GUID, SeparationName, Phone, zal REAL, floor);"
                       "INSERT INTO separation VALUES (101, 101, 4951112233, 1.5, x'35d0b9'), ('{B}', '102', NULL, 2, 3);"));
    DatabaseConnection connection;
    connection.setDatabasePath(database.path());
    connection.connectToDatabase();
    Dataset divisions(&connection, QStringLiteral("select * from separation"));
    divisions.open();
    ASSERT_EQ(divisions.fieldText(QStringLiteral("floor")), QStringLiteral("5й"));

    divisions.edit();
    divisions.setFieldText(QStringLiteral("Phone"), QStringLiteral("495-000"));
    divisions.post();
    divisions.setCurrentRow(1);
    divisions.edit();
    divisions.setFieldText(QStringLiteral("floor"), QStringLiteral("4"));
    divisions.post();
    EXPECT_EQ(database.rows(QStringLiteral("select GUID, SeparationName, Phone, zal, typeof(floor) from separation order by rowid")),
              (QStringList{QStringLiteral("101|101|495-000|1.5|blob"), QStringLiteral("{B}|102|NULL|2.0|text")}));

    divisions.setCurrentRow(0);
    divisions.remove();
    divisions.remove();
    EXPECT_EQ(database.rows(QStringLiteral("select count(*) from separation")), QStringList{QStringLiteral("0")});
}

} // namespace
