#include "data/DatabaseLocation.h"
#include "data/DmUnit.h"
#include "support/ProgramFixture.h"
#include "support/QtPrinters.h"
#include "support/ScratchDatabase.h"
#include "support/Typing.h"
#include "ui/Unit2.h"
#include "ui/Unit6.h"
#include "widgets/SplitButton.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sqlite3.h>

namespace {

class MainWindowTest : public ProgramFixture
{
protected:
    template <typename T>
    T *control(const char *name) const
    {
        auto *found = Form6->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QLineEdit *edit1() const { return control<QLineEdit>("Edit1"); }
    QPlainTextEdit *memo1() const { return control<QPlainTextEdit>("Memo1"); }

    QStringList memoLines() const
    {
        const QString text = memo1()->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    }

    // Types the number into Edit1 as a user would and presses "Расшифровать".
    QStringList decode(const QString &number)
    {
        edit1()->clear();
        typeText(edit1(), number);
        QTest::mouseClick(control<QPushButton>("Button2"), Qt::LeftButton);
        return memoLines();
    }
};

TEST_F(MainWindowTest, StartsWithTheExampleAndDecodesItIntoThirteenLines)
{
    EXPECT_EQ(Form6->windowTitle(), QStringLiteral("Velmora"));
    EXPECT_EQ(edit1()->text(), QStringLiteral("А40-1234/08-101-503"));
    EXPECT_TRUE(memo1()->toPlainText().isEmpty());

    QTest::mouseClick(control<QPushButton>("Button2"), Qt::LeftButton);

    EXPECT_EQ(memoLines(), CourtsFixtureExampleLines);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(MainWindowTest, LatinCapitalAIsTheCourtLetterAndEdit1ShowsTheCorrection)
{
    EXPECT_EQ(decode(QStringLiteral("A40-1234/08-101-503")), CourtsFixtureExampleLines);
    EXPECT_EQ(edit1()->text(), QStringLiteral("А40-1234/08-101-503"));
}

TEST_F(MainWindowTest, EnterInTheNumberBoxDecodesAsTheButtonDoes)
{
    edit1()->clear();
    typeText(edit1(), QStringLiteral("A40-1234/08-101-503"));
    QTest::keyClick(edit1(), Qt::Key_Return);
    EXPECT_EQ(memoLines(), CourtsFixtureExampleLines);
    EXPECT_EQ(edit1()->text(), QStringLiteral("А40-1234/08-101-503"));
}

TEST_F(MainWindowTest, Edit1ShowsTheNumberTakenFromThePastedText)
{
    struct Case
    {
        QString typed;
        QString shown;
    };
    const QList<Case> cases{
        {QStringLiteral("A40-1234/08-101-503A"), QStringLiteral("А40-1234/08-101-503")},
        {QStringLiteral("г. Москва, дело № a40\u20111234/08-101-503 (судья Иванов)"), QStringLiteral("А40-1234/08-101-503")},
        // No number of a known shape: cleaned as typed, only the court code's first capital A made Cyrillic.
        {QStringLiteral("AA40-1234/08-101-503"), QStringLiteral("АA40-1234/08-101-503")},
        {QStringLiteral("a40-A"), QStringLiteral("a40-A")},
    };
    for (const Case &c : cases) {
        decode(c.typed);
        EXPECT_EQ(edit1()->text(), c.shown) << c.typed.toStdString();
    }
    EXPECT_EQ(decode(QStringLiteral("Дело № А40 - 1234/08-101-503.")), CourtsFixtureExampleLines);
}

TEST_F(MainWindowTest, AnOtherCourtNumberIsNamedAfterTheNotFoundLine)
{
    EXPECT_EQ(decode(QStringLiteral("Определение от 24 августа 2020 г. N 305-ЭС19-17553")),
              (QStringList{QStringLiteral("Информация не найдена, возможно ошибка ввода номера дела "),
                           QStringLiteral("Это номер дела Верховного Суда Российской Федерации, а не арбитражного суда.")}));
}

TEST_F(MainWindowTest, YearLineCompletesTwoDigitYearsOnly)
{
    struct Case
    {
        QString number;
        QString yearLine;
    };
    const QList<Case> cases{
        {QStringLiteral("А40-1234/08-101-503"), QStringLiteral("Год: 2008")},
        {QStringLiteral("А40-1234/2008-101-503"), QStringLiteral("Год: 2008")},
        {QStringLiteral("А40-1234/8-101-503"), QStringLiteral("Год: 8")},
        {QStringLiteral("А40-1234"), QStringLiteral("Год: ")},
        {QStringLiteral("А40-1234/97-101-503"), QStringLiteral("Год: 1997")},
    };
    for (const Case &c : cases) {
        const QStringList lines = decode(c.number);
        ASSERT_EQ(lines.size(), 13) << c.number.toStdString();
        EXPECT_EQ(lines.at(3), c.yearLine) << c.number.toStdString();
    }
}

TEST_F(MainWindowTest, EachDecodeReplacesTheWholeAnswer)
{
    decode(QStringLiteral("А40-1234/08-101-503"));
    const QStringList second = decode(QStringLiteral("А40-77/09-201-1"));

    ASSERT_EQ(second.size(), 13);
    EXPECT_EQ(second.at(0), QStringLiteral("Название суда: Арбитражный суд города Москвы"));
    EXPECT_EQ(second.at(2), QStringLiteral("Порядковый номер дела с начала года: 77"));
    EXPECT_EQ(second.at(4), QStringLiteral("Отделение: 201"));
    EXPECT_EQ(second.at(8), QStringLiteral("Номер состава: 2"));

    const QStringList notFound = decode(QStringLiteral("А99-1/08-101-5"));
    EXPECT_EQ(notFound, QStringList{QStringLiteral("Информация не найдена, возможно ошибка ввода номера дела ")});
}

TEST_F(MainWindowTest, OddInputNeverCrashesTheWindow)
{
    const QList<QString> inputs{
        QString(),
        QStringLiteral("-"),
        QStringLiteral("/-/-/-"),
        QStringLiteral("А40-'; drop table judgement; --"),
        QStringLiteral("А40-\"101\"-\"x\""),
        QString(5000, QLatin1Char('-')),
        QStringLiteral("😀-😀/😀-😀-😀"),
    };
    for (const QString &input : inputs) {
        edit1()->setText(input);
        QTest::mouseClick(control<QPushButton>("Button2"), Qt::LeftButton);
        EXPECT_FALSE(memo1()->toPlainText().isEmpty()) << input.left(40).toStdString();
    }
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(database.rows(QStringLiteral("select count(*) from judgement")), QStringList{QStringLiteral("2")});
}

TEST_F(MainWindowTest, DatabaseErrorReachesTheHandlerAndKeepsTheMemo)
{
    const QStringList before = decode(QStringLiteral("А40-1234/08-101-503"));
    database.execute(QStringLiteral("DROP TABLE separation"));

    decode(QStringLiteral("А40-1234/08-102-503"));

    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.at(0).text.contains(QStringLiteral("separation"))) << dialogs.errors.at(0).text.toStdString();
    EXPECT_TRUE(dialogs.errors.at(0).text.contains(database.path())) << dialogs.errors.at(0).text.toStdString();
    EXPECT_EQ(dialogs.errors.at(0).owner, QApplication::activeWindow());
    EXPECT_EQ(memoLines(), before);
    EXPECT_TRUE(Form6->isVisible());
}

TEST_F(MainWindowTest, AnchoredControlsFollowTheResizedWindow)
{
    EXPECT_EQ(Form6->size(), QSize(339, 308));
    Form6->resize(339 + 100, 308 + 50);
    QApplication::processEvents();

    struct Place
    {
        const char *name;
        QRect geometry;
    };
    const QList<Place> places{
        {"Label1", {8, 8, 271, 13}}, // left, top
        {"Edit1", {8, 27, 217 + 100, 21}}, // left, top, right
        {"Button2", {231 + 100, 25, 98, 25}}, // top, right
        {"Memo1", {8, 67, 321 + 100, 206 + 50}}, // all four
        {"Button1", {8, 279 + 50, 175, 25}}, // left, bottom
        {"Button3", {256 + 100, 279 + 50, 75, 25}}, // right, bottom
    };
    for (const Place &place : places)
        EXPECT_EQ(control<QWidget>(place.name)->geometry(), place.geometry) << place.name;
}

TEST_F(MainWindowTest, AboutBoxIsOwnedByTheMainWindowAndNamesTheDatabaseFile)
{
    auto *button1 = control<SplitButton>("Button1");
    ASSERT_NE(button1->menu(), nullptr);
    const QList<QAction *> items = button1->menu()->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items.at(1)->text(), QStringLiteral("О программе"));

