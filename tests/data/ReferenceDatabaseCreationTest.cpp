#include "data/ReferenceDatabaseCreation.h"
#include "data/DatabaseError.h"
#include "decoder/DmDLLUnit.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/file.h>
#include <sys/resource.h>

namespace {

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

QString creationError(const QString &path)
{
    try {
        createReferenceDatabaseIfMissing(path);
    } catch (const DatabaseError &error) {
        return error.message();
    }
    ADD_FAILURE() << "creating " << path.toStdString() << " succeeded";
    return {};
}

// ScratchDatabase lends its folder and its way of reading a file through
// SQLite itself; the file it made is removed so that the creation starts from
// an empty folder.
class FreshReferenceDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile::remove(scratch.path());
        ASSERT_TRUE(folderEntries(scratch.folder()).isEmpty());
        createReferenceDatabaseIfMissing(scratch.path());
    }

    ScratchDatabase scratch;
};

TEST_F(FreshReferenceDatabaseTest, HoldsEveryCourtOfTheListAndNothingElse)
{
    EXPECT_EQ(folderEntries(scratch.folder()), QStringList{QStringLiteral("CaseNumber.db")});
    EXPECT_TRUE(QFileInfo(scratch.path()).permissions().testFlag(QFile::ReadOther));

    // First instance А01…А84 (А30 is not in use), appeal 01АП…21АП, district
    // Ф01…Ф10, and the Intellectual Property Rights Court under both its codes.
    QStringList expectedCodes;
    for (int n = 1; n <= 84; ++n) {
        if (n != 30)
            expectedCodes << QStringLiteral("А%1").arg(n, 2, 10, QLatin1Char('0'));
    }
    for (int n = 1; n <= 21; ++n)
        expectedCodes << QStringLiteral("%1АП").arg(n, 2, 10, QLatin1Char('0'));
    for (int n = 1; n <= 10; ++n)
        expectedCodes << QStringLiteral("Ф%1").arg(n, 2, 10, QLatin1Char('0'));
    expectedCodes << QStringLiteral("СИП") << QStringLiteral("С01");
    expectedCodes.sort();

    QStringList codes = scratch.rows(QStringLiteral("SELECT JudgementCode FROM judgement"));
    codes.sort();
    EXPECT_EQ(codes.size(), 116);
    EXPECT_EQ(codes, expectedCodes);

    EXPECT_EQ(scratch.rows(QStringLiteral("SELECT count(*) FROM judgement WHERE JudgementName IS NULL "
                                          "OR JudgementName = '' OR JudgementName LIKE '%' || char(9) || '%' "
                                          "OR JudgementName LIKE '%' || char(13) || '%'")),
              QStringList{QStringLiteral("0")});
    EXPECT_EQ(scratch.rows(QStringLiteral("SELECT (SELECT count(*) FROM structures), (SELECT count(*) FROM separation)")),
              QStringList{QStringLiteral("0|0")});
}

TEST_F(FreshReferenceDatabaseTest, KeysAreDistinctGuidTexts)
{
    const QRegularExpression guidText(QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    const QStringList keys = scratch.rows(QStringLiteral("SELECT GUID FROM judgement"));
    for (const QString &key : keys)
        EXPECT_TRUE(guidText.match(key).hasMatch()) << key.toStdString();
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), 116);
}

TEST_F(FreshReferenceDatabaseTest, HasTheThreeTablesOfTextWithGuidKeysAndTheLookupIndexes)
{
    EXPECT_EQ(scratch.rows(QStringLiteral("SELECT m.name, p.name, p.type, p.pk FROM sqlite_master m "
                                          "JOIN pragma_table_info(m.name) p WHERE m.type = 'table' "
                                          "ORDER BY m.name, p.cid")),
              (QStringList{
                  QStringLiteral("judgement|GUID|TEXT|1"),
                  QStringLiteral("judgement|JudgementCode|TEXT|0"),
                  QStringLiteral("judgement|JudgementName|TEXT|0"),
                  QStringLiteral("separation|GUID|TEXT|1"),
                  QStringLiteral("separation|ref_structures|TEXT|0"),
                  QStringLiteral("separation|SeparationName|TEXT|0"),
                  QStringLiteral("separation|Phone|TEXT|0"),
                  QStringLiteral("separation|vnphone|TEXT|0"),
                  QStringLiteral("separation|zal|TEXT|0"),
                  QStringLiteral("separation|floor|TEXT|0"),
                  QStringLiteral("structures|GUID|TEXT|1"),
                  QStringLiteral("structures|ref_Judgement|TEXT|0"),
                  QStringLiteral("structures|StructureNum|TEXT|0"),
                  QStringLiteral("structures|StructureType|TEXT|0"),
                  QStringLiteral("structures|StructureFAXNum|TEXT|0"),
                  QStringLiteral("structures|StructureSpecification|TEXT|0"),
              }));
    // Indexes written by us; the primary keys' own indexes have no SQL text.
    EXPECT_EQ(scratch.rows(QStringLiteral("SELECT m.tbl_name || '(' || group_concat(p.name, ', ') || ')' "
                                          "FROM sqlite_master m JOIN pragma_index_info(m.name) p "
                                          "WHERE m.type = 'index' AND m.sql IS NOT NULL GROUP BY m.name ORDER BY m.name")),
              (QStringList{
                  QStringLiteral("judgement(JudgementCode)"),
                  QStringLiteral("separation(ref_structures)"),
                  QStringLiteral("separation(ref_structures, SeparationName)"),
                  QStringLiteral("structures(ref_Judgement)"),
              }));
}

