#include "decoder/CaseNumberFinder.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// What the decode takes from a pasted line: the number as the decoder gets
// it, or "-" when the line holds no arbitration number.
struct FindCase
{
    const char *pasted;
    const char *decoded;
};

class FirstArbitrationNumberTest : public ::testing::TestWithParam<FindCase>
{
};

TEST_P(FirstArbitrationNumberTest, IsCutOutOfWhateverSurroundsIt)
{
    const auto found = CaseNumberFinder().findFirst(QString::fromUtf8(GetParam().pasted));
    const bool arbitration = found && found->system == CourtSystem::Arbitration;
    EXPECT_EQ(arbitration ? found->number : QStringLiteral("-"), QString::fromUtf8(GetParam().decoded));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FirstArbitrationNumberTest,
    ::testing::Values(
        // Dashes of every kind, no-break and narrow no-break spaces, blanks around the separators.
        FindCase{"А40\u20111234/08\u2212101\uff0d503", "А40-1234/08-101-503"},
        FindCase{"Дело\u00a0№\u202fА40\u2043 1234/2008", "А40-1234/2008"}, FindCase{"А40\ufe58 1/2008\ufe63101", "А40-1/2008-101"},
        FindCase{"Дело №А60- 32014/2009- С12", "А60-32014/2009"}, FindCase{"№ 17АП- 76 /2017-ГКу", "17АП-76/2017"},
        FindCase{"А40-1234\\2008", "А40-1234/2008"},
        // Look-alike letters only inside the code; the A of a word elsewhere is not a court.
        FindCase{"Andritz Feed & Biofuel A/S v. OOO / А41-6930/2013", "А41-6930/2013"}, FindCase{"A40-1/20", "А40-1/20"},
        FindCase{"а40-1/20", "А40-1/20"}, FindCase{"C01-5/2020", "С01-5/2020"}, FindCase{"сип-5/2020", "СИП-5/2020"},
        FindCase{"АЗО-5/2020", "А30-5/2020"}, FindCase{"А99-5/2020", "А99-5/2020"}, FindCase{"9АП-5/2020", "09АП-5/2020"},
        FindCase{"NА40-5/2020", "А40-5/2020"}, FindCase{"No.А40-5/2020 и NoА41-6/2020", "А40-5/2020"},
        FindCase{"NoА41-6/2020", "А41-6/2020"},
        // One blank or dash typed inside the code, after a capital letter only: a lone "а" is a word.
        FindCase{"по делу № А-40-1234/2020", "А40-1234/2020"}, FindCase{"Дело № А 40-1234/2020", "А40-1234/2020"},
        FindCase{"N Ф\u00a005-7/2019", "Ф05-7/2019"}, FindCase{"а 33-1234/2021", "-"}, FindCase{"А  40-1234/2020", "-"},
        // Forms from web addresses.
        FindCase{"a40-128721_20-149-933", "А40-128721/20-149-933"}, FindCase{"15ap-4619_2017", "15АП-4619/2017"},
        FindCase{"sip-12_2019", "СИП-12/2019"},
        // Tails that are not part of the year; the digits-only division tail is.
        FindCase{"А40-1/2016/з.8", "А40-1/2016"}, FindCase{"А40-1/2016/тр.37", "А40-1/2016"}, FindCase{"А40-1/19(1,2)", "А40-1/19"},
        FindCase{"А40-1/2013  (1н)", "А40-1/2013"}, FindCase{"А40-1/19, А41-2/20", "А40-1/19"},
        FindCase{"А40-1/2014 по делу N СИП-1/2014", "А40-1/2014"}, FindCase{"А40-1234/08-101-503-9", "А40-1234/08-101-503-9"},
        FindCase{"Дело № А41-К1-12345/05", "А41-12345/05"},
        // Both an other-court and an arbitration number: the arbitration number is decoded.
        FindCase{"N 300-ЭС24-6956 по делу N СИП-295/2023", "СИП-295/2023"},
        // Not a number: a year of three or five digits, a code glued to a word, no year at all.
        FindCase{"А40-1/200", "-"}, FindCase{"А40-1/20081", "-"}, FindCase{"ФА40-1/2008", "-"}, FindCase{"ONА40-1/2008", "-"},
        FindCase{"123АП-1/2008", "-"}, FindCase{"А401-1/2008", "-"}, FindCase{"А40-1234", "-"}, FindCase{"А40-/2008", "-"},
        FindCase{"", "-"}));

struct OtherCourtCase
{
    const char *pasted;
    CourtSystem system;
    const char *number;
};

class OtherCourtNumberTest : public ::testing::TestWithParam<OtherCourtCase>
{
};

