// The court structure editor and the main window over a reference on the
// test's own PostgreSQL server, as a clerk and a reader use them.

#include "data/Dataset.h"
#include "data/DmUnit.h"
#include "decoder/DmDLLUnit.h"
#include "support/EditorFixture.h"
#include "support/PostgresTestServer.h"
#include "support/QtPrinters.h"
#include "support/TestReference.h"
#include "support/Typing.h"
#include "ui/Unit2.h"
#include "ui/Unit6.h"
#include "widgets/DataEdit.h"
#include "widgets/DataGrid.h"
#include "widgets/ModalForm.h"

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

class ServerEditorTest : public EditorFixture
{
protected:
    // As the clerk (the server's owner) or as a reader that may only select;
    // roles belong to the whole server, so each database has its own reader.
    explicit ServerEditorTest(bool asReader = false)
    {
        const QString database = reference.location().section(QLatin1Char('/'), 3).section(QLatin1Char('?'), 0, 0);
        const QString reader = QStringLiteral("reader_") + database;
        reference.execute(QStringLiteral("CREATE ROLE %1 LOGIN; GRANT SELECT ON judgement, structures, separation TO %1").arg(reader));
        setDatabasePath(PostgresTestServer::instance().uri(database, asReader ? reader : QStringLiteral("velmora")));
    }

    // Scripts the next dialog: types into its boxes, then saves.
    void saveNextDialog(const QList<std::pair<const char *, QString>> &texts)
    {
        dialogs.actOnNextDialog([texts](QDialog &dialog) {
            for (const auto &[name, text] : texts) {
                auto *edit = dialog.findChild<DataEdit *>(QString::fromLatin1(name));
                edit->selectAll();
                typeText(edit, text);
            }
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
        });
    }

    QString decodeInTheMainWindow(const QString &number)
    {
        Form6->Edit1->setText(number);
        Form6->Button2Click();
        return Form6->Memo1->toPlainText();
    }

    TestReference reference{TestReference::Engine::Server, QString::fromUtf8(CourtsFixtureSql)};
};

TEST_F(ServerEditorTest, ClerkAddsChangesAndDeletesAndTheMainWindowDecodesWhatTheServerHolds)
{
    saveNextDialog({{"DBEdit1", QStringLiteral("А50")}, {"DBEdit2", QStringLiteral("Арбитражный суд Пермского края")}});
    click(Form2->Button1);
    EXPECT_EQ(reference.rows(QStringLiteral("select JudgementName from judgement where JudgementCode = 'А50'")),
              QStringList{QStringLiteral("Арбитражный суд Пермского края")});
    EXPECT_TRUE(gridColumn(Form2->DBGrid1, 0).contains(QStringLiteral("А50")));

    // A division added under composition 1 of А40 decodes at once.
    clickRow(Form2->DBGrid1, int(gridColumn(Form2->DBGrid1, 0).indexOf(QStringLiteral("А40"))));
    clickRow(Form2->DBGrid2, 0);
    saveNextDialog({{"DBEdit1", QStringLiteral("105")}, {"DBEdit2", QStringLiteral("495-555-55-55")}});
    click(Form2->Button7);
    EXPECT_EQ(reference.rows(QStringLiteral("select Phone from separation where SeparationName = '105'")),
              QStringList{QStringLiteral("495-555-55-55")});
    EXPECT_TRUE(decodeInTheMainWindow(QStringLiteral("А40-1234/08-105-1")).contains(QStringLiteral("495-555-55-55")));

    clickRow(Form2->DBGrid1, int(gridColumn(Form2->DBGrid1, 0).indexOf(QStringLiteral("А50"))));
    dialogs.answerNextQuestion(true);
    click(Form2->Button2);
    EXPECT_EQ(reference.rows(QStringLiteral("select count(*) from judgement where JudgementCode = 'А50'")),
              QStringList{QStringLiteral("0")});
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.value(0).text.toStdString();
}