TEST_F(FreshReferenceDatabaseTest, NumbersOfEveryKindDecodeToTheirCourt)
{
    TDMDLL decoder;
    decoder.UniConnection1->setDatabasePath(scratch.path());
    decoder.UniConnection1->connectToDatabase();

    const struct
    {
        QString number;
        QString court;
    } cases[] = {
        {QStringLiteral("А40-1234/08-101-503"), QStringLiteral("Арбитражный суд города Москвы")},
        {QStringLiteral("09АП-1234/2019"), QStringLiteral("Девятый арбитражный апелляционный суд")},
        {QStringLiteral("Ф05-1234/2019"), QStringLiteral("Арбитражный суд Московского округа")},
        {QStringLiteral("СИП-123/2019"), QStringLiteral("Суд по интеллектуальным правам")},
        {QStringLiteral("С01-123/2019"), QStringLiteral("Суд по интеллектуальным правам")},
    };
    for (const auto &[number, court] : cases) {
        SCOPED_TRACE(number.toStdString());
        QString input = number;
        const StructInfo info = decoder.DecodeJobNum(input);
        EXPECT_EQ(info.sudname, court);
        EXPECT_EQ(info.error, QStringLiteral("OK"));
    }
}

TEST(ReferenceDatabaseCreationTest, ExistingFileKeepsItsBytesAndModificationTime)
{
    // A filled database, and an empty file: SQLite would take the latter for
    // an empty database and let tables be made in it.
    const struct
    {
        const char *name;
        QString sql;
    } cases[] = {
        {"reference database", QString::fromUtf8(CourtsFixtureSql)},
        {"empty file", QString()},
    };
    for (const auto &[name, sql] : cases) {
        SCOPED_TRACE(name);
        ScratchDatabase existing(sql);
        const QByteArray bytesBefore = existing.bytes();
        const QDateTime longAgo(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        {
            QFile file(existing.path());
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
        }

        createReferenceDatabaseIfMissing(existing.path());

        EXPECT_EQ(existing.bytes(), bytesBefore);
        EXPECT_EQ(QFileInfo(existing.path()).lastModified().toUTC(), longAgo);
        EXPECT_EQ(folderEntries(existing.folder()), QStringList{QStringLiteral("CaseNumber.db")});
    }
}

TEST(ReferenceDatabaseCreationTest, FolderThatIsARegularFileFailsNamingPathAndReason)
{
    ScratchDatabase blocker;
    const QByteArray blockerBytes = blocker.bytes();
    const QString path = blocker.path() + QStringLiteral("/CaseNumber.db");

    const QString message = creationError(path);

    EXPECT_TRUE(message.contains(path)) << message.toStdString();
    EXPECT_TRUE(message.contains(qt_error_string(ENOTDIR))) << message.toStdString();
    EXPECT_EQ(folderEntries(blocker.folder()), QStringList{QStringLiteral("CaseNumber.db")});
    EXPECT_EQ(blocker.bytes(), blockerBytes);
}

// What an earlier file of the same name left: SQLite replays any of these
// into the next file that takes the name, so none may meet a new database.
TEST(ReferenceDatabaseCreationTest, LeftoverJournalsStopTheCreationAndStayAsTheyWere)
{
    const QStringList cases[] = {
        {QStringLiteral("-journal")},
        {QStringLiteral("-wal"), QStringLiteral("-shm")},
        {QStringLiteral("-wal")},
    };
    for (const QStringList &suffixes : cases) {
        SCOPED_TRACE(suffixes.join(' ').toStdString());
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("CaseNumber.db"));
        for (const QString &suffix : suffixes) {
            QFile leftover(path + suffix);
            ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
            leftover.write(QByteArray(4096, '\x5a') + suffix.toUtf8());
        }

        const QString message = creationError(path);

        EXPECT_TRUE(message.contains(path + suffixes.first())) << message.toStdString();
        QStringList expected;
        for (const QString &suffix : suffixes) {
            expected << QStringLiteral("CaseNumber.db") + suffix;
            QFile leftover(path + suffix);
            ASSERT_TRUE(leftover.open(QIODevice::ReadOnly));
            EXPECT_EQ(leftover.readAll(), QByteArray(4096, '\x5a') + suffix.toUtf8());
        }
        expected.sort();
        EXPECT_EQ(folderEntries(folder.path()), expected);
    }
}

