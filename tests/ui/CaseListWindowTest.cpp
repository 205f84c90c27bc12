#include "documents/CaseList.h"
#include "documents/DocumentReader.h"
#include "support/OfficeFiles.h"
#include "support/ProgramFixture.h"
#include "support/QtPrinters.h"
#include "support/Typing.h"
#include "ui/CaseListWindow.h"
#include "ui/Unit6.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

class CaseListWindowTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        QTest::keyClick(Form6, Qt::Key_L, Qt::ControlModifier);
        window = Form6->findChild<CaseListWindow *>();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        // Ctrl+V belongs to the active window; an earlier test may have left another one active.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    template <typename T>
    T *control(const char *name) const
    {
        auto *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void waitForTheReading() const
    {
        // Polled rather than waited for with a loop of its own: a test before
        // may have closed the main window, after which such loops end at once.
        QSignalSpy ended(window, &CaseListWindow::readingEnded);
        ASSERT_TRUE(window->isReading()) << "no reading started";
        ASSERT_TRUE(QTest::qWaitFor([&] { return !ended.isEmpty(); }, 20000)) << "the reading did not end";
    }

    // Column 0 (the number) and the last (the status) of every row as the table shows them.
    QStringList shownRows() const
    {
        const QAbstractItemModel *model = control<QTableView>("CaseTable")->model();
        QStringList rows;
        for (int row = 0; row < model->rowCount(); ++row)
            rows << model->index(row, CaseList::Number).data().toString() + QLatin1Char(' ')
                        + model->index(row, CaseList::Occurrences).data().toString() + QLatin1Char(' ')
                        + model->index(row, CaseList::Status).data().toString();
        return rows;
    }

    QString file(const char *name, const QByteArray &bytes) const
    {
        const QString path = folder.filePath(QString::fromUtf8(name));
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }

    CaseListWindow *window = nullptr;
    QTemporaryDir folder;
};

TEST_F(CaseListWindowTest, OpensFromTheSplitButtonsMenuAndCtrlL)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Список номеров дел"));
    EXPECT_FALSE(window->isModal());
    window->close();
    const QList<QAction *> items = Form6->PopupMenu1->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QStringLiteral("Расшифровать список…"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("О программе"));
    items[0]->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Form6->findChildren<CaseListWindow *>().size(), 1) << "the window is made once";
}

TEST_F(CaseListWindowTest, PastedTextGivesOneRowPerNumberThatSortsAndFilters)
{
    QApplication::clipboard()->setText(QStringLiteral(
        "По делу № А40-1234/08-101-503 и А41-2/2019.\nСнова А40\u20131234/08-101-503, а ещё А99-5/2020 и А40-1234/08-101-503"));
    QTest::keyClick(control<QTableView>("CaseTable"), Qt::Key_V, Qt::ControlModifier);
    ASSERT_NO_FATAL_FAILURE(waitForTheReading());
    EXPECT_EQ(shownRows(), (QStringList{QStringLiteral("А40-1234/08-101-503 3 найден"),
                                        QStringLiteral("А41-2/2019 1 найден"),
                                        QStringLiteral("А99-5/2020 1 суд не найден")}));
    EXPECT_EQ(control<QLabel>("SummaryLabel")->text(), QStringLiteral("Найдено номеров: 5, различных: 3."));

    control<QTableView>("CaseTable")->sortByColumn(CaseList::Occurrences, Qt::AscendingOrder);
    EXPECT_EQ(shownRows().last(), QStringLiteral("А40-1234/08-101-503 3 найден"));
    typeText(control<QLineEdit>("FilterEdit"), QStringLiteral("московской"));
    EXPECT_EQ(shownRows(), QStringList{QStringLiteral("А41-2/2019 1 найден")});
}

