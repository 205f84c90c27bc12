#include "ProgramFixture.h"

#include "data/DatabaseLocation.h"
#include "ui/StartUp.h"
#include "ui/Unit6.h"

#include <QTest>

ProgramFixture::ProgramFixture(const QString &sql)
    : database(sql)
    , m_databasePath(database.path())
{
}

void ProgramFixture::SetUp()
{
    setCaseNumberDatabasePath(m_databasePath);
    createFormsAndModules();
    Form6->show();
    Form6->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form6));
}

void ProgramFixture::TearDown()
{
    destroyFormsAndModules();
    setCaseNumberDatabasePath(QString());
}
