// Lines copied from published court acts, legal news and document lists,
// decoded as the main window decodes them, over the court list the program
// creates its database with.

#include "data/ReferenceDatabaseCreation.h"
#include "decoder/CaseYear.h"
#include "decoder/DmDLLUnit.h"
#include "decoder/PastedCaseNumber.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct PastedLine
{
    int lineNumber = 0;
    QString raw;
    QString code;
    QString serial;
    QString year;
};

QList<PastedLine> pastedLines()
{
    QFile file(QStringLiteral(PASTED_CASE_NUMBERS_PATH));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<PastedLine> lines;
    int lineNumber = 0;
    bool header = true;
    while (!file.atEnd()) {
        ++lineNumber;
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        if (line.startsWith(QLatin1Char('#')) || line.isEmpty())
            continue;
        if (std::exchange(header, false))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        lines << PastedLine{lineNumber, cells.value(0), cells.value(1), cells.value(2), cells.value(3)};
    }
    return lines;
}

// The other-court lines whose court the user is told; the rest of the "-"
// lines are only refused.
QString expectedExplanation(const QString &raw)
{
    const QString supremeCourt = QStringLiteral("Это номер дела Верховного Суда Российской Федерации, а не арбитражного суда.");
    const QString generalJurisdiction = QStringLiteral("Это номер дела суда общей юрисдикции, а не арбитражного суда.");
    if (raw.contains(QStringLiteral("-ЭС")) || raw.contains(QStringLiteral("-KG")) || raw.contains(QStringLiteral("АКПИ")))
        return supremeCourt;
    if (raw.contains(QStringLiteral("68RS0011")) || raw.contains(QStringLiteral("2-2292/2019")))
        return generalJurisdiction;
    return QString();
}

class PastedCaseNumbersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        const QString path = m_folder.filePath(QStringLiteral("CaseNumber.db"));
        createReferenceDatabaseIfMissing(path);
        m_decoder.UniConnection1->setDatabasePath(path);
        m_decoder.UniConnection1->connectToDatabase();
    }

    QTemporaryDir m_folder;
    TDMDLL m_decoder;
};

TEST_F(PastedCaseNumbersTest, EveryLineDecodesToItsCourtSerialAndYearOrIsRefused)
{
    const QList<PastedLine> lines = pastedLines();
    ASSERT_FALSE(lines.isEmpty()) << "cannot read " << PASTED_CASE_NUMBERS_PATH;
    const int thisYear = QDate::currentDate().year();
    for (const PastedLine &line : lines) {
        SCOPED_TRACE(QStringLiteral("line %1: %2").arg(line.lineNumber).arg(line.raw).toStdString());
        const PastedCaseNumber decoded = decodePasted(m_decoder, line.raw);
        if (line.code == QLatin1String("-")) {
            EXPECT_NE(decoded.info.error, QStringLiteral("OK"));
            EXPECT_EQ(decoded.explanation, expectedExplanation(line.raw));
            continue;
        }
        EXPECT_EQ(decoded.info.error, QStringLiteral("OK"));
        EXPECT_FALSE(decoded.info.sudname.isEmpty());
        EXPECT_EQ(decoded.info.codsud, line.code);
        EXPECT_EQ(decoded.info.jobnum, line.serial);
        EXPECT_EQ(fullCaseYear(decoded.info.year, thisYear), line.year);
        EXPECT_TRUE(decoded.explanation.isEmpty());
    }
}

} // namespace

namespace {

TEST(PastedCourtCodesTest, ACourtAddedWithACodeOfAnotherShapeIsFoundOnceTheLookupIsReopened)
{
    ScratchDatabase database(QString::fromUtf8(CourtsFixtureSql));
    TDMDLL decoder;
    decoder.UniConnection1->setDatabasePath(database.path());
    decoder.UniConnection1->connectToDatabase();
    const QString pasted = QStringLiteral("Дело № псп-12/2020 (судья Иванов И.И.)");
    EXPECT_NE(decodePasted(decoder, pasted).info.error, QStringLiteral("OK"));

    // Another program adds the court; the editor reopens the decoder's lookup after each action.
    database.execute(QStringLiteral("INSERT INTO judgement VALUES ('{JP}', 'ПСП', 'Постоянное судебное присутствие')"));
    decoder.UniQuery1->open();
    const PastedCaseNumber decoded = decodePasted(decoder, pasted);
    EXPECT_EQ(decoded.number, QStringLiteral("ПСП-12/2020"));
    EXPECT_EQ(decoded.info.codsud, QStringLiteral("ПСП"));
    EXPECT_EQ(decoded.info.sudname, QStringLiteral("Постоянное судебное присутствие"));
    EXPECT_EQ(decoded.info.error, QStringLiteral("OK"));

    // And after a reconnect, when it is gone again.
    database.execute(QStringLiteral("DELETE FROM judgement WHERE GUID = '{JP}'"));
    decoder.UniConnection1->disconnectFromDatabase();
    decoder.UniConnection1->connectToDatabase();
    EXPECT_NE(decodePasted(decoder, pasted).number, QStringLiteral("ПСП-12/2020"));
}

} // namespace
