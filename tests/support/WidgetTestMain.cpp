#include "widgets/ErrorReportingApplication.h"

#include "support/PostgresTestServer.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ErrorReportingApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    PostgresTestServer::shutDown();
    return result;
}
