#include "data/DatabaseLocation.h"
#include "data/ReferenceDatabaseCreation.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

namespace {

// An executable folder the program may not write to, even when the tests run
// as root, who ignores permission bits: its parent is a regular file, so the
// folder cannot exist and nothing can be made inside it.
QString unwritableFolder(const QTemporaryDir &root)
{
    QFile blocker(root.filePath(QStringLiteral("a-file")));
    EXPECT_TRUE(blocker.open(QIODevice::WriteOnly));
    return root.filePath(QStringLiteral("a-file/bin"));
}

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

struct LocationCase
{
    const char *name;
    bool executableFolderWritable;
    bool fileBesideExecutable;
    bool fileInUserData;
    bool expectBesideExecutable;
};

void PrintTo(const LocationCase &c, std::ostream *out)
{
    *out << c.name;
}

class DatabaseLocationTest : public ::testing::TestWithParam<LocationCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        const LocationCase &c = GetParam();
        folders.executableFolder = c.executableFolderWritable ? root.filePath(QStringLiteral("portable")) : unwritableFolder(root);
        // Not made in advance: on a first start the user's data folder does not exist yet.
        folders.userDataFolder = root.filePath(QStringLiteral("home/.local/share/Velmora"));
        if (c.executableFolderWritable) {
            ASSERT_TRUE(QDir().mkpath(folders.executableFolder));
        }
        if (c.fileBesideExecutable)
            touch(besideExecutable());
        if (c.fileInUserData)
            touch(inUserData());
    }

    QString besideExecutable() const { return QDir(folders.executableFolder).filePath(QStringLiteral("CaseNumber.db")); }
    QString inUserData() const { return QDir(folders.userDataFolder).filePath(QStringLiteral("CaseNumber.db")); }

    QTemporaryDir root;
    DatabaseFolders folders;
};

TEST_P(DatabaseLocationTest, ChoosesTheFileThatStartUpThenCreatesOrOpens)
{
    const LocationCase &c = GetParam();
    const QString chosen = caseNumberDatabasePath(folders);
    EXPECT_EQ(chosen, c.expectBesideExecutable ? besideExecutable() : inUserData());

    // What a start does with the choice: the file is there afterwards, in the
    // chosen place only.
    createReferenceDatabaseIfMissing(chosen);
    EXPECT_TRUE(QFileInfo(chosen).isFile());
    EXPECT_EQ(QFileInfo::exists(besideExecutable()), c.fileBesideExecutable || c.expectBesideExecutable);
    EXPECT_EQ(QFileInfo::exists(inUserData()), c.fileInUserData || !c.expectBesideExecutable);
}

INSTANTIATE_TEST_SUITE_P(Cases, DatabaseLocationTest,
                         ::testing::Values(
                             // Today's rule comes first: a file beside the executable is used even
                             // when the user has one of their own.
                             LocationCase{"FileBesideExecutable", true, true, true, true},
                             // A portable copy makes its file beside itself, as it always did.
                             LocationCase{"WritableExecutableFolder", true, false, true, true},
                             // Installed under /usr/bin: the user's data folder, made on first start.
                             LocationCase{"UnwritableFolderFirstStart", false, false, false, false},
                             LocationCase{"UnwritableFolderLaterStart", false, false, true, false}),
                         [](const ::testing::TestParamInfo<LocationCase> &info) { return std::string(info.param.name); });

// A folder that exists but is closed to the user, as /usr/bin is: only an
// ordinary user can see this, since root writes whatever the bits say.
TEST(DatabaseLocationReadOnlyFolderTest, AnExistingFolderClosedToTheUserSendsTheFileToTheDataFolder)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const DatabaseFolders folders{root.filePath(QStringLiteral("bin")), root.filePath(QStringLiteral("data"))};
    ASSERT_TRUE(QDir().mkpath(folders.executableFolder));
    QFile::setPermissions(folders.executableFolder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    const bool stillWritable = QFileInfo(folders.executableFolder).isWritable();
    QFile::setPermissions(folders.executableFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (stillWritable)
        GTEST_SKIP() << "permission bits do not bind this user (root)";

    QFile::setPermissions(folders.executableFolder, QFile::ReadOwner | QFile::ExeOwner);
    const QString chosen = caseNumberDatabasePath(folders);
    QFile::setPermissions(folders.executableFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(chosen, root.filePath(QStringLiteral("data/CaseNumber.db")));
}

// Root can write to /usr/bin; the installed program must still keep its data
// in the user's folder, or the file would outlive the package.
TEST(DatabaseLocationSystemFolderTest, AnInstalledProgramNeverMakesItsFileInTheSystemFolder)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    for (const QString &systemFolder : {QStringLiteral("/usr/bin"), QStringLiteral("/usr/local/bin"), QStringLiteral("/bin")}) {
        if (QFileInfo::exists(QDir(systemFolder).filePath(QStringLiteral("CaseNumber.db"))))
            continue; // an existing file there still wins, as it always did
        const DatabaseFolders folders{systemFolder, root.filePath(QStringLiteral("data"))};
        EXPECT_EQ(caseNumberDatabasePath(folders), root.filePath(QStringLiteral("data/CaseNumber.db"))) << systemFolder.toStdString();
    }
}

TEST(DefaultDatabaseFoldersTest, AreTheExecutableFolderAndVelmoraInTheUsersDataFolder)
{
    const DatabaseFolders folders = defaultDatabaseFolders();
    EXPECT_EQ(QDir(folders.executableFolder), QDir(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath()));
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share"));
    EXPECT_EQ(folders.userDataFolder, QDir(dataHome).filePath(QStringLiteral("Velmora")));
}

} // namespace
