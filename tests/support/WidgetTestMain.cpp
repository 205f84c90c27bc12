#include "widgets/ErrorReportingApplication.h"

#include "support/PostgresTestServer.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // The windows need no screen; a person watching a test can still ask for one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ErrorReportingApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    PostgresTestServer::shutDown();
    return result;
}
