#include "data/DmUnit.h"
#include "decoder/DmDLLUnit.h"
#include "support/EditorFixture.h"
#include "support/QtPrinters.h"
#include "support/Typing.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
#include "ui/Unit6.h"
#include "widgets/DataEdit.h"
#include "widgets/DataGrid.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <sqlite3.h>

#include <algorithm>

namespace {

// Which of the four datasets opened or closed, in order, as "close courts".
class DatasetLog
{
public:
    DatasetLog()
    {
        watch(DM->UniQuery1, QStringLiteral("courts"));
        watch(DM->UniQuery2, QStringLiteral("compositions"));
        watch(DM->UniQuery3, QStringLiteral("divisions"));
        watch(DMDLL->UniQuery1, QStringLiteral("lookup"));
    }
    ~DatasetLog()
    {
        for (const auto &connection : std::as_const(m_connections))
            QObject::disconnect(connection);
    }

    QStringList entries;

private:
    void watch(Dataset *dataset, const QString &name)
    {
        auto wasOpen = std::make_shared<bool>(dataset->isOpen());
        m_connections << QObject::connect(dataset, &Dataset::stateChanged, [this, dataset, name, wasOpen] {
            if (dataset->isOpen() != *wasOpen) {
                *wasOpen = dataset->isOpen();
                entries << (*wasOpen ? QStringLiteral("open ") : QStringLiteral("close ")) + name;
            }
        });
    }

    QList<QMetaObject::Connection> m_connections;
};

const QRegularExpression NewKey(QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));

class EditorTest : public EditorFixture
{
protected:
    // Scripts the next dialog: types into its first box, then closes it by its close box.
    void closeNextDialog()
    {
        dialogs.actOnNextDialog([](QDialog &dialog) {
            typeText(dialog.findChild<DataEdit *>(QStringLiteral("DBEdit1")), QStringLiteral("брошено"));
            dialog.close();
        });
    }

    // What the next dialog's edit boxes show when it opens, by object name.
    void recordNextDialog(QMap<QString, QString> *shown, const QList<std::pair<const char *, QString>> &texts = {})
    {
        dialogs.actOnNextDialog([shown, texts](QDialog &dialog) {
            for (DataEdit *edit : dialog.findChildren<DataEdit *>())
                shown->insert(edit->objectName(), edit->text());
            for (const auto &[name, text] : texts) {
                auto *edit = dialog.findChild<DataEdit *>(QString::fromLatin1(name));
                edit->selectAll();
                typeText(edit, text);
            }
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
        });
    }

    QStringList table(const char *sql) const { return database.rows(QString::fromUtf8(sql)); }

    static void expectAllOpenAndBrowsing()
    {
        for (Dataset *dataset : {DM->UniQuery1, DM->UniQuery2, DM->UniQuery3, DMDLL->UniQuery1})
            EXPECT_EQ(dataset->state(), Dataset::State::Browsing) << dataset->statement().toStdString();
    }
};

TEST_F(EditorTest, ClickingACourtListsItsCompositionsAndTheFirstCompositionsDivisions)
{
    // Until the first click the detail grids list every row.
    EXPECT_EQ(gridColumn(Form2->DBGrid1, 0), (QStringList{"А40", "А41"}));
    EXPECT_EQ(gridColumn(Form2->DBGrid2, 0), (QStringList{"1", "2"}));
    EXPECT_EQ(gridColumn(Form2->DBGrid3, 0), (QStringList{"101", "102", "201"}));

    clickRow(Form2->DBGrid1, 0);
    EXPECT_EQ(DM->UniQuery2->statement(), QStringLiteral("select * from structures where ref_Judgement=?"));
    EXPECT_EQ(DM->UniQuery2->parameters(), QStringList{"{J40}"});
    EXPECT_EQ(gridColumn(Form2->DBGrid2, 0), (QStringList{"1", "2"}));
    EXPECT_EQ(gridColumn(Form2->DBGrid3, 0), (QStringList{"101", "102"}));

    clickRow(Form2->DBGrid2, 1);
    EXPECT_EQ(DM->UniQuery3->statement(), QStringLiteral("select * from separation where ref_structures=?"));
    EXPECT_EQ(DM->UniQuery3->parameters(), QStringList{"{S2}"});
    EXPECT_EQ(gridColumn(Form2->DBGrid3, 0), QStringList{"201"});

    // Moving with the keyboard changes the current court but refreshes nothing.
    QTest::keyClick(Form2->DBGrid1->viewport(), Qt::Key_Down);
    EXPECT_EQ(DM->UniQuery1->fieldText(QStringLiteral("JudgementCode")), QStringLiteral("А41"));
    EXPECT_EQ(gridColumn(Form2->DBGrid3, 0), QStringList{"201"});
}