TEST_F(CaseListWindowTest, AFileThatFailsIsOneLineAndTheOthersAreRead)
{
    const QString first = file("first.txt", "А40-1/2019");
    const QString broken = file("broken.docx", "PK\x03\x04 cut short");
    const QString last = file("last.txt", "А41-2/2019");
    dialogs.chooseNextFiles({first, broken, last});
    QTest::mouseClick(control<QPushButton>("OpenButton"), Qt::LeftButton);
    ASSERT_NO_FATAL_FAILURE(waitForTheReading());
    EXPECT_EQ(shownRows(), (QStringList{QStringLiteral("А40-1/2019 1 найден"), QStringLiteral("А41-2/2019 1 найден")}));
    const QStringList problems = control<QPlainTextEdit>("ProblemList")->toPlainText().split(u'\n');
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].startsWith(QStringLiteral("broken.docx: "))) << problems[0].toStdString();
}

TEST_F(CaseListWindowTest, CopyAndSaveTheSelectedRowsOrAll)
{
    window->readText(QStringLiteral("А40-1/2019; А41-2/2019; А40-3/2019"));
    ASSERT_NO_FATAL_FAILURE(waitForTheReading());
    auto *table = control<QTableView>("CaseTable");

    QTest::mouseClick(control<QPushButton>("CopyButton"), Qt::LeftButton);
    QStringList copied = QApplication::clipboard()->text().split(u'\n');
    ASSERT_EQ(copied.size(), 5);
    EXPECT_EQ(copied[0], CaseList::header().join(u'\t'));
    EXPECT_TRUE(copied[3].startsWith(QStringLiteral("А40-3/2019\t1\tА40\tАрбитражный суд города Москвы\t3\t2019\t")));

    table->selectRow(1);
    QTest::mouseClick(control<QPushButton>("CopyButton"), Qt::LeftButton);
    copied = QApplication::clipboard()->text().split(u'\n');
    ASSERT_EQ(copied.size(), 3);
    EXPECT_TRUE(copied[1].startsWith(QStringLiteral("А41-2/2019\t")));

    // A name typed without an ending is saved as CSV.
    dialogs.chooseNextFiles({folder.filePath(QStringLiteral("выбранные"))});
    QTest::mouseClick(control<QPushButton>("SaveButton"), Qt::LeftButton);
    QFile csv(folder.filePath(QStringLiteral("выбранные.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n")).size(), 3);

    table->clearSelection();
    const QString xlsx = folder.filePath(QStringLiteral("все.xlsx"));
    dialogs.chooseNextFiles({xlsx});
    QTest::mouseClick(control<QPushButton>("SaveButton"), Qt::LeftButton);
    QStringList firstColumn;
    readDocument(xlsx, {[&](const TextPiece &piece) {
                            if (piece.place.contains(QRegularExpression(QStringLiteral("!A[0-9]+$"))))
                                firstColumn << piece.text;
                            return true;
                        },
                        {}});
    EXPECT_EQ(firstColumn, (QStringList{QStringLiteral("Номер дела"), QStringLiteral("А40-1/2019"),
                                        QStringLiteral("А41-2/2019"), QStringLiteral("А40-3/2019")}));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(CaseListWindowTest, CancelHalfwayLeavesAWindowThatReadsAgain)
{
    QString longText;
    for (int line = 1; line <= 200000; ++line)
        longText += QStringLiteral("Строка %1: дело А40-%1/2019 и дело А41-%1/2020\n").arg(line);
    window->readText(longText);
    EXPECT_TRUE(window->isReading());
    EXPECT_FALSE(control<QPushButton>("OpenButton")->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return control<QProgressBar>("Progress")->value() > 0; }, 20000))
        << "no progress shown";
    QTest::mouseClick(control<QPushButton>("CancelButton"), Qt::LeftButton);
    ASSERT_NO_FATAL_FAILURE(waitForTheReading());

    EXPECT_FALSE(window->isReading());
    EXPECT_TRUE(control<QLabel>("SummaryLabel")->text().startsWith(QStringLiteral("Чтение прервано.")));
    const qsizetype partRead = shownRows().size();
    EXPECT_GT(partRead, 0);
    EXPECT_LT(partRead, 400000);
    EXPECT_TRUE(control<QPushButton>("OpenButton")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("CancelButton")->isEnabled());

    window->readText(QStringLiteral("А41-7/2019"));
    ASSERT_NO_FATAL_FAILURE(waitForTheReading());
    EXPECT_EQ(shownRows(), QStringList{QStringLiteral("А41-7/2019 1 найден")});
}

} // namespace
