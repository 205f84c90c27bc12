#include "widgets/ErrorReportingApplication.h"
#include "support/QtPrinters.h"
#include "support/ScriptedDialogs.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ErrorReportingApplicationTest, ExceptionFromAHandlerIsShownAndTheProgramGoesOn)
{
    ASSERT_NE(qobject_cast<ErrorReportingApplication *>(qApp), nullptr);
    ScriptedDialogs dialogs;
    QPushButton button(QStringLiteral("Сбой"));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] {
        ++clicks;
        throw std::runtime_error(QStringLiteral("Файл «x.db» занят другой программой").toStdString());
    });
    button.show();
    button.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&button));

    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);

    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(dialogs.errors.size(), 2);
    EXPECT_EQ(dialogs.errors.at(0).text, QStringLiteral("Файл «x.db» занят другой программой"));
    EXPECT_EQ(dialogs.errors.at(0).owner, &button);
    EXPECT_FALSE(button.isDown());
}

TEST(ErrorReportingApplicationTest, WorkOutsideTheLoopIsReportedTheSameWay)
{
    ScriptedDialogs dialogs;
    bool after = false;
    ErrorReportingApplication::runReportingErrors([] { throw 42; });
    ErrorReportingApplication::runReportingErrors([&after] { after = true; });

    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_FALSE(dialogs.errors.at(0).text.isEmpty());
    EXPECT_TRUE(after);
}

} // namespace
