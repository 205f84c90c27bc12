#include "Unit2.h"

#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "data/DmUnit.h"
#include "decoder/DmDLLUnit.h"
#include "widgets/AnchoredLayout.h"
#include "widgets/DataGrid.h"
#include "widgets/ModalDialogs.h"
#include "widgets/NamedControl.h"

#include <QGroupBox>
#include <QPushButton>

TForm2 *Form2 = nullptr;

// The parent key is bound, not spliced: a key never has to be a valid SQL token.
const QString TForm2::CompositionsOfCourtStatement = QStringLiteral("select * from structures where ref_Judgement=?");
const QString TForm2::DivisionsOfCompositionStatement = QStringLiteral("select * from separation where ref_structures=?");

namespace {

const QSize ClientSize(757, 354);
// Stands for the key of a composition that is not there; it matches a
// division only if one holds this very text as its parent key.
const QString NoCompositionKey = QStringLiteral("null");

bool isAccepted(ModalForm &dialog)
{
    return ModalDialogs::current().showModal(dialog) == ModalForm::mrOk;
}

// OK writes the edit buffer; any other answer, the close box included, drops it.
void postIfAccepted(Dataset &dataset, ModalForm &dialog)
{
    if (isAccepted(dialog))
        dataset.post();
    else
        dataset.cancel();
}

} // namespace

TForm2::TForm2(QWidget *parent)
    : Form(ClientSize, parent)
    , GroupBox1(newNamedControl<QGroupBox>("GroupBox1", QStringLiteral("Суды")))
    , DBGrid1(newNamedControl<DataGrid>("DBGrid1", DM->UniDataSource1,
                                        QList<GridColumn>{{QStringLiteral("JudgementCode"), QStringLiteral("Код суда"), 83},
                                                          {QStringLiteral("JudgementName"), QStringLiteral("Название суда"), 149}}))
    , Button1(newNamedControl<QPushButton>("Button1", QStringLiteral("Добавить")))
    , Button3(newNamedControl<QPushButton>("Button3", QStringLiteral("Изменить")))
    , Button2(newNamedControl<QPushButton>("Button2", QStringLiteral("Удалить")))
    , GroupBox2(newNamedControl<QGroupBox>("GroupBox2", QStringLiteral("Составы")))
    , DBGrid2(newNamedControl<DataGrid>(
          "DBGrid2", DM->UniDataSource2,
          QList<GridColumn>{{QStringLiteral("StructureNum"), QStringLiteral("Номер состава"), 80},
                            {QStringLiteral("StructureType"), QStringLiteral("Тип отдела"), 71},
                            {QStringLiteral("StructureFAXNum"), QStringLiteral("Номер факса"), 77},
                            {QStringLiteral("StructureSpecification"), QStringLiteral("Специализация состава"), 125}}))
    , Button4(newNamedControl<QPushButton>("Button4", QStringLiteral("Добавить")))
    , Button6(newNamedControl<QPushButton>("Button6", QStringLiteral("Изменить")))
    , Button5(newNamedControl<QPushButton>("Button5", QStringLiteral("Удалить")))
    , GroupBox3(newNamedControl<QGroupBox>("GroupBox3", QStringLiteral("Отделения")))
    , DBGrid3(newNamedControl<DataGrid>("DBGrid3", DM->UniDataSource3,
                                        QList<GridColumn>{{QStringLiteral("SeparationName"), QStringLiteral("Номер отделения"), 92},
                                                          {QStringLiteral("Phone"), QStringLiteral("Номер телефона"), 57},
                                                          {QStringLiteral("vnphone"), QStringLiteral("Внутр. номер"), 57},
                                                          {QStringLiteral("zal"), QStringLiteral("Зал"), 32},
                                                          {QStringLiteral("floor"), QStringLiteral("Этаж"), 32}}))
    , Button7(newNamedControl<QPushButton>("Button7", QStringLiteral("Добавить")))
    , Button9(newNamedControl<QPushButton>("Button9", QStringLiteral("Изменить")))
    , Button8(newNamedControl<QPushButton>("Button8", QStringLiteral("Удалить")))
{
    setWindowTitle(QStringLiteral("Структура данных арбитражных судов"));

    using A = AnchoredLayout;
    auto *layout = new AnchoredLayout(this, ClientSize);
    layout->addControl(GroupBox1, {8, 8, 393, 145}, A::Left | A::Top | A::Right);
    layout->addControl(GroupBox2, {8, 159, 393, 187}, A::AllEdges);
    layout->addControl(GroupBox3, {407, 8, 342, 338}, A::Top | A::Right | A::Bottom);

    auto *courts = new AnchoredLayout(GroupBox1, {393, 145});
    courts->addControl(DBGrid1, {9, 15, 375, 89}, A::Left | A::Top | A::Right);
    courts->addControl(Button1, {9, 110, 105, 25}, A::Left | A::Top);
    courts->addControl(Button3, {120, 110, 105, 25}, A::Left | A::Top);
    courts->addControl(Button2, {231, 110, 105, 25}, A::Left | A::Top);

    auto *compositions = new AnchoredLayout(GroupBox2, {393, 187});
    compositions->addControl(DBGrid2, {9, 17, 375, 128}, A::AllEdges);
    compositions->addControl(Button4, {9, 151, 105, 25}, A::Left | A::Bottom);
    compositions->addControl(Button6, {120, 151, 105, 25}, A::Left | A::Bottom);
    compositions->addControl(Button5, {231, 151, 105, 25}, A::Left | A::Bottom);

    auto *divisions = new AnchoredLayout(GroupBox3, {342, 338});
    divisions->addControl(DBGrid3, {9, 15, 325, 281}, A::Left | A::Top | A::Bottom);
    divisions->addControl(Button7, {9, 302, 112, 25}, A::Left | A::Bottom);
    divisions->addControl(Button9, {127, 302, 91, 25}, A::Left | A::Bottom);
    divisions->addControl(Button8, {224, 302, 89, 25}, A::Left | A::Bottom);

    connect(DBGrid1, &DataGrid::cellClicked, this, &TForm2::DBGrid1CellClick);
    connect(DBGrid2, &DataGrid::cellClicked, this, &TForm2::DBGrid2CellClick);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    connect(Button4, &QPushButton::clicked, this, &TForm2::Button4Click);
    connect(Button6, &QPushButton::clicked, this, &TForm2::Button6Click);
    connect(Button5, &QPushButton::clicked, this, &TForm2::Button5Click);
    connect(Button7, &QPushButton::clicked, this, &TForm2::Button7Click);
    connect(Button9, &QPushButton::clicked, this, &TForm2::Button9Click);
    connect(Button8, &QPushButton::clicked, this, &TForm2::Button8Click);

    // A composition or division added without a current parent would get an
    // empty parent key, and no grid could ever show it again; change and
    // delete need a row to work on.
    for (Dataset *dataset : {DM->UniQuery1, DM->UniQuery2, DM->UniQuery3}) {
        connect(dataset, &Dataset::rowsReset, this, &TForm2::enableButtons);
        connect(dataset, &Dataset::currentRowChanged, this, &TForm2::enableButtons);
        connect(dataset, &Dataset::stateChanged, this, &TForm2::enableButtons);
    }
    enableButtons();
}