TEST_F(EditorTest, CourtWithoutCompositionsRunsTheNullStatement)
{
    database.execute(QStringLiteral("INSERT INTO separation (GUID, ref_structures, SeparationName) VALUES ('{DN}', 'null', '999')"));

    clickRow(Form2->DBGrid1, 1);

    EXPECT_EQ(Form2->DBGrid2->model()->rowCount(), 0);
    EXPECT_EQ(DM->UniQuery3->parameters(), QStringList{"null"});
    EXPECT_EQ(gridColumn(Form2->DBGrid3, 0), QStringList{"999"});
    // No composition to add a division to, or to change or delete.
    EXPECT_TRUE(Form2->Button4->isEnabled());
    EXPECT_FALSE(Form2->Button7->isEnabled());
    EXPECT_FALSE(Form2->Button6->isEnabled());
    EXPECT_FALSE(Form2->Button5->isEnabled());
    EXPECT_TRUE(Form2->Button9->isEnabled()) << "the division listed by the null statement can still be changed";
}

TEST_F(EditorTest, EachActionClosesAndReopensTheOtherDatasetsInItsOrder)
{
    const QStringList closeC{"close compositions", "close divisions", "close lookup"};
    const QStringList openC{"open compositions", "open divisions", "open lookup"};
    const QStringList closeS{"close divisions", "close lookup", "close courts"};
    const QStringList openS{"open divisions", "open lookup", "open courts"};
    const QStringList closeD{"close compositions", "close lookup", "close courts"};
    const QStringList openD{"open compositions", "open lookup", "open courts"};
    struct Action
    {
        QPushButton *button;
        bool isDelete;
        QStringList log;
    };
    const QList<Action> actions{
        {Form2->Button1, false, closeC + QStringList{"close courts", "open courts", "open lookup", "open divisions", "open compositions"}},
        {Form2->Button3, false, closeC + openC},
        {Form2->Button4, false, closeS + openS},
        {Form2->Button6, false, closeS + openS},
        {Form2->Button7, false, closeD + openD},
        {Form2->Button9, false, closeD + openD},
        {Form2->Button8, true, closeD + openD},
        {Form2->Button5, true, closeS + openS},
        {Form2->Button2, true, closeC + openC},
    };
    for (const Action &action : actions) {
        clickRow(Form2->DBGrid1, 0);
        if (action.isDelete)
            dialogs.answerNextQuestion(true);
        else
            closeNextDialog();
        DatasetLog log;
        click(action.button);
        EXPECT_EQ(log.entries, action.log) << action.button->objectName().toStdString();
        expectAllOpenAndBrowsing();
    }
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(dialogs.dialogResults, QList<int>(6, ModalForm::mrCancel));
}

TEST_F(EditorTest, AnsweringNoChangesNothingAndClosesNothing)
{
    const QStringList before = table("select * from judgement union all select GUID, ref_Judgement, StructureNum from structures "
                                     "union all select GUID, ref_structures, SeparationName from separation");
    for (QPushButton *button : {Form2->Button2, Form2->Button5, Form2->Button8}) {
        dialogs.answerNextQuestion(false);
        DatasetLog log;
        click(button);
        EXPECT_TRUE(log.entries.isEmpty()) << button->objectName().toStdString();
    }
    ASSERT_EQ(dialogs.questions.size(), 3);
    for (const auto &question : dialogs.questions) {
        EXPECT_EQ(question.caption, QStringLiteral("Удаление записи"));
        EXPECT_EQ(question.text, QStringLiteral("Вы действительно хотите удалить эту запись?\r\n"));
        EXPECT_EQ(question.owner, Form2);
    }
    EXPECT_EQ(table("select * from judgement union all select GUID, ref_Judgement, StructureNum from structures "
                    "union all select GUID, ref_structures, SeparationName from separation"),
              before);
}

