#pragma once

#include "support/ScratchDatabase.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

// The whole program over a database of the test's own: every window and data
// module created as start-up creates them, the main window shown (which
// connects and opens the datasets), and all of it deleted afterwards. Modal
// windows go to the scripted dialogs.
class ProgramFixture : public ::testing::Test
{
protected:
    explicit ProgramFixture(const QString &sql = QString::fromUtf8(CourtsFixtureSql));

    void SetUp() override;
    void TearDown() override;

    // Starts the program over another file than the fixture's database.
    void setDatabasePath(const QString &path) { m_databasePath = path; }

    ScratchDatabase database;
    ScriptedDialogs dialogs;

private:
    QString m_databasePath;
};
