#include "support/CommandRun.h"
#include "support/PostgresTestServer.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"
#include "support/TestReference.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

// The reference database as a user would make it by hand: the sqlite3 shell.
class DecodeCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QProcess shell;
        shell.start(QStringLiteral("sqlite3"), {databasePath});
        ASSERT_TRUE(shell.waitForStarted());
        shell.write(QByteArray(CourtsFixtureSql) + "UPDATE structures SET StructureType = 'с\ttабуляцией' WHERE GUID = '{S2}';");
        shell.closeWriteChannel();
        ASSERT_TRUE(shell.waitForFinished());
        ASSERT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    }

    CommandRun decode(const QStringList &arguments, const QByteArray &input = {})
    {
        QProcess process;
        return decode(process, arguments, input);
    }

    // The process is the caller's, to send the output elsewhere or start elsewhere.
    CommandRun decode(QProcess &process, const QStringList &arguments, const QByteArray &input = {})
    {
        process.setProcessEnvironment(environment);
        return runCommand(process, program, arguments, input, 10000);
    }

    QTemporaryDir folder;
    QString databasePath = folder.filePath(QStringLiteral("reference.db"));
    QString program = QStringLiteral(VELMORA_DECODE_PATH);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

TEST_F(DecodeCommandTest, TextIsWhatTheWindowShowsWithOneBlankLineBetweenNumbers)
{
    const CommandRun run =
        decode({QStringLiteral("--db"), databasePath, QStringLiteral("A40-1234/08-101-503"), QStringLiteral("Дело № А40\u20131/97-999-2")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_EQ(run.out.size(), 27);
    EXPECT_EQ(run.out[0], QStringLiteral("Название суда: Арбитражный суд города Москвы"));
    EXPECT_EQ(run.out[6], QStringLiteral("Телефон отделения: 495-111-11-11"));
    EXPECT_EQ(run.out[12], QStringLiteral("Этаж: 5"));
    EXPECT_EQ(run.out[13], QString());
    EXPECT_EQ(run.out[14], QStringLiteral("Название суда: Арбитражный суд города Москвы"));
    EXPECT_EQ(run.out[16], QStringLiteral("Порядковый номер дела с начала года: 1"));
    EXPECT_EQ(run.out[17], QStringLiteral("Год: 1997"));
    EXPECT_EQ(run.out[18], QStringLiteral("Отделение: "));
    EXPECT_EQ(run.out[20], QStringLiteral("Телефон отделения: "));
}

TEST_F(DecodeCommandTest, UnknownCourtGivesTheNotFoundLineAndExitOne)
{
    const CommandRun run = decode({QStringLiteral("--db=") + databasePath, QStringLiteral("А40-1/08"), QStringLiteral("А99-1/08-101-1")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.mid(13), (QStringList{QString(), QStringLiteral("Информация не найдена, возможно ошибка ввода номера дела ")}));
}

TEST_F(DecodeCommandTest, ReadsStandardInputSkippingBlankLines)
{
    const CommandRun run = decode({QStringLiteral("--db"), databasePath, QStringLiteral("--format"), QStringLiteral("tsv")},
                                  "А40-1/08-102-1\r\n\n   \nА41-2/2019\n");
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_EQ(run.out.size(), 3);
    EXPECT_EQ(run.out[0],
              QStringLiteral("input\tsnum\tstype\tsfaxnum\tsudname\tjobnum\tyear\tjobnum_in_struct\tcodsud\t"
                             "sepnum\terror\totdelphone\tvnphone\tzal\tfloor\totdphone\tnumber\tfull_year\texplanation"));
    EXPECT_EQ(run.out[1].split(QLatin1Char('\t')).size(), 19);
    EXPECT_TRUE(run.out[1].startsWith(QStringLiteral("А40-1/08-102-1\t1\tгражданский\t"))) << run.out[1].toStdString();
    EXPECT_TRUE(run.out[2].contains(QStringLiteral("\tАрбитражный суд Московской области\t2\t2019\t\tА41\t\tOK\t")));
}

TEST_F(DecodeCommandTest, TsvKeepsOneRowPerNumberWhateverTheValuesHold)
{
    const CommandRun run =
        decode({QStringLiteral("--db"), databasePath, QStringLiteral("--format"), QStringLiteral("tsv"), QStringLiteral("А40-1/08-201-1")});
    ASSERT_EQ(run.out.size(), 2);
    EXPECT_EQ(run.out[1].split(QLatin1Char('\t')).value(2), QStringLiteral("с tабуляцией"));
}

TEST_F(DecodeCommandTest, JsonGivesOneObjectPerLineWithEveryField)
{
    const CommandRun run = decode({QStringLiteral("--db"), databasePath, QStringLiteral("--format"), QStringLiteral("json"),
                                   QStringLiteral("А40-1234/08-101-503"), QStringLiteral("1234")});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.out.size(), 2);
    const QJsonObject found = QJsonDocument::fromJson(run.out[0].toUtf8()).object();
    EXPECT_EQ(found.size(), 19);
    EXPECT_EQ(found.value(QStringLiteral("input")).toString(), QStringLiteral("А40-1234/08-101-503"));
    EXPECT_EQ(found.value(QStringLiteral("zal")).toString(), QStringLiteral("5017"));
    EXPECT_EQ(found.value(QStringLiteral("error")).toString(), QStringLiteral("OK"));
    const QJsonObject missing = QJsonDocument::fromJson(run.out[1].toUtf8()).object();
    EXPECT_EQ(missing.value(QStringLiteral("error")).toString(), QStringLiteral("NO Found !!!"));
    EXPECT_EQ(missing.value(QStringLiteral("jobnum")).toString(), QStringLiteral("1234"));
}

TEST_F(DecodeCommandTest, EachLineDecodesItsFirstNumberAndSaysWhoseAnOtherCourtNumberIs)
{
    const CommandRun run = decode({QStringLiteral("--db"), databasePath, QStringLiteral("--format"), QStringLiteral("tsv")},
                                  "Постановление № А41-77866/19 от 13.12.2021, А40-1/2020\n"
                                  "от 24 августа 2020 г. N 305-ЭС19-17553\n");
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.out.size(), 3);
    const QStringList header = run.out[0].split(QLatin1Char('\t'));
    const QStringList found = run.out[1].split(QLatin1Char('\t'));
    const QStringList other = run.out[2].split(QLatin1Char('\t'));
    const auto cell = [&](const QStringList &row, const char *name) { return row.value(header.indexOf(QLatin1String(name))); };
    EXPECT_EQ(cell(found, "input"), QStringLiteral("Постановление № А41-77866/19 от 13.12.2021, А40-1/2020"));
    EXPECT_EQ(cell(found, "number"), QStringLiteral("А41-77866/19"));
    EXPECT_EQ(cell(found, "year"), QStringLiteral("19"));
    EXPECT_EQ(cell(found, "full_year"), QStringLiteral("2019"));
    EXPECT_EQ(cell(found, "sudname"), QStringLiteral("Арбитражный суд Московской области"));
    EXPECT_EQ(cell(found, "explanation"), QString());
    EXPECT_EQ(cell(other, "error"), QStringLiteral("NO Found !!!"));
    EXPECT_EQ(cell(other, "explanation"), QStringLiteral("Это номер дела Верховного Суда Российской Федерации, а не арбитражного суда."));

    const CommandRun text = decode({QStringLiteral("--db"), databasePath, QStringLiteral("2-521/2023")});
    EXPECT_EQ(text.out,
              (QStringList{QStringLiteral("Информация не найдена, возможно ошибка ввода номера дела "),
                           QStringLiteral("Это номер дела суда общей юрисдикции, а не арбитражного суда.")}));
}

TEST_F(DecodeCommandTest, UsageAndDatabaseErrorsExitTwoWithOneLineNamingTheProblem)
{
    const QString missing = folder.filePath(QStringLiteral("missing.db"));
    const struct
    {
        QStringList arguments;
        QString mentioned;
    } cases[] = {
        {{QStringLiteral("--db"), missing, QStringLiteral("А40-1")}, missing},
        {{QStringLiteral("--db"), databasePath, QStringLiteral("--format"), QStringLiteral("xml"), QStringLiteral("А40-1")},
         QStringLiteral("xml")},
        {{QStringLiteral("--db"), databasePath, QStringLiteral("--colour")}, QStringLiteral("--colour")},
        {{QStringLiteral("--db")}, QStringLiteral("--db")},
    };
    for (const auto &c : cases) {
        const CommandRun run = decode(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.mentioned.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.mentioned)) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(missing)) << "the decoder must never create a database";
}