    items.at(1)->trigger();

    ASSERT_EQ(dialogs.aboutBoxes.size(), 1);
    EXPECT_EQ(dialogs.aboutBoxes.at(0).owner, Form6);
    EXPECT_EQ(dialogs.aboutBoxes.at(0).caption, QStringLiteral("Velmora 1.0"));
    // The file in use, which may be beside the program or in the user's data folder.
    EXPECT_TRUE(dialogs.aboutBoxes.at(0).text.contains(database.path().toHtmlEscaped())) << dialogs.aboutBoxes.at(0).text.toStdString();
    EXPECT_FALSE(Form6->windowIcon().isNull());
}

TEST_F(MainWindowTest, StructureButtonShowsTheEditorAndOpensOnlyClosedDatasets)
{
    DM->UniQuery2->close();
    QSignalSpy courtsStates(DM->UniQuery1, &Dataset::stateChanged);

    QTest::mouseClick(control<SplitButton>("Button1"), Qt::LeftButton, {}, QPoint(20, 12));

    EXPECT_TRUE(Form2->isVisible());
    EXPECT_TRUE(DM->UniQuery2->isOpen());
    EXPECT_EQ(courtsStates.size(), 0) << "the open courts dataset was run again";

    Form2->hide();
    QTest::mouseClick(control<SplitButton>("Button1"), Qt::LeftButton, {}, QPoint(20, 12));
    EXPECT_TRUE(Form2->isVisible());
    EXPECT_EQ(courtsStates.size(), 0);
}

TEST_F(MainWindowTest, ExitEndsTheProgramEvenWithTheEditorOpen)
{
    Form6->Button1Click();
    ASSERT_TRUE(Form2->isVisible());

    // The program's own loop: "Выход" has to end it; otherwise the guard does, with another code.
    QTimer::singleShot(0, Form6, [this] { QTest::mouseClick(control<QPushButton>("Button3"), Qt::LeftButton); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
    const int exitCode = QCoreApplication::exec();

    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(Form6->isVisible());
}

// A folder under a regular file: the database can be neither found nor made,
// not even by root, and the missing folder cannot be made either.
class MissingDatabaseTest : public MainWindowTest
{
protected:
    MissingDatabaseTest() { setDatabasePath(database.path() + QStringLiteral("/missing/CaseNumber.db")); }
};

TEST_F(MissingDatabaseTest, StartUpReportsTheErrorsAndTheWindowStillOpens)
{
    // Making the database, DMDLL connecting on creation, the main window reconnecting.
    ASSERT_EQ(dialogs.errors.size(), 3);
    for (const auto &error : dialogs.errors)
        EXPECT_TRUE(error.text.contains(QStringLiteral("missing/CaseNumber.db"))) << error.text.toStdString();
    EXPECT_TRUE(dialogs.errors.front().text.contains(QStringLiteral("не создана"))) << dialogs.errors.front().text.toStdString();
    EXPECT_TRUE(Form6->isVisible());

    QTest::mouseClick(control<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_EQ(dialogs.errors.size(), 4);
    EXPECT_TRUE(memo1()->toPlainText().isEmpty());
}

// Another program holds the file locked while the program starts; the user
// closes it and goes on without a restart.
class LockedAtStartTest : public MainWindowTest
{
protected:
    LockedAtStartTest()
    {
        sqlite3_open(database.path().toUtf8().constData(), &m_otherProgram);
        // Exclusive: even reading the schema waits, and gives up after the busy timeout.
        m_locked = sqlite3_exec(m_otherProgram, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~LockedAtStartTest() override { closeOtherProgram(); }

    void closeOtherProgram()
    {
        sqlite3_close(m_otherProgram); // an open transaction is rolled back
        m_otherProgram = nullptr;
    }

    bool m_locked = false;

private:
    sqlite3 *m_otherProgram = nullptr;
};

TEST_F(LockedAtStartTest, DecodeAndEditorConnectAgainOnceTheFileIsFree)
{
    ASSERT_TRUE(m_locked);
    // DMDLL connecting on creation, the main window connecting DM.
    ASSERT_EQ(dialogs.errors.size(), 2);
    for (const auto &error : dialogs.errors)
        EXPECT_TRUE(error.text.contains(QStringLiteral("locked"))) << error.text.toStdString();
    closeOtherProgram();

    EXPECT_EQ(decode(QStringLiteral("А40-1234/08-101-503")), CourtsFixtureExampleLines);

    QTest::mouseClick(control<SplitButton>("Button1"), Qt::LeftButton, {}, QPoint(20, 12));
    ASSERT_TRUE(Form2->isVisible());
    EXPECT_EQ(DM->UniQuery1->rowCount(), 2);
    EXPECT_EQ(dialogs.errors.size(), 2);
}

// An empty folder, as on a new user's first start.
class FirstStartTest : public MainWindowTest
{
protected:
    FirstStartTest() { setDatabasePath(freshFolder.filePath(QStringLiteral("CaseNumber.db"))); }

    QTemporaryDir freshFolder;
};

TEST_F(FirstStartTest, MakesTheDatabaseAndDecodesEveryCourtAtOnce)
{
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(QDir(freshFolder.path()).entryList(QDir::Files), QStringList{QStringLiteral("CaseNumber.db")});
    QTest::mouseClick(control<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_EQ(memo1()->toPlainText().split(QLatin1Char('\n')).value(0), QStringLiteral("Название суда: Арбитражный суд города Москвы"));
}

} // namespace
