#include "decoder/DmDLLUnit.h"
#include "documents/CaseExtractor.h"
#include "documents/CaseList.h"
#include "documents/DocumentReader.h"
#include "support/DocumentFixtures.h"
#include "support/OfficeFiles.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The same letter in every format a lawyer receives it in: three numbers of
// known courts (one twice, with another dash), one of an unknown court and
// one of the Supreme Court.
const QStringList LetterLines{
    QStringLiteral("Уважаемые коллеги! По делу № А40-1234/08-101-503 заседание отложено."),
    QStringLiteral("Связанные дела: А41–77866/19 (1н), дело № А99-5/2020 и определение ВС РФ 305-ЭС19-12345."),
    QStringLiteral("Повторно: A40\u20131234/08-101-503."), // Latin A, en dash: both in 1251
};

// Number, occurrences, court code, court name, serial, year, division, status.
using Expected = QStringList;
const QList<Expected> LetterRows{
    {QStringLiteral("А40-1234/08-101-503"), QStringLiteral("2"), QStringLiteral("А40"),
     QStringLiteral("Арбитражный суд города Москвы"), QStringLiteral("1234"), QStringLiteral("2008"), QStringLiteral("101"),
     QStringLiteral("найден")},
    {QStringLiteral("А41-77866/19"), QStringLiteral("1"), QStringLiteral("А41"),
     QStringLiteral("Арбитражный суд Московской области"), QStringLiteral("77866"), QStringLiteral("2019"), QString(),
     QStringLiteral("найден")},
    {QStringLiteral("А99-5/2020"), QStringLiteral("1"), QStringLiteral("А99"), QString(), QStringLiteral("5"),
     QStringLiteral("2020"), QString(), QStringLiteral("суд не найден")},
    {QStringLiteral("305-ЭС19-12345"), QStringLiteral("1"), QString(), QString(), QString(), QString(), QString(),
     QStringLiteral("Верховного Суда Российской Федерации")},
};

class CaseListTest : public ::testing::Test
{
protected:
    CaseListTest() : database(QString::fromUtf8(CourtsFixtureSql))
    {
        decoder.UniConnection1->setDatabasePath(database.path());
        decoder.UniConnection1->setAccess(DatabaseConnection::Access::ReadOnly);
        decoder.UniConnection1->connectToDatabase();
    }

    CaseList listOf(const QString &path)
    {
        CaseExtractor extractor(decoder);
        CaseList list;
        readDocument(path, {[&](const TextPiece &piece) {
                                for (const ExtractedCase &found : extractor.extract(piece))
                                    list.add(found);
                                return true;
                            },
                            {}});
        return list;
    }

    // The columns the letter's expectations name; the status of another
    // court's number is checked by the court it names.
    static QList<Expected> shown(const CaseList &list)
    {
        QList<Expected> rows;
        for (qsizetype row = 0; row < list.size(); ++row) {
            Expected cells;
            for (const CaseList::Column column : {CaseList::Number, CaseList::Occurrences, CaseList::CourtCode,
                                                  CaseList::CourtName, CaseList::Serial, CaseList::Year, CaseList::Division})
                cells << (list.caseAt(row).system == CourtSystem::Arbitration || column <= CaseList::Occurrences
                              ? list.text(row, column)
                              : QString());
            const QString status = list.text(row, CaseList::Status);
            cells << (status.contains(QStringLiteral("Верховного Суда Российской Федерации"))
                          ? QStringLiteral("Верховного Суда Российской Федерации")
                          : status);
            rows << cells;
        }
        return rows;
    }

    QString path(const char *name) const { return folder.filePath(QString::fromUtf8(name)); }

    ScratchDatabase database;
    TDMDLL decoder;
    QTemporaryDir folder;
};

TEST_F(CaseListTest, TheSameLetterInEveryFormatGivesTheSameRows)
{
    QFile cp1251(path("letter.txt"));
    ASSERT_TRUE(cp1251.open(QIODevice::WriteOnly));
    cp1251.write(QStringEncoder("windows-1251")(LetterLines.join(QStringLiteral("\r\n"))));
    cp1251.close();
    OfficeFiles::writeDocx(path("letter.docx"), LetterLines);
    OfficeFiles::writeXlsx(path("letter.xlsx"), {{QStringLiteral("Письмо"),
                                                   {{QStringLiteral("A1"), LetterLines[0]},
                                                    {QStringLiteral("B1"), LetterLines[1], false},
                                                    {QStringLiteral("A2"), LetterLines[2]}}}});
    DocumentFixtures::writeTextPdf(path("letter.pdf"), {LetterLines.mid(0, 2).join(u'\n'), LetterLines[2]});

    for (const char *name : {"letter.txt", "letter.docx", "letter.xlsx", "letter.pdf"})
        EXPECT_EQ(shown(listOf(path(name))), LetterRows) << name;
}

TEST_F(CaseListTest, RowsCarryTheDivisionsDetails)
{
    OfficeFiles::writeDocx(path("one.docx"), {QStringLiteral("Дело А40-7/2008-201-9")});
    const CaseList list = listOf(path("one.docx"));
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.table().header, CaseList::header());
    EXPECT_EQ(list.table().rows.first(),
              (QStringList{QStringLiteral("А40-7/2008-201-9"), QStringLiteral("1"), QStringLiteral("А40"),
                           QStringLiteral("Арбитражный суд города Москвы"), QStringLiteral("7"), QStringLiteral("2008"),
                           QStringLiteral("201"), QStringLiteral("9"), QStringLiteral("495-333-33-33"), QStringLiteral("2201"),
                           QStringLiteral("2"), QStringLiteral("административный"), QStringLiteral("495-600-02-02"),
                           QStringLiteral("7001"), QStringLiteral("7"), QStringLiteral("найден")}));
}

TEST_F(CaseListTest, AppendedListsAddUpTheirCounts)
{
    OfficeFiles::writeDocx(path("a.docx"), {QStringLiteral("А40-1/2020 и А41-2/2020")});
    OfficeFiles::writeDocx(path("b.docx"), {QStringLiteral("А41-2/2020, А41-2/2020 и А40-3/2020")});
    CaseList both = listOf(path("a.docx"));
    both.append(listOf(path("b.docx")));
    QStringList numbersAndCounts;
    for (qsizetype row = 0; row < both.size(); ++row)
        numbersAndCounts << both.text(row, CaseList::Number) + QLatin1Char(' ') + both.text(row, CaseList::Occurrences);
    EXPECT_EQ(numbersAndCounts, (QStringList{QStringLiteral("А40-1/2020 1"), QStringLiteral("А41-2/2020 3"),
                                             QStringLiteral("А40-3/2020 1")}));
}

// A document's numbers are decoded with the courts remembered; once it is
// done, the decoder sees an edit made meanwhile again.
TEST_F(CaseListTest, RememberedCourtsAreForgottenAfterTheDocument)
{
    {
        CaseExtractor extractor(decoder);
        EXPECT_EQ(extractor.extract({QStringLiteral("А41-1/2020"), {}}).first().info.sudname,
                  QStringLiteral("Арбитражный суд Московской области"));
        database.execute(QStringLiteral("UPDATE judgement SET JudgementName = 'Новое имя' WHERE GUID = '{J41}'"));
        EXPECT_EQ(extractor.extract({QStringLiteral("А41-2/2020"), {}}).first().info.sudname,
                  QStringLiteral("Арбитражный суд Московской области"));
    }
    QString number = QStringLiteral("А41-3/2020");
    EXPECT_EQ(decoder.DecodeJobNum(number).sudname, QStringLiteral("Новое имя"));
}

} // namespace