// A copy of the command in a folder of its own, with a data folder of its own,
// shows where it looks without --db.
TEST_F(DecodeCommandTest, WithoutDbReadsTheFileBesideItselfAndNeverCreatesOne)
{
    QTemporaryDir portable;
    ASSERT_TRUE(portable.isValid());
    program = portable.filePath(QStringLiteral("velmora-decode"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_DECODE_PATH), program));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath(QStringLiteral("data")));
    const QString besideCommand = portable.filePath(QStringLiteral("CaseNumber.db"));

    const CommandRun missing = decode({QStringLiteral("А40-1234/08-101-503")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains(besideCommand)) << missing.err.toStdString();
    EXPECT_EQ(QDir(portable.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("velmora-decode")});
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("data"))));

    ASSERT_TRUE(QFile::copy(databasePath, besideCommand));
    const CommandRun found = decode({QStringLiteral("А40-1234/08-101-503")});
    EXPECT_EQ(found.exitCode, 0) << found.err.toStdString();
    EXPECT_EQ(found.out.value(0), QStringLiteral("Название суда: Арбитражный суд города Москвы"));
}

TEST_F(DecodeCommandTest, BrokenDatabaseStopsWithExitTwo)
{
    ScratchDatabase courtsOnly(QStringLiteral("CREATE TABLE judgement (GUID, JudgementCode, JudgementName)"));
    const CommandRun run = decode({QStringLiteral("--db"), courtsOnly.path(), QStringLiteral("А40-1/08-101-1")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(courtsOnly.path()));
    EXPECT_TRUE(run.err.contains(QStringLiteral("no such table"))) << run.err.toStdString();
}

TEST_F(DecodeCommandTest, NumbersAfterDoubleDashMayBeginWithADash)
{
    const CommandRun run = decode({QStringLiteral("--db"), databasePath, QStringLiteral("--format"), QStringLiteral("tsv"),
                                   QStringLiteral("--"), QStringLiteral("-1234/08")});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.out.size(), 2);
    EXPECT_TRUE(run.out[1].startsWith(QStringLiteral("-1234/08\t")));
}