TEST_F(ServerEditorTest, SecondClerksChangeToTheSameCourtIsRefusedAndTheGridShowsTheFirst)
{
    clickRow(Form2->DBGrid1, 0);
    dialogs.actOnNextDialog([this](QDialog &dialog) {
        reference.execute(QStringLiteral("UPDATE judgement SET JudgementName = 'Имя первого клерка' WHERE GUID = '{J40}'"));
        auto *name = dialog.findChild<DataEdit *>(QStringLiteral("DBEdit2"));
        name->selectAll();
        typeText(name, QStringLiteral("Имя второго клерка"));
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    click(Form2->Button3);

    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors.at(0).text,
              QStringLiteral("Запись изменена или удалена другой программой. Изменение не сохранено, таблица показана заново."));
    EXPECT_EQ(reference.rows(QStringLiteral("select JudgementName from judgement where GUID = '{J40}'")),
              QStringList{QStringLiteral("Имя первого клерка")});
    EXPECT_TRUE(gridColumn(Form2->DBGrid1, 1).contains(QStringLiteral("Имя первого клерка")));
}

TEST_F(ServerEditorTest, StoppedServerIsAMessageAndTheNextActionReconnects)
{
    PostgresTestServer::instance().stop();
    clickRow(Form2->DBGrid1, 0);
    dialogs.answerNextQuestion(true);
    click(Form2->Button2);
    // The click on the row and the delete each meet the stopped server.
    EXPECT_FALSE(dialogs.errors.isEmpty());
    for (const auto &error : dialogs.errors)
        EXPECT_TRUE(error.text.contains(QStringLiteral("velmora-pg"))) << "names the server: " << error.text.toStdString();
    PostgresTestServer::instance().start();
    dialogs.errors.clear();

    saveNextDialog({{"DBEdit1", QStringLiteral("А51")}, {"DBEdit2", QStringLiteral("суд после перезапуска")}});
    click(Form2->Button1);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.value(0).text.toStdString();
    EXPECT_EQ(reference.rows(QStringLiteral("select JudgementName from judgement where JudgementCode = 'А51'")),
              QStringList{QStringLiteral("суд после перезапуска")});
    EXPECT_EQ(reference.rows(QStringLiteral("select count(*) from judgement")), QStringList{QStringLiteral("3")})
        << "the delete tried while the server was down wrote nothing";
    EXPECT_TRUE(decodeInTheMainWindow(QStringLiteral("А40-1234/08-101-1")).contains(QStringLiteral("495-111-11-11")));
}

// An add that meets the stopped server, either as it starts (a new court
// needs the courts read first, so no dialog opens) or when its dialog saves;
// once the server is back the same add opens its dialog and writes, and the
// failed one left nothing.
struct FailedAdd
{
    const char *name;
    bool stopWhileDialogIsOpen;
    QPushButton *TForm2::*button;
    QList<std::pair<const char *, QString>> texts;
    const char *table;
    // Counts the rows that hold what the script typed.
    const char *newRow;
};

void PrintTo(const FailedAdd &add, std::ostream *out)
{
    *out << add.name;
}

class ServerEditorFailedAddTest : public ServerEditorTest, public ::testing::WithParamInterface<FailedAdd>
{
};

TEST_P(ServerEditorFailedAddTest, TheSameAddWorksOnceTheServerIsBack)
{
    const FailedAdd &add = GetParam();
    clickRow(Form2->DBGrid1, int(gridColumn(Form2->DBGrid1, 0).indexOf(QStringLiteral("А40"))));
    clickRow(Form2->DBGrid2, 0);
    const QString count = QStringLiteral("select count(*) from %1").arg(QString::fromLatin1(add.table));
    const QStringList before = reference.rows(count);

    if (add.stopWhileDialogIsOpen) {
        dialogs.actOnNextDialog([&add](QDialog &dialog) {
            PostgresTestServer::instance().stop();
            for (const auto &[name, text] : add.texts)
                typeText(dialog.findChild<DataEdit *>(QString::fromLatin1(name)), text);
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
        });
    } else {
        PostgresTestServer::instance().stop();
    }
    click(Form2->*add.button);
    ASSERT_FALSE(dialogs.errors.isEmpty()) << "the failed add is shown";
    for (const auto &error : dialogs.errors)
        EXPECT_TRUE(error.text.contains(QStringLiteral("velmora-pg"))) << error.text.toStdString();
    const qsizetype dialogsBefore = dialogs.dialogResults.size();
    EXPECT_TRUE((Form2->*add.button)->isEnabled()) << "the grids still show the row to add under";

    PostgresTestServer::instance().start();
    dialogs.errors.clear();
    saveNextDialog(add.texts);
    click(Form2->*add.button);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.value(0).text.toStdString();
    EXPECT_EQ(dialogs.dialogResults.mid(dialogsBefore), QList<int>{ModalForm::mrOk}) << "the dialog opened and saved";
    EXPECT_EQ(reference.rows(count).value(0).toInt(), before.value(0).toInt() + 1) << "one row added, none by the failed add";
    EXPECT_EQ(reference.rows(QString::fromUtf8(add.newRow)), QStringList{QStringLiteral("1")});
    for (Dataset *dataset : {DM->UniQuery1, DM->UniQuery2, DM->UniQuery3, DMDLL->UniQuery1})
        EXPECT_EQ(dataset->state(), Dataset::State::Browsing) << dataset->statement().toStdString();
}

const QList<std::pair<const char *, QString>> NewCourt{{"DBEdit1", QStringLiteral("А51")},
                                                       {"DBEdit2", QStringLiteral("суд после перезапуска")}};
const QList<std::pair<const char *, QString>> NewComposition{{"DBEdit1", QStringLiteral("уголовный")}, {"DBEdit2", QStringLiteral("7")}};
const QList<std::pair<const char *, QString>> NewDivision{{"DBEdit1", QStringLiteral("107")}, {"DBEdit2", QStringLiteral("495-777-77-77")}};

INSTANTIATE_TEST_SUITE_P(
    Adds, ServerEditorFailedAddTest,
    ::testing::Values(FailedAdd{"CourtWithTheServerStopped", false, &TForm2::Button1, NewCourt, "judgement",
                                "select count(*) from judgement where JudgementCode = 'А51' and JudgementName = 'суд после перезапуска'"},
                      FailedAdd{"CourtStoppedWhileItsDialogIsOpen", true, &TForm2::Button1, NewCourt, "judgement",
                                "select count(*) from judgement where JudgementCode = 'А51' and JudgementName = 'суд после перезапуска'"},
                      FailedAdd{"CompositionStoppedWhileItsDialogIsOpen", true, &TForm2::Button4, NewComposition, "structures",
                                "select count(*) from structures where StructureType = 'уголовный' and ref_Judgement = '{J40}'"},
                      FailedAdd{"DivisionStoppedWhileItsDialogIsOpen", true, &TForm2::Button7, NewDivision, "separation",
                                "select count(*) from separation where SeparationName = '107' and ref_structures = '{S1}'"}),
    [](const ::testing::TestParamInfo<FailedAdd> &info) { return std::string(info.param.name); });

class ReaderEditorTest : public ServerEditorTest
{
protected:
    ReaderEditorTest()
        : ServerEditorTest(true)
    {
    }
};

TEST_F(ReaderEditorTest, ReaderGetsTheNoRightsMessageAndDecodingGoesOn)
{
    saveNextDialog({{"DBEdit1", QStringLiteral("А50")}, {"DBEdit2", QStringLiteral("суд")}});
    click(Form2->Button1);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.at(0).text.contains(QStringLiteral("нет прав на изменение справочника")))
        << dialogs.errors.at(0).text.toStdString();
    EXPECT_EQ(reference.rows(QStringLiteral("select count(*) from judgement")), QStringList{QStringLiteral("2")});
    EXPECT_EQ(gridColumn(Form2->DBGrid1, 0), (QStringList{QStringLiteral("А40"), QStringLiteral("А41")}));
    EXPECT_TRUE(decodeInTheMainWindow(QStringLiteral("А40-1234/08-101-1")).contains(QStringLiteral("495-111-11-11")));
}

} // namespace
