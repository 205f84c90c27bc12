#include "support/CommandRun.h"
#include "support/OfficeFiles.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ExtractCommandTest : public ::testing::Test
{
protected:
    CommandRun extract(const QStringList &arguments, const QByteArray &input = {})
    {
        QProcess process;
        // Qt's own default wait.
        return runCommand(process, QStringLiteral(VELMORA_DECODE_PATH),
                          QStringList{QStringLiteral("--db"), database.path(), QStringLiteral("--extract")} + arguments, input, 30000);
    }

    QString file(const char *name, const QByteArray &bytes) const
    {
        const QString path = folder.filePath(QString::fromUtf8(name));
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }

    // The columns of a TSV answer a test looks at: file, place, input, number, full year.
    static QStringList placesAndNumbers(const CommandRun &run)
    {
        QStringList rows;
        const QStringList header = run.out.value(0).split(u'\t');
        for (const QString &line : run.out.mid(1)) {
            const QStringList cells = line.split(u'\t');
            QStringList picked;
            for (const char *name : {"file", "place", "input", "number", "full_year"})
                picked << cells.value(header.indexOf(QString::fromLatin1(name)));
            rows << picked.join(QStringLiteral(" | "));
        }
        return rows;
    }

    ScratchDatabase database{QString::fromUtf8(CourtsFixtureSql)};
    QTemporaryDir folder;
};

TEST_F(ExtractCommandTest, EveryNumberOfEveryFileInOrderWithItsPlace)
{
    const QString text =
        file("письмо.txt", QStringEncoder("windows-1251")(QStringLiteral("Дела А40-1/2019 и А41\u20132/20.\r\nЕщё раз А40-1/2019")));
    const QString docx = folder.filePath(QStringLiteral("акт.docx"));
    OfficeFiles::writeDocx(docx, {QStringLiteral("Без номеров."), QStringLiteral("Постановление по делу № А40-7/2008-201-9")});

    const CommandRun run = extract({QStringLiteral("--format=tsv"), text, docx});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.value(0).startsWith(QStringLiteral("file\tplace\tinput\t")));
    EXPECT_EQ(placesAndNumbers(run),
              (QStringList{
                  text + QStringLiteral(" | строка 1 | А40-1/2019 | А40-1/2019 | 2019"),
                  text + QStringLiteral(" | строка 1 | А41\u20132/20 | А41-2/20 | 2020"),
                  text + QStringLiteral(" | строка 2 | А40-1/2019 | А40-1/2019 | 2019"),
                  docx + QStringLiteral(" | абзац 2 | А40-7/2008-201-9 | А40-7/2008-201-9 | 2008"),
              }));
}

TEST_F(ExtractCommandTest, StandardInputAsJsonAndTheExitStatusOfAnUnknownCourt)
{
    const CommandRun run = extract({QStringLiteral("--format"), QStringLiteral("json")},
                                   QStringLiteral("А40-1/2019, А99-3/2019\nничего\n2-521/2023").toUtf8());
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.out.size(), 3) << run.out.join(u'\n').toStdString();
    const QJsonObject unknown = QJsonDocument::fromJson(run.out[1].toUtf8()).object();
    EXPECT_EQ(unknown.value(QStringLiteral("file")).toString(), QStringLiteral("-"));
    EXPECT_EQ(unknown.value(QStringLiteral("place")).toString(), QStringLiteral("строка 1"));
    EXPECT_EQ(unknown.value(QStringLiteral("codsud")).toString(), QStringLiteral("А99"));
    EXPECT_EQ(unknown.value(QStringLiteral("error")).toString(), QStringLiteral("NO Found !!!"));
    const QJsonObject general = QJsonDocument::fromJson(run.out[2].toUtf8()).object();
    EXPECT_EQ(general.value(QStringLiteral("place")).toString(), QStringLiteral("строка 3"));
    EXPECT_TRUE(general.value(QStringLiteral("explanation")).toString().contains(QStringLiteral("общей юрисдикции")));
}

TEST_F(ExtractCommandTest, AFileThatFailsIsReportedAndTheOthersAreStillRead)
{
    const QString first = file("first.txt", "А40-1/2019");
    const QString broken = file("broken.docx", "PK\x03\x04 cut short");
    const QString last = file("last.txt", "А41-2/2019");
    const CommandRun run = extract({QStringLiteral("--format=tsv"), first, broken, last});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out.size(), 3);
    EXPECT_TRUE(run.out.value(2).startsWith(last)) << run.out.value(2).toStdString();
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("velmora-decode: ") + broken + QStringLiteral(": "))) << run.err.toStdString();
    EXPECT_EQ(run.err.count(u'\n'), 1);
}

TEST_F(ExtractCommandTest, TextIsTheWindowsLinesForEachNumber)
{
    const CommandRun run = extract({}, "А40-1234/08-101-503 и А41-5/2019");
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.out.size(), 27);
    EXPECT_EQ(run.out[0], QStringLiteral("Название суда: Арбитражный суд города Москвы"));
    EXPECT_EQ(run.out[13], QString());
    EXPECT_EQ(run.out[14], QStringLiteral("Название суда: Арбитражный суд Московской области"));
}

} // namespace