// A start killed while building leaves its file (and SQLite's journal of it)
// under the building name; the next start clears them, whether or not the
// database itself is there, and leaves everything else alone, including the
// file of a start that is building right now.
TEST(ReferenceDatabaseCreationTest, AbandonedBuildingFilesAreRemovedAndNothingElse)
{
    const QStringList abandoned{
        QStringLiteral("CaseNumber.db.Ab12Cd.tmp"),
        QStringLiteral("CaseNumber.db.Ab12Cd.tmp-journal"),
        QStringLiteral("CaseNumber.db.Zz99zz.tmp-journal"),
    };
    const QStringList kept{
        QStringLiteral("CaseNumber.db.Lk00Lk.tmp"),
        QStringLiteral("CaseNumber.db.Lk00Lk.tmp-journal"),
        QStringLiteral("CaseNumber.db.tmp"),
        QStringLiteral("CaseNumber.db.Ab12C.tmp"),
        QStringLiteral("CaseNumber.db.Ab12Cd.tmp.bak"),
        QStringLiteral("CaseNumber.db.Ab-2Cd.tmp"),
        QStringLiteral("Other.db.Ab12Cd.tmp"),
        QStringLiteral("CaseNumber.db-old"),
    };
    for (const bool databaseThere : {false, true}) {
        SCOPED_TRACE(databaseThere ? "database there" : "database missing");
        ScratchDatabase scratch(QString::fromUtf8(CourtsFixtureSql));
        if (!databaseThere)
            QFile::remove(scratch.path());
        for (const QString &name : abandoned + kept) {
            QFile file(QDir(scratch.folder()).filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("x");
        }
        QFile building(QDir(scratch.folder()).filePath(QStringLiteral("CaseNumber.db.Lk00Lk.tmp")));
        ASSERT_TRUE(building.open(QIODevice::ReadOnly));
        ASSERT_EQ(::flock(building.handle(), LOCK_EX), 0);

        createReferenceDatabaseIfMissing(scratch.path());

        QStringList expected = kept + QStringList{QStringLiteral("CaseNumber.db")};
        expected.sort();
        EXPECT_EQ(folderEntries(scratch.folder()), expected);
    }
}

TEST(ReferenceDatabaseCreationTest, NameTakenMeanwhileIsNotReplaced)
{
    // A dangling symbolic link passes the "no file there" check, as a file that
    // another copy of the program makes between check and rename would.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("CaseNumber.db"));
    const QString target = folder.filePath(QStringLiteral("elsewhere.db"));
    ASSERT_TRUE(QFile::link(target, path));

    createReferenceDatabaseIfMissing(path);

    EXPECT_EQ(QFileInfo(path).symLinkTarget(), target);
    EXPECT_EQ(folderEntries(folder.path()), QStringList{QStringLiteral("CaseNumber.db")});
}

// Lowers the largest file this process may write, as a full disk would stop
// it, and puts the limit back however the test ends.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        // Writing past the limit raises SIGXFSZ, which would end the test program.
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};

TEST(ReferenceDatabaseCreationTest, DiskFullPartWayLeavesNoFileUnderAnyName)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("CaseNumber.db"));

    QString message;
    {
        // Room for the first page of the file, not for the courts.
        const FileSizeLimit limit(4096);
        message = creationError(path);
    }

    EXPECT_TRUE(message.contains(path)) << message.toStdString();
    // SQLite reports a write refused for size as an I/O error of the commit.
    EXPECT_TRUE(message.contains(QStringLiteral("disk I/O error"))) << message.toStdString();
    EXPECT_TRUE(folderEntries(folder.path()).isEmpty()) << folderEntries(folder.path()).join(' ').toStdString();
}

} // namespace