TEST_F(DecodeCommandTest, AnswersEachLineBeforeTheNextArrives)
{
    QProcess process;
    process.start(program, {QStringLiteral("--db"), databasePath, QStringLiteral("--format"), QStringLiteral("json")});
    ASSERT_TRUE(process.waitForStarted());
    // A script that writes a number and waits for its answer before the next.
    for (const QString &number : {QStringLiteral("А40-1/08-101-1"), QStringLiteral("А41-2/08")}) {
        process.write(number.toUtf8() + '\n');
        QByteArray answer;
        while (!answer.endsWith('\n') && process.waitForReadyRead(5000))
            answer += process.readAllStandardOutput();
        const QJsonObject object = QJsonDocument::fromJson(answer).object();
        EXPECT_EQ(object.value(QStringLiteral("input")).toString(), number) << answer.toStdString();
        EXPECT_EQ(object.value(QStringLiteral("error")).toString(), QStringLiteral("OK"));
    }
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
}

// Output cut short must never look like success to the script that runs us.
TEST_F(DecodeCommandTest, OutputThatCannotBeWrittenIsAnErrorWithExitTwo)
{
    const QStringList numbers{QStringLiteral("--db"), databasePath, QStringLiteral("А40-1234/08-101-503")};
    {
        SCOPED_TRACE("full device");
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        const CommandRun run = decode(process, numbers);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QString::fromLocal8Bit(std::strerror(ENOSPC)))) << run.err.toStdString();
    }
    {
        SCOPED_TRACE("standard output closed");
        QProcess process;
        process.setProgram(QStringLiteral("sh"));
        process.setArguments(QStringList{QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$@\" >&-"), program} + numbers);
        process.start();
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitCode(), 2);
        EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError()).contains(QStringLiteral("стандартный вывод")));
    }
}

TEST_F(DecodeCommandTest, InputThatCannotBeReadIsAnErrorWithExitTwo)
{
    QProcess shell;
    shell.start(QStringLiteral("sh"),
                {QStringLiteral("-c"), QStringLiteral("exec \"$0\" --db \"$1\" < \"$2\""), program, databasePath, folder.path()});
    ASSERT_TRUE(shell.waitForFinished(10000));
    EXPECT_EQ(shell.exitCode(), 2);
    const QString err = QString::fromUtf8(shell.readAllStandardError());
    EXPECT_TRUE(err.contains(QStringLiteral("стандартный ввод не прочитан"))) << err.toStdString();
}

