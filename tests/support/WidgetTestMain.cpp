#include "widgets/ErrorReportingApplication.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ErrorReportingApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