TEST_F(EditorTest, CourtsAreAddedChangedAndDeleted)
{
    // Add: the key is given before the dialog opens, yet the dialog shows empty boxes.
    QMap<QString, QString> shown;
    recordNextDialog(&shown, {{"DBEdit1", QStringLiteral("А50")}, {"DBEdit2", QStringLiteral("Арбитражный суд Пермского края")}});
    click(Form2->Button1);
    EXPECT_EQ(shown, (QMap<QString, QString>{{"DBEdit1", ""}, {"DBEdit2", ""}}));
    const QStringList added = table("select GUID, JudgementName from judgement where JudgementCode = 'А50'");
    ASSERT_EQ(added.size(), 1) << table("select * from judgement").join(" ; ").toStdString();
    const QString key = added.at(0).section(QLatin1Char('|'), 0, 0);
    EXPECT_TRUE(NewKey.match(key).hasMatch()) << key.toStdString();
    EXPECT_EQ(added.at(0).section(QLatin1Char('|'), 1), QStringLiteral("Арбитражный суд Пермского края"));
    EXPECT_EQ(gridColumn(Form2->DBGrid1, 0), (QStringList{"А40", "А41", "А50"}));

    // Change: the dialog shows the current row.
    clickRow(Form2->DBGrid1, 2);
    shown.clear();
    recordNextDialog(&shown, {{"DBEdit2", QStringLiteral("Пермский суд")}});
    click(Form2->Button3);
    EXPECT_EQ(shown, (QMap<QString, QString>{{"DBEdit1", "А50"}, {"DBEdit2", "Арбитражный суд Пермского края"}}));
    EXPECT_EQ(table("select JudgementCode, JudgementName from judgement where GUID in (select GUID from judgement "
                    "where JudgementCode = 'А50')"),
              QStringList{"А50|Пермский суд"});

    // The close box cancels an addition and a change alike.
    closeNextDialog();
    click(Form2->Button1);
    clickRow(Form2->DBGrid1, 0);
    closeNextDialog();
    click(Form2->Button3);
    EXPECT_EQ(table("select JudgementCode, JudgementName from judgement"),
              (QStringList{"А40|Арбитражный суд города Москвы", "А41|Арбитражный суд Московской области", "А50|Пермский суд"}));

    // Delete: the court goes, its compositions and divisions stay in the file
    // but leave the lookup join.
    clickRow(Form2->DBGrid1, 0);
    dialogs.answerNextQuestion(true);
    click(Form2->Button2);
    EXPECT_EQ(table("select JudgementCode from judgement"), (QStringList{"А41", "А50"}));
    EXPECT_EQ(table("select count(*) from structures"), QStringList{"2"});
    EXPECT_EQ(table("select count(*) from separation"), QStringList{"3"});
    EXPECT_EQ(DMDLL->UniQuery1->rowCount(), 0);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(EditorTest, CompositionsAreAddedUnderTheClickedCourtChangedAndDeleted)
{
    clickRow(Form2->DBGrid1, 1); // А41, no compositions yet
    QMap<QString, QString> shown;
    recordNextDialog(&shown,
                     {{"DBEdit1", QStringLiteral("гражданский")},
                      {"DBEdit2", QStringLiteral("7")},
                      {"DBEdit3", QStringLiteral("495-700-07-07")},
                      {"DBEdit4", QStringLiteral("аренда")}});
    click(Form2->Button4);
    EXPECT_EQ(shown, (QMap<QString, QString>{{"DBEdit1", ""}, {"DBEdit2", ""}, {"DBEdit3", ""}, {"DBEdit4", ""}}));
    const QStringList added = table("select GUID, ref_Judgement, StructureNum, StructureType, StructureFAXNum, "
                                    "StructureSpecification from structures where StructureNum = '7'");
    ASSERT_EQ(added.size(), 1);
    EXPECT_TRUE(NewKey.match(added.at(0).section(QLatin1Char('|'), 0, 0)).hasMatch()) << added.at(0).toStdString();
    EXPECT_EQ(added.at(0).section(QLatin1Char('|'), 1), QStringLiteral("{J41}|7|гражданский|495-700-07-07|аренда"));
    EXPECT_EQ(gridColumn(Form2->DBGrid2, 0), QStringList{"7"});
    // The courts grid is back on its first court; the compositions grid still shows А41's.
    EXPECT_EQ(DM->UniQuery1->fieldText(QStringLiteral("JudgementCode")), QStringLiteral("А40"));

    shown.clear();
    recordNextDialog(&shown, {{"DBEdit4", QStringLiteral("земля")}});
    click(Form2->Button6);
    EXPECT_EQ(shown.value(QStringLiteral("DBEdit4")), QStringLiteral("аренда"));
    EXPECT_EQ(table("select StructureSpecification from structures where StructureNum = '7'"), QStringList{"земля"});

    closeNextDialog();
    click(Form2->Button4);
    EXPECT_EQ(table("select count(*) from structures"), QStringList{"3"});

    dialogs.answerNextQuestion(true);
    click(Form2->Button5);
    EXPECT_EQ(table("select StructureNum from structures"), (QStringList{"1", "2"}));
    EXPECT_EQ(Form2->DBGrid2->model()->rowCount(), 0);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(EditorTest, DivisionsAreAddedUnderTheClickedCompositionChangedAndDeleted)
{
    clickRow(Form2->DBGrid1, 0);
    clickRow(Form2->DBGrid2, 1); // composition 2 of А40
    QMap<QString, QString> shown;
    recordNextDialog(&shown,
                     {{"DBEdit1", QStringLiteral("777")},
                      {"DBEdit2", QStringLiteral("495-777-77-77")},
                      {"DBEdit3", QStringLiteral("7777")},
                      {"DBEdit4", QStringLiteral("7007")},
                      {"DBEdit5", QStringLiteral("7")}});
    click(Form2->Button7);
    EXPECT_EQ(shown.size(), 5);
    for (const QString &text : std::as_const(shown))
        EXPECT_EQ(text, QString());
    const QStringList added = table("select GUID, ref_structures, SeparationName, Phone, vnphone, zal, floor "
                                    "from separation where SeparationName = '777'");
    ASSERT_EQ(added.size(), 1);
    EXPECT_TRUE(NewKey.match(added.at(0).section(QLatin1Char('|'), 0, 0)).hasMatch()) << added.at(0).toStdString();
    EXPECT_EQ(added.at(0).section(QLatin1Char('|'), 1), QStringLiteral("{S2}|777|495-777-77-77|7777|7007|7"));
    EXPECT_EQ(gridColumn(Form2->DBGrid3, 0), (QStringList{"201", "777"}));

    // The next decode sees the new division.
    Form6->Edit1->setText(QStringLiteral("А40-5/21-777-9"));
    QTest::mouseClick(Form6->Button2, Qt::LeftButton);
    const QStringList lines = Form6->Memo1->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines.at(4), QStringLiteral("Отделение: 777"));
    EXPECT_EQ(lines.at(6), QStringLiteral("Телефон отделения: 495-777-77-77"));
    EXPECT_EQ(lines.at(8), QStringLiteral("Номер состава: 2"));
    EXPECT_EQ(lines.at(11), QStringLiteral("Зал: 7007"));
    EXPECT_EQ(lines.at(12), QStringLiteral("Этаж: 7"));

    clickRow(Form2->DBGrid3, 1);
    shown.clear();
    recordNextDialog(&shown, {{"DBEdit5", QStringLiteral("8")}});
    click(Form2->Button9);
    EXPECT_EQ(shown.value(QStringLiteral("DBEdit1")), QStringLiteral("777"));
    EXPECT_EQ(shown.value(QStringLiteral("DBEdit4")), QStringLiteral("7007"));
    EXPECT_EQ(shown.value(QStringLiteral("DBEdit5")), QStringLiteral("7"));
    EXPECT_EQ(table("select floor from separation where SeparationName = '777'"), QStringList{"8"});

    clickRow(Form2->DBGrid3, 1);
    dialogs.answerNextQuestion(true);
    click(Form2->Button8);
    EXPECT_EQ(table("select SeparationName from separation"), (QStringList{"101", "102", "201"}));
    EXPECT_EQ(gridColumn(Form2->DBGrid3, 0), QStringList{"201"});
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

// The dialog's edit boxes from top to bottom, the order a user fills them in.
QList<DataEdit *> boxesTopToBottom(QDialog &dialog)
{
    QList<DataEdit *> boxes = dialog.findChildren<DataEdit *>();
    std::sort(boxes.begin(), boxes.end(), [](DataEdit *a, DataEdit *b) { return a->y() < b->y(); });
    return boxes;
}

TEST_F(EditorTest, EnterGoesToTheNextBoxAndOnlyTheButtonSaves)
{
    clickRow(Form2->DBGrid1, 0);
    const struct
    {
        QPushButton *add;
        const char *rows;
    } dialogsToFill[] = {
        {Form2->Button1, "select JudgementCode, JudgementName from judgement where JudgementCode = 'ввод1'"},
        {Form2->Button4,
         "select StructureType, StructureNum, StructureFAXNum, StructureSpecification from structures "
         "where StructureType = 'ввод1'"},
        {Form2->Button7, "select SeparationName, Phone, vnphone, floor, zal from separation where SeparationName = 'ввод1'"},
    };
    for (const auto &[add, rows] : dialogsToFill) {
        SCOPED_TRACE(add->objectName().toStdString());
        QStringList typed;
        dialogs.actOnNextDialog([this, rows, &typed](QDialog &dialog) {
            const QList<DataEdit *> boxes = boxesTopToBottom(dialog);
            boxes.first()->setFocus();
            for (DataEdit *box : boxes) {
                ASSERT_EQ(dialog.focusWidget(), box);
                typed << QStringLiteral("ввод%1").arg(typed.size() + 1);
                typeText(box, typed.last());
                QTest::keyClick(box, Qt::Key_Return);
                ASSERT_TRUE(dialog.isVisible()) << "Enter in " << box->objectName().toStdString() << " closed the dialog";
            }
            EXPECT_TRUE(table(rows).isEmpty()) << "nothing is written before the button";
            auto *button = dialog.findChild<QPushButton *>(QStringLiteral("Button1"));
            ASSERT_EQ(dialog.focusWidget(), button);
            QTest::keyClick(button, Qt::Key_Return);
        });
        click(add);
        EXPECT_EQ(table(rows), QStringList{typed.join(QLatin1Char('|'))});
    }
    EXPECT_EQ(dialogs.dialogResults, QList<int>(3, ModalForm::mrOk));
}

TEST_F(EditorTest, EscapeInADialogCancelsLikeTheCloseBox)
{
    const QStringList before = table("select * from judgement");
    dialogs.actOnNextDialog([](QDialog &dialog) {
        auto *box = dialog.findChild<DataEdit *>(QStringLiteral("DBEdit2"));
        box->selectAll();
        typeText(box, QStringLiteral("брошено"));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    click(Form2->Button3);
    EXPECT_EQ(dialogs.dialogResults, QList<int>{ModalForm::mrCancel});
    EXPECT_EQ(table("select * from judgement"), before);
    EXPECT_EQ(DM->UniQuery1->fieldText(QStringLiteral("JudgementName")), QStringLiteral("Арбитражный суд города Москвы"));
}

TEST_F(EditorTest, ButtonsWaitForTheRowTheyWorkOn)
{
    // Courts dataset without a row: filter on a code no court has.
    DM->UniQuery1->setFilter(QStringLiteral("JudgementCode = 'нет'"));
    DM->UniQuery1->setFiltered(true);
    EXPECT_FALSE(Form2->Button4->isEnabled());
    EXPECT_FALSE(Form2->Button3->isEnabled());
    EXPECT_FALSE(Form2->Button2->isEnabled());
    EXPECT_TRUE(Form2->Button1->isEnabled()) << "a court can always be added";
    DM->UniQuery1->setFiltered(false);
    EXPECT_TRUE(Form2->Button4->isEnabled());
    EXPECT_TRUE(Form2->Button3->isEnabled());
    EXPECT_TRUE(Form2->Button7->isEnabled());

    DM->UniQuery3->setFilter(QStringLiteral("SeparationName = 'нет'"));
    DM->UniQuery3->setFiltered(true);
    EXPECT_FALSE(Form2->Button9->isEnabled());
    EXPECT_FALSE(Form2->Button8->isEnabled());
    EXPECT_TRUE(Form2->Button7->isEnabled());
}

// Another program holds the write lock; the write fails after the busy wait.
class LockedDatabaseTest : public EditorTest
{
protected:
    // An immediate lock stops writes only; an exclusive one stops reads too.
    void lock(const char *begin = "BEGIN IMMEDIATE")
    {
        ASSERT_EQ(sqlite3_open(database.path().toUtf8().constData(), &m_other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(m_other, begin, nullptr, nullptr, nullptr), SQLITE_OK);
    }
    void unlock()
    {
        sqlite3_exec(m_other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_other);
        m_other = nullptr;
    }
    void TearDown() override
    {
        if (m_other) {
            sqlite3_exec(m_other, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(m_other);
        }
        EditorTest::TearDown();
    }

private:
    sqlite3 *m_other = nullptr;
};

TEST_F(LockedDatabaseTest, FailedWriteIsShownCancelledAndEverythingReopened)
{
    clickRow(Form2->DBGrid1, 0);
    const QStringList before = table("select GUID, StructureNum, StructureType from structures");
    lock();

    QMap<QString, QString> shown;
    recordNextDialog(&shown, {{"DBEdit1", QStringLiteral("уголовный")}});
    click(Form2->Button6);

    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.at(0).text.contains(database.path())) << dialogs.errors.at(0).text.toStdString();
    expectAllOpenAndBrowsing();
    EXPECT_EQ(table("select GUID, StructureNum, StructureType from structures"), before);
    EXPECT_EQ(gridColumn(Form2->DBGrid2, 1), (QStringList{"гражданский", "административный"}));

    // Deleting fails the same way and leaves the division in place and listed.
    dialogs.answerNextQuestion(true);
    click(Form2->Button8);
    ASSERT_EQ(dialogs.errors.size(), 2);
    expectAllOpenAndBrowsing();
    EXPECT_EQ(gridColumn(Form2->DBGrid3, 0), (QStringList{"101", "102"}));
    EXPECT_EQ(table("select count(*) from separation"), QStringList{"3"});
}

// The file is locked against reading too while the dialog is open: the grids
// cannot be read again, so they keep what they showed, and once the file is
// free the user adds under the same court as if nothing had happened.
TEST_F(LockedDatabaseTest, FailedAddKeepsTheGridsAndTheSameAddWorksOnceTheFileIsFree)
{
    clickRow(Form2->DBGrid1, 0);
    const QStringList courts = gridColumn(Form2->DBGrid1, 0);
    dialogs.actOnNextDialog([this](QDialog &dialog) {
        lock("BEGIN EXCLUSIVE");
        typeText(dialog.findChild<DataEdit *>(QStringLiteral("DBEdit1")), QStringLiteral("уголовный"));
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    click(Form2->Button4);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.at(0).text.contains(database.path())) << dialogs.errors.at(0).text.toStdString();
    EXPECT_EQ(gridColumn(Form2->DBGrid1, 0), courts);
    EXPECT_EQ(gridColumn(Form2->DBGrid2, 1), (QStringList{"гражданский", "административный"}));
    EXPECT_TRUE(Form2->Button4->isEnabled());

    unlock();
    QMap<QString, QString> shown;
    recordNextDialog(&shown, {{"DBEdit1", QStringLiteral("уголовный")}});
    click(Form2->Button4);
    EXPECT_EQ(dialogs.errors.size(), 1) << dialogs.errors.value(1).text.toStdString();
    EXPECT_EQ(shown.value(QStringLiteral("DBEdit1")), QString()) << "the new row starts empty, not with the failed one's text";
    EXPECT_EQ(table("select ref_Judgement from structures where StructureType = 'уголовный'"), QStringList{"{J40}"});
    expectAllOpenAndBrowsing();
}

// Another program changes the court while its dialog is open: the editor's
// change must not overwrite it, and the grid must show what the file holds.
TEST_F(EditorTest, RowChangedByAnotherProgramIsNotOverwrittenAndShownAgain)
{
    clickRow(Form2->DBGrid1, 0);
    dialogs.actOnNextDialog([this](QDialog &dialog) {
        database.execute(QStringLiteral("UPDATE judgement SET JudgementName = 'Имя от другой программы' WHERE GUID = '{J40}'"));
        auto *name = dialog.findChild<DataEdit *>(QStringLiteral("DBEdit2"));
        name->selectAll();
        typeText(name, QStringLiteral("Имя из редактора"));
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    click(Form2->Button3);

    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors.at(0).text,
              QStringLiteral("Запись изменена или удалена другой программой. Изменение не сохранено, таблица показана заново."));
    expectAllOpenAndBrowsing();
    EXPECT_EQ(table("select JudgementName from judgement where GUID = '{J40}'"), QStringList{"Имя от другой программы"});
    EXPECT_TRUE(gridColumn(Form2->DBGrid1, 1).contains(QStringLiteral("Имя от другой программы")))
        << gridColumn(Form2->DBGrid1, 1).join(QLatin1Char(',')).toStdString();
}

TEST_F(EditorTest, ControlsKeepTheirPlacesAndFollowTheResizedEditor)
{
    EXPECT_EQ(Form2->DBGrid1->columnWidth(1), 149);
    EXPECT_EQ(Form2->DBGrid2->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Специализация состава"));
    EXPECT_EQ(Form2->DBGrid3->columnWidth(4), 32);
    // The courts grid shows about four rows below its titles.
    const int visibleRows = (Form2->DBGrid1->viewport()->height()) / Form2->DBGrid1->rowHeight(0);
    EXPECT_GE(visibleRows, 3);
    EXPECT_LE(visibleRows, 5);

    Form2->resize(757 + 100, 354 + 50);
    QApplication::processEvents();
    struct Place
    {
        QWidget *control;
        QRect geometry;
    };
    const QList<Place> places{
        {Form2->GroupBox1, {8, 8, 393 + 100, 145}},
        {Form2->DBGrid1, {9, 15, 375 + 100, 89}},
        {Form2->Button2, {231, 110, 105, 25}},
        {Form2->GroupBox2, {8, 159, 393 + 100, 187 + 50}},
        {Form2->DBGrid2, {9, 17, 375 + 100, 128 + 50}},
        {Form2->Button5, {231, 151 + 50, 105, 25}},
        {Form2->GroupBox3, {407 + 100, 8, 342, 338 + 50}},
        {Form2->DBGrid3, {9, 15, 325, 281 + 50}},
        {Form2->Button8, {224, 302 + 50, 89, 25}},
    };
    for (const Place &place : places)
        EXPECT_EQ(place.control->geometry(), place.geometry) << place.control->objectName().toStdString();
}

TEST_F(EditorTest, EachGridColumnShowsItsOwnField)
{
    // Every column of the fixture's rows holds a value of its own, so a column
    // bound to a neighbour's field shows the wrong text.
    const struct
    {
        DataGrid *grid;
        Dataset *dataset;
        int column;
        const char *field;
    } columns[] = {
        {Form2->DBGrid1, DM->UniQuery1, 0, "JudgementCode"},   {Form2->DBGrid1, DM->UniQuery1, 1, "JudgementName"},
        {Form2->DBGrid2, DM->UniQuery2, 0, "StructureNum"},    {Form2->DBGrid2, DM->UniQuery2, 1, "StructureType"},
        {Form2->DBGrid2, DM->UniQuery2, 2, "StructureFAXNum"}, {Form2->DBGrid2, DM->UniQuery2, 3, "StructureSpecification"},
        {Form2->DBGrid3, DM->UniQuery3, 0, "SeparationName"},  {Form2->DBGrid3, DM->UniQuery3, 1, "Phone"},
        {Form2->DBGrid3, DM->UniQuery3, 2, "vnphone"},         {Form2->DBGrid3, DM->UniQuery3, 3, "zal"},
        {Form2->DBGrid3, DM->UniQuery3, 4, "floor"},
    };
    for (const auto &[grid, dataset, column, field] : columns) {
        const QString shown = grid->model()->index(dataset->currentRow(), column).data().toString();
        EXPECT_EQ(shown, dataset->fieldText(QString::fromLatin1(field))) << grid->objectName().toStdString() << " " << field;
        EXPECT_FALSE(shown.isEmpty()) << grid->objectName().toStdString() << " " << field;
    }
}

TEST_F(EditorTest, ClosingTheEditorHidesIt)
{
    Form2->close();
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_TRUE(Form6->isVisible());
    Form6->Button1Click();
    EXPECT_TRUE(Form2->isVisible());
}

} // namespace
