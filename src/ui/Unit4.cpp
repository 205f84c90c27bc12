#include "Unit4.h"

#include "data/DmUnit.h"
#include "widgets/AnchoredLayout.h"
#include "widgets/DataEdit.h"

#include <QLabel>
#include <QPushButton>

TForm4 *Form4 = nullptr;

namespace {

const QSize ClientSize(292, 144);

} // namespace

TForm4::TForm4(QWidget *parent)
    : ModalForm(ClientSize, parent)
    , Label1(new QLabel(QStringLiteral("Тип отдела")))
    , Label2(new QLabel(QStringLiteral("Номер состава")))
    , Label3(new QLabel(QStringLiteral("Номер факса")))
    , Label4(new QLabel(QStringLiteral("Специализация состава")))
    , DBEdit1(new DataEdit(QStringLiteral("StructureType")))
    , DBEdit2(new DataEdit(QStringLiteral("StructureNum")))
    , DBEdit3(new DataEdit(QStringLiteral("StructureFAXNum")))
    , DBEdit4(new DataEdit(QStringLiteral("StructureSpecification")))
    , Button1(new QPushButton(QStringLiteral("Закрыть и сохранить")))
{
    setWindowTitle(QStringLiteral("Редактирование состава"));
    const QList<std::pair<QLabel *, DataEdit *>> rows{{Label1, DBEdit1}, {Label2, DBEdit2}, {Label3, DBEdit3}, {Label4, DBEdit4}};
    auto *layout = new AnchoredLayout(this, ClientSize);
    for (int row = 0; row < rows.size(); ++row) {
        const auto [label, edit] = rows.at(row);
        label->setObjectName(QStringLiteral("Label%1").arg(row + 1));
        edit->setObjectName(QStringLiteral("DBEdit%1").arg(row + 1));
        layout->addControl(label, {8, 11 + 27 * row, 124, 13});
        layout->addControl(edit, {136, 8 + 27 * row, 153, 21});
    }
    Button1->setObjectName(QStringLiteral("Button1"));
    layout->addControl(Button1, {8, 116, 281, 25});

    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
}

void TForm4::showEvent(QShowEvent *event)
{
    // Created before DM at start-up, so the edit boxes find their source here.
    for (DataEdit *edit : {DBEdit1, DBEdit2, DBEdit3, DBEdit4})
        edit->setDataSource(DM->UniDataSource2);
    ModalForm::showEvent(event);
}

void TForm4::Button1Click()
{
    setModalResult(mrOk);
}
