#include "decoder/CaseNumberInput.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct InputCase
{
    const char *typed;
    const char *decoded;
};

class CaseNumberInputTest : public ::testing::TestWithParam<InputCase>
{
};

TEST_P(CaseNumberInputTest, CleansOnlyWhatPastingAddsToTheNumber)
{
    EXPECT_EQ(cleanedTypedNumber(QString::fromUtf8(GetParam().typed)), QString::fromUtf8(GetParam().decoded));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CaseNumberInputTest,
    ::testing::Values(InputCase{"А40-1234/08-101-503", "А40-1234/08-101-503"},
                      // Only the first Latin capital A of the court code becomes Cyrillic; lower-case a of
                      // either alphabet stays, and so does an A after the first "-".
                      InputCase{"A40-1234/08-101-503", "А40-1234/08-101-503"}, InputCase{"A40-A/08", "А40-A/08"},
                      InputCase{"a40-1234/08", "a40-1234/08"}, InputCase{"а40-A", "а40-A"}, InputCase{"Andritz A/S", "Andritz A/S"},
                      InputCase{"09АП-1234/2019", "09АП-1234/2019"}, InputCase{"  \u00a0А40-1234/2008\t\n", "А40-1234/2008"},
                      InputCase{"Дело № А40-1234/2008", "А40-1234/2008"}, InputCase{"дело №А40-1234/2008", "А40-1234/2008"},
                      InputCase{"ДЕЛО А40-1", "А40-1"}, InputCase{"N А40-1", "А40-1"}, InputCase{"No. А40-1", "А40-1"},
                      InputCase{"№ 09АП-5/2019", "09АП-5/2019"},
                      // "№" read in the wrong code page.
                      InputCase{"по делу в„– А40-1", "по делу № А40-1"}, InputCase{"в„– А40-1", "А40-1"},
                      InputCase{"А40-1234\\08", "А40-1234/08"}, InputCase{"А40\u20131234/08\u2014101\u2212503", "А40-1234/08-101-503"},
                      InputCase{"А40\u2010\u2011\u2012\u2015\u2043\ufe58\ufe63\uff0d", "А40--------"},
                      InputCase{"А40 - 1234 / 08 -\u00a0101 - 503", "А40-1234/08-101-503"}, InputCase{"А40 1234", "А40 1234"},
                      InputCase{"Делопроизводство", "Делопроизводство"}, InputCase{"No123", "No123"}, InputCase{"NА40-1", "NА40-1"},
                      InputCase{"", ""}, InputCase{"   ", ""}));

} // namespace