void TForm2::enableButtons()
{
    const bool court = DM->UniQuery1->currentRow() >= 0;
    const bool composition = DM->UniQuery2->currentRow() >= 0;
    const bool division = DM->UniQuery3->currentRow() >= 0;
    Button3->setEnabled(court);
    Button2->setEnabled(court);
    Button4->setEnabled(court);
    Button6->setEnabled(composition);
    Button5->setEnabled(composition);
    Button7->setEnabled(composition);
    Button9->setEnabled(division);
    Button8->setEnabled(division);
}

void TForm2::DBGrid1CellClick()
{
    DM->UniQuery2->setStatement(CompositionsOfCourtStatement, {DM->UniQuery1->fieldText(QStringLiteral("GUID"))});
    DM->UniQuery2->open();
    showDivisionsOfCurrentComposition();
}

void TForm2::DBGrid2CellClick()
{
    showDivisionsOfCurrentComposition();
}

void TForm2::showDivisionsOfCurrentComposition()
{
    const QVariant composition = DM->UniQuery2->fieldValue(QStringLiteral("GUID"));
    DM->UniQuery3->setStatement(DivisionsOfCompositionStatement, {composition.isValid() ? composition.toString() : NoCompositionKey});
    DM->UniQuery3->open();
}

void TForm2::runAction(const QList<Dataset *> &closeFirst, Dataset *own, const std::function<void()> &work,
                       const QList<Dataset *> &openAfter)
{
    KeptRows kept;
    for (Dataset *dataset : closeFirst)
        kept[dataset] = dataset->closeKeepingShown();
    try {
        work();
    } catch (...) {
        // Nothing half-written stays in the edit buffer, and the grids show
        // again what the file holds while the error is on the screen: the
        // row may have been changed by another program, so its own grid too.
        own->cancel();
        if (auto shown = own->closeKeepingShown())
            kept[own] = std::move(shown);
        try {
            reopen(QList<Dataset *>{own} + openAfter, kept);
        } catch (...) {
            // A reading that fails as well says less than the action's own
            // error, which is the one the user needs to see.
        }
        throw;
    }
    reopen(openAfter, kept);
}

