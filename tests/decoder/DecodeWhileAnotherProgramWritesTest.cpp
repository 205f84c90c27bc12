// Decodes while another program rewrites the file, and on files that lack a
// column the decoder reads.

#include "data/DatabaseError.h"
#include "decoder/DmDLLUnit.h"
#include "decoder/IndexedCourtRows.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Rewrites divisions 101 and 102 over and over in single transactions: both
// rows are deleted and inserted again (so their rowids are handed out anew,
// each time to the other division), moved between the two compositions, with
// telephone, hall and floor naming the division, the composition and the
// round. Now and then a column is added to the divisions, which moves the
// compositions' columns along in the join.
class BusyWriter
{
public:
    explicit BusyWriter(const QString &path)
        : m_thread([this, path] { run(path); })
    {
    }

    ~BusyWriter()
    {
        m_stop = true;
        m_thread.join();
    }

    int rounds() const { return m_rounds; }
    bool failed() const { return m_failed; }

private:
    void run(const QString &path)
    {
        sqlite3 *db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        sqlite3_busy_timeout(db, 10000);
        // Commits without waiting for the disk, so that the locks are held
        // for the writing alone and the readers get their turns.
        sqlite3_exec(db, "PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
        for (int round = 1; !m_stop; ++round) {
            QString sql = QStringLiteral("BEGIN IMMEDIATE; DELETE FROM separation WHERE SeparationName IN ('101', '102');");
            const QStringList divisions = round % 2 ? QStringList{"101", "102"} : QStringList{"102", "101"};
            for (const QString &division : divisions) {
                const QString composition = (round / 2 + division.toInt()) % 2 ? QStringLiteral("1") : QStringLiteral("2");
                const QString mark = QStringLiteral("%1/%2/%3").arg(division, composition).arg(round);
                sql += QStringLiteral("INSERT INTO separation (GUID, ref_structures, SeparationName, Phone, vnphone, zal, floor)"
                                      " VALUES ('{D%1}', '{S%2}', '%1', '%3', '%3', '%3', '%3');")
                           .arg(division, composition, mark);
            }
            if (round % 20 == 0)
                sql += QStringLiteral("ALTER TABLE separation ADD COLUMN extra%1;").arg(round);
            sql += QStringLiteral("COMMIT;");
            if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
                m_failed = true;
                break;
            }
            m_rounds = round;
            // A writer that never pauses would keep the readers locked out
            // (they back off ever longer), and they would fail with "database
            // is locked" rather than show whether they tear.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        sqlite3_close(db);
    }

    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_failed = false;
    std::atomic<int> m_rounds = 0;
    std::thread m_thread;
};

class DecodeWhileAnotherProgramWritesTest : public ::testing::TestWithParam<bool>
{
};

TEST_P(DecodeWhileAnotherProgramWritesTest, EveryAnswerIsOneRowOfOneMoment)
{
    const bool keyed = GetParam();
    ScratchDatabase database(keyed ? QString::fromUtf8(CourtsFixtureSql)
                                   : QString::fromUtf8(CourtsFixtureSql)
                                         .replace(QStringLiteral(" PRIMARY KEY"), QString()));
    TDMDLL decoder;
    decoder.UniConnection1->setDatabasePath(database.path());
    decoder.UniConnection1->connectToDatabase();
    // Both ways to an answer: straight from the indexes, and the whole join.
    ASSERT_EQ(IndexedCourtRows(decoder.UniConnection1, JoinStatement).isAvailable(), keyed);

    BusyWriter writer(database.path());
    // The fixture's own rows carry no marks.
    while (writer.rounds() == 0 && !writer.failed())
        std::this_thread::yield();
    int decodes = 0;
    while ((writer.rounds() < 400 || decodes < 400) && !writer.failed() && !::testing::Test::HasFailure()) {
        for (const QString &division : {QStringLiteral("101"), QStringLiteral("102")}) {
            QString number = QStringLiteral("А40-1/08-%1-1").arg(division);
            const StructInfo info = decoder.DecodeJobNum(number);
            ++decodes;
            ASSERT_EQ(info.error, QStringLiteral("OK")) << "decode " << decodes;
            ASSERT_EQ(info.sepnum, division) << "decode " << decodes;
            // One row of one moment: the division asked for, in the composition it was in then.
            const QString mark = info.otdphone;
            ASSERT_TRUE(mark.startsWith(division + QLatin1Char('/') + info.snum + QLatin1Char('/')))
                << mark.toStdString() << " for division " << division.toStdString() << " in composition "
                << info.snum.toStdString() << ", decode " << decodes;
            EXPECT_EQ(info.stype, info.snum == QLatin1String("1") ? QStringLiteral("гражданский") : QStringLiteral("административный"));
            EXPECT_EQ(info.vnphone, mark);
            EXPECT_EQ(info.zal, mark);
            EXPECT_EQ(info.floor, mark);
        }
    }
    EXPECT_FALSE(writer.failed());
}

INSTANTIATE_TEST_SUITE_P(Paths, DecodeWhileAnotherProgramWritesTest, ::testing::Values(true, false),
                         [](const auto &info) { return info.param ? "Indexed" : "WholeJoin"; });

// A file without a column the decoder reads: the same error whichever way the
// rows are read, whether or not the court or division is there.
struct MissingColumnCase
{
    const char *column;
    const char *table;
};

class MissingColumnTest : public ::testing::TestWithParam<MissingColumnCase>
{
};

TEST_P(MissingColumnTest, IsTheSameClearErrorOnEveryPath)
{
    const MissingColumnCase missing = GetParam();
    const QString expected = QStringLiteral("В наборе данных «%1» нет столбца «%2».").arg(JoinStatement, QLatin1String(missing.column));
    for (const bool keyed : {true, false}) {
        QString sql = QString::fromUtf8(CourtsFixtureSql);
        if (!keyed)
            sql.replace(QStringLiteral(" PRIMARY KEY"), QString());
        ScratchDatabase database(sql + QStringLiteral("ALTER TABLE %1 DROP COLUMN %2;").arg(QLatin1String(missing.table), QLatin1String(missing.column)));
        TDMDLL decoder;
        decoder.UniConnection1->setDatabasePath(database.path());
        decoder.UniConnection1->connectToDatabase();
        ASSERT_EQ(IndexedCourtRows(decoder.UniConnection1, JoinStatement).isAvailable(), keyed);
        for (const QString &input : {QStringLiteral("А40-1/08-101-1"), QStringLiteral("А40-1/08-999-1"),
                                     QStringLiteral("А41-1/08"), QStringLiteral("А99-1/08-101-1")}) {
            QString number = input;
            try {
                decoder.DecodeJobNum(number);
                ADD_FAILURE() << input.toStdString() << (keyed ? " from the indexes" : " through the whole join")
                              << " answered without " << missing.column;
            } catch (const DatabaseError &error) {
                EXPECT_EQ(error.message(), expected) << input.toStdString() << (keyed ? " from the indexes" : " through the whole join");
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Columns, MissingColumnTest,
                         ::testing::Values(MissingColumnCase{"Phone", "separation"}, MissingColumnCase{"JudgementName", "judgement"},
                                           MissingColumnCase{"StructureFAXNum", "structures"}),
                         [](const auto &info) { return std::string(info.param.column); });

} // namespace