TEST_P(OtherCourtNumberTest, IsNamedForItsCourt)
{
    const auto found = CaseNumberFinder().findFirst(QString::fromUtf8(GetParam().pasted));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->system, GetParam().system);
    EXPECT_EQ(found->number, QString::fromUtf8(GetParam().number));
    EXPECT_TRUE(found->courtCode.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Lines, OtherCourtNumberTest,
                         ::testing::Values(OtherCourtCase{"Определение N 305-ES19-20514", CourtSystem::SupremeCourt, "305-ES19-20514"},
                                           OtherCourtCase{"№ АПЛ21-341", CourtSystem::SupremeCourt, "АПЛ21-341"},
                                           OtherCourtCase{"77\u2011КГ19\u201113", CourtSystem::SupremeCourt, "77-КГ19-13"},
                                           OtherCourtCase{"дело № 2-521/2023 ~ М-1/2023", CourtSystem::GeneralJurisdiction, "2-521/2023"},
                                           OtherCourtCase{"88-22372/2024", CourtSystem::GeneralJurisdiction, "88-22372/2024"},
                                           OtherCourtCase{"2а-15/2021", CourtSystem::GeneralJurisdiction, "2а-15/2021"},
                                           OtherCourtCase{"№ 8Г-1234/2021", CourtSystem::GeneralJurisdiction, "8Г-1234/2021"},
                                           OtherCourtCase{"УИД 50RS0016-01-2024-000805-79", CourtSystem::GeneralJurisdiction,
                                                          "50RS0016-01-2024-000805-79"}));

TEST(CaseNumberFinderTest, FindsEveryNumberInOrderWithItsPlace)
{
    const QString text = QStringLiteral("См. А40-31546/2020, 305-ЭС19-1 и 😀 13АП-5/21-ГК; 2-1/2023.");
    const QList<FoundCaseNumber> numbers = CaseNumberFinder().findAll(text);
    ASSERT_EQ(numbers.size(), 4);
    const QStringList expected{QStringLiteral("А40-31546/2020"), QStringLiteral("305-ЭС19-1"), QStringLiteral("13АП-5/21"),
                               QStringLiteral("2-1/2023")};
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        EXPECT_EQ(numbers[i].number, expected[i]);
        // Positions are UTF-16 units of the text itself, so a caller can select what was found.
        EXPECT_EQ(text.mid(numbers[i].position, numbers[i].length), expected[i]);
    }
    EXPECT_EQ(numbers[2].fullYear, QStringLiteral("2021"));
    EXPECT_EQ(numbers[2].courtCode, QStringLiteral("13АП"));
    EXPECT_EQ(numbers[2].serial, QStringLiteral("5"));
}

TEST(CaseNumberFinderTest, PlaceCoversTheTextAsWrittenNotTheCleanedNumber)
{
    const QString text = QStringLiteral("Дело № a40 \u2013 12 / 08-101.");
    const auto found = CaseNumberFinder().findFirst(text);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(text.mid(found->position, found->length), QStringLiteral("a40 \u2013 12 / 08-101"));
    EXPECT_EQ(found->number, QStringLiteral("А40-12/08-101"));
    EXPECT_EQ(found->year, QStringLiteral("08"));
    EXPECT_EQ(found->fullYear, QStringLiteral("2008"));
}

TEST(CaseNumberFinderTest, CourtCodesOfOtherShapesAreFoundOnlyWhenTheDatabaseHoldsThem)
{
    const QString text = QStringLiteral("Дело № ВАС-1234/12 и А40-1/2020");
    EXPECT_EQ(CaseNumberFinder().findFirst(text)->number, QStringLiteral("А40-1/2020"));

    // Look-alike letters fold in the database's code as in the text; the longer of two codes wins.
    // The decoder is given the code as the database writes it.
    const CaseNumberFinder finder({QStringLiteral("ВАС"), QStringLiteral("ВАСk"), QStringLiteral("А40"), QString(), QStringLiteral("X-1")});
    EXPECT_EQ(finder.findFirst(text)->number, QStringLiteral("ВАС-1234/12"));
    EXPECT_EQ(finder.findFirst(QStringLiteral("васK-7/19"))->courtCode, QStringLiteral("ВАСk"));
    EXPECT_FALSE(finder.findFirst(QStringLiteral("ВАСИЛИЙ-1/2020")).has_value());
}

TEST(CaseNumberFinderTest, TextWithoutANumberGoesToTheDecoderCleanedAsTyped)
{
    const CaseNumberFinder finder;
    // The decoder's own cutting still answers these, as it always did.
    EXPECT_EQ(finder.decoderInput(QStringLiteral("А40-1234")), QStringLiteral("А40-1234"));
    EXPECT_EQ(finder.decoderInput(QStringLiteral("1234")), QStringLiteral("1234"));
    EXPECT_EQ(finder.decoderInput(QStringLiteral("Дело № A40 - 1234")), QStringLiteral("А40-1234"));
    EXPECT_EQ(finder.decoderInput(QStringLiteral("А40-1234/08-101")), QStringLiteral("А40-1234/08-101"));
    EXPECT_EQ(finder.decoderInput(QStringLiteral("по делу А40-1234/08-101-503.")), QStringLiteral("А40-1234/08-101-503"));
}

} // namespace