// `| head` closes the pipe once it has enough: the decoder stops without a
// word, whether the signal ends it or, with the signal ignored, the failed write.
TEST_F(DecodeCommandTest, ReaderThatClosesThePipeEndsItQuietly)
{
    QByteArray numbers;
    for (int i = 0; i < 20000; ++i)
        numbers += "А40-1234/08-101-503\n";
    for (const QString &signalSetting : {QString(), QStringLiteral("trap '' PIPE; ")}) {
        SCOPED_TRACE(signalSetting.toStdString());
        QProcess shell;
        shell.start(QStringLiteral("sh"),
                    {QStringLiteral("-c"), signalSetting + QStringLiteral("\"$0\" --db \"$1\" 2>\"$2\" | head -n 2"), program, databasePath,
                     folder.filePath(QStringLiteral("err"))});
        ASSERT_TRUE(shell.waitForStarted());
        shell.write(numbers);
        shell.closeWriteChannel();
        ASSERT_TRUE(shell.waitForFinished(20000));
        EXPECT_EQ(shell.readAllStandardOutput().count('\n'), 2);
        QFile err(folder.filePath(QStringLiteral("err")));
        ASSERT_TRUE(err.open(QIODevice::ReadOnly));
        EXPECT_EQ(err.readAll(), QByteArray());
    }
}

// Debian's SQLite takes a name beginning with "file:" for a URI; here it is a file name.
TEST_F(DecodeCommandTest, DatabaseNamedLikeAUriIsThatFile)
{
    ASSERT_TRUE(QFile::copy(databasePath, folder.filePath(QStringLiteral("file:courts.db"))));
    QFile decoy(folder.filePath(QStringLiteral("courts.db")));
    ASSERT_TRUE(decoy.open(QIODevice::WriteOnly));
    decoy.write(QByteArray(4096, 'x'));
    decoy.close();

    QProcess process;
    process.setWorkingDirectory(folder.path());
    const CommandRun run =
        decode(process, {QStringLiteral("--db"), QStringLiteral("file:courts.db"), QStringLiteral("А40-1234/08-101-503")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.value(6), QStringLiteral("Телефон отделения: 495-111-11-11"));

    const CommandRun options = decode(process, {QStringLiteral("--db"), QStringLiteral("file:made.db?mode=rwc"), QStringLiteral("А40-1")});
    EXPECT_EQ(options.exitCode, 2);
    EXPECT_TRUE(options.err.contains(QStringLiteral("не найдена"))) << options.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("made.db"))));
}

TEST_F(DecodeCommandTest, FifoGivenAsTheDatabaseFailsAtOnce)
{
    const QString fifo = folder.filePath(QStringLiteral("fifo.db"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const CommandRun run = decode({QStringLiteral("--db"), fifo, QStringLiteral("А40-1")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(fifo)) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("не обычный файл"))) << run.err.toStdString();
}

TEST_F(DecodeCommandTest, HelpTellsWhereTheDefaultDatabaseComesFrom)
{
    const CommandRun run = decode({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    const QString help = run.out.join(QLatin1Char('\n'));
    for (const char *word : {"--db", "--format", "tsv", "json", "CaseNumber.db", "при первом запуске"})
        EXPECT_TRUE(help.contains(QString::fromUtf8(word))) << word;
}

// The same answers from the server as from the file; a server that is not
// there is a database error naming the location, without its password.
TEST_F(DecodeCommandTest, ServerLocationDecodesLikeTheFileAndAMissingOneExitsTwo)
{
    const TestReference server(TestReference::Engine::Server,
                               QString::fromUtf8(CourtsFixtureSql)
                                   + QStringLiteral("UPDATE structures SET StructureType = 'с\ttабуляцией' WHERE GUID = '{S2}';"));
    const QStringList numbers = {QStringLiteral("--format"),       QStringLiteral("tsv"),      QStringLiteral("А40-1234/08-101-503"),
                                 QStringLiteral("А40-1/08-201-1"), QStringLiteral("А41-1/08"), QStringLiteral("А99-1/08")};
    const CommandRun fromFile = decode(QStringList{QStringLiteral("--db"), databasePath} + numbers);
    const CommandRun fromServer = decode(QStringList{QStringLiteral("--db"), server.location()} + numbers);
    EXPECT_EQ(fromServer.exitCode, 1) << fromServer.err.toStdString();
    EXPECT_EQ(fromServer.out, fromFile.out);
    EXPECT_EQ(fromServer.out.size(), 5);

    const QString missing =
        QStringLiteral("postgresql://velmora:s3cret@/no_such_database?host=%1").arg(PostgresTestServer::instance().socketFolder());
    const CommandRun failed = decode({QStringLiteral("--db"), missing, QStringLiteral("А40-1/08")});
    EXPECT_EQ(failed.exitCode, 2);
    EXPECT_TRUE(failed.err.contains(QStringLiteral("no_such_database"))) << failed.err.toStdString();
    EXPECT_FALSE(failed.err.contains(QStringLiteral("s3cret")));
}

} // namespace
