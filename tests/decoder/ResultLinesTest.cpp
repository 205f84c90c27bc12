#include "decoder/ResultLines.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"

#include <gtest/gtest.h>

namespace {

StructInfo exampleRecord()
{
    StructInfo info;
    info.sudname = QStringLiteral("Арбитражный суд города Москвы");
    info.codsud = QStringLiteral("А40");
    info.jobnum = QStringLiteral("1234");
    info.year = QStringLiteral("08");
    info.sepnum = QStringLiteral("101");
    info.jobnum_in_struct = QStringLiteral("503");
    info.otdelphone = QStringLiteral("first copy, not shown");
    info.otdphone = QStringLiteral("495-111-11-11");
    info.vnphone = QStringLiteral("1101");
    info.snum = QStringLiteral("1");
    info.stype = QStringLiteral("гражданский");
    info.sfaxnum = QStringLiteral("495-600-01-01");
    info.zal = QStringLiteral("5017");
    info.floor = QStringLiteral("5");
    info.error = QStringLiteral("OK");
    return info;
}

TEST(ResultLinesTest, ListsThirteenLabelledLinesInOrder)
{
    EXPECT_EQ(resultLines(exampleRecord(), 2026), CourtsFixtureExampleLines);
}

TEST(ResultLinesTest, AnyStatusButOkGivesTheSingleNotFoundLine)
{
    for (const QString &status : {QStringLiteral("NO Found !!!"), QString(), QStringLiteral("ok")}) {
        StructInfo info = exampleRecord();
        info.error = status;
        EXPECT_EQ(resultLines(info, 2026), QStringList{QStringLiteral("Информация не найдена, возможно ошибка ввода номера дела ")});
    }
}

struct YearCase
{
    const char *year;
    int currentYear;
    const char *line;
};

class YearLineTest : public ::testing::TestWithParam<YearCase>
{
};

TEST_P(YearLineTest, ReadsTwoDigitYearsIntoTheRightCentury)
{
    StructInfo info = exampleRecord();
    info.year = QString::fromUtf8(GetParam().year);
    EXPECT_EQ(resultLines(info, GetParam().currentYear).at(3), QString::fromUtf8(GetParam().line));
}

INSTANTIATE_TEST_SUITE_P(Years, YearLineTest,
                         ::testing::Values(YearCase{"08", 2026, "Год: 2008"}, YearCase{"2008", 2026, "Год: 2008"},
                                           YearCase{"8", 2026, "Год: 8"}, YearCase{"", 2026, "Год: "}, YearCase{"97", 2026, "Год: 1997"},
                                           YearCase{"26", 2026, "Год: 2026"}, YearCase{"27", 2026, "Год: 1927"},
                                           YearCase{"27", 2031, "Год: 2027"}, YearCase{"00", 2000, "Год: 2000"},
                                           YearCase{"ab", 2026, "Год: 20ab"}, YearCase{"9a", 2026, "Год: 209a"},
                                           YearCase{"٩٧", 2026, "Год: 20٩٧"}));

} // namespace