void TForm2::reopen(const QList<Dataset *> &datasets, KeptRows &kept)
{
    std::exception_ptr failure;
    for (Dataset *dataset : datasets) {
        if (!failure) {
            try {
                dataset->open();
                continue;
            } catch (...) {
                failure = std::current_exception();
            }
        }
        const auto found = kept.find(dataset);
        if (found != kept.end())
            dataset->showKept(std::move(found->second));
    }
    if (failure)
        std::rethrow_exception(failure);
}

bool TForm2::confirmDelete()
{
    return ModalDialogs::current().askYesNo(this, QStringLiteral("Удаление записи"),
                                            QStringLiteral("Вы действительно хотите удалить эту запись?\r\n"));
}

void TForm2::editCurrentRow(const EditedTable &table)
{
    Dataset *own = table.dataset;
    ModalForm *dialog = table.dialog;
    runAction(
        table.others, own,
        [own, dialog] {
            own->edit();
            postIfAccepted(*own, *dialog);
        },
        table.others);
}

void TForm2::deleteCurrentRow(const EditedTable &table)
{
    if (!confirmDelete())
        return;
    Dataset *own = table.dataset;
    runAction(
        table.others, own, [own] { own->remove(); }, table.others);
}

void TForm2::addChildRow(const EditedTable &table, const QString &parentColumn, Dataset *parents)
{
    const QString parentKey = parents->fieldText(QStringLiteral("GUID"));
    Dataset *own = table.dataset;
    ModalForm *dialog = table.dialog;
    runAction(
        table.others, own,
        [own, dialog, parentColumn, parentKey] {
            own->insert();
            if (isAccepted(*dialog)) {
                own->setFieldText(QStringLiteral("GUID"), TDM::newguid());
                own->setFieldText(parentColumn, parentKey);
                own->post();
            } else {
                own->cancel();
            }
        },
        table.others);
}

TForm2::EditedTable TForm2::courtsTable()
{
    return {DM->UniQuery1, Form3, {DM->UniQuery2, DM->UniQuery3, DMDLL->UniQuery1}};
}

TForm2::EditedTable TForm2::compositionsTable()
{
    return {DM->UniQuery2, Form4, {DM->UniQuery3, DMDLL->UniQuery1, DM->UniQuery1}};
}

TForm2::EditedTable TForm2::divisionsTable()
{
    return {DM->UniQuery3, Form5, {DM->UniQuery2, DMDLL->UniQuery1, DM->UniQuery1}};
}

// A new court gets its key before the dialog opens, and the courts dataset is
// closed and reopened with the others, which come back in reverse order.
void TForm2::Button1Click()
{
    Dataset *courts = DM->UniQuery1;
    runAction({DM->UniQuery2, DM->UniQuery3, DMDLL->UniQuery1, courts}, courts,
              [courts] {
                  courts->open();
                  courts->insert();
                  courts->setFieldText(QStringLiteral("GUID"), TDM::newguid());
                  postIfAccepted(*courts, *Form3);
              },
              {DMDLL->UniQuery1, DM->UniQuery3, DM->UniQuery2});
}

void TForm2::Button3Click()
{
    editCurrentRow(courtsTable());
}

void TForm2::Button2Click()
{
    deleteCurrentRow(courtsTable());
}

void TForm2::Button4Click()
{
    addChildRow(compositionsTable(), QStringLiteral("ref_Judgement"), DM->UniQuery1);
}

void TForm2::Button6Click()
{
    editCurrentRow(compositionsTable());
}

void TForm2::Button5Click()
{
    deleteCurrentRow(compositionsTable());
}

void TForm2::Button7Click()
{
    addChildRow(divisionsTable(), QStringLiteral("ref_structures"), DM->UniQuery2);
}

void TForm2::Button9Click()
{
    editCurrentRow(divisionsTable());
}

void TForm2::Button8Click()
{
    deleteCurrentRow(divisionsTable());
}
