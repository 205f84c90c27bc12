#include "Unit4.h"

#include "data/DmUnit.h"
#include "widgets/NamedControl.h"

#include <QPushButton>

#include <tuple>

TForm4 *Form4 = nullptr;

namespace {

const QSize ClientSize(292, 144);

} // namespace

TForm4::TForm4(QWidget *parent)
    : ModalForm(ClientSize, parent)
    , m_rows(this, ClientSize, {8, 136, 153})
{
    setWindowTitle(QStringLiteral("Редактирование состава"));
    std::tie(Label1, DBEdit1) = m_rows.add(1, QStringLiteral("Тип отдела"), QStringLiteral("StructureType"));
    std::tie(Label2, DBEdit2) = m_rows.add(2, QStringLiteral("Номер состава"), QStringLiteral("StructureNum"));
    std::tie(Label3, DBEdit3) = m_rows.add(3, QStringLiteral("Номер факса"), QStringLiteral("StructureFAXNum"));
    std::tie(Label4, DBEdit4) = m_rows.add(4, QStringLiteral("Специализация состава"), QStringLiteral("StructureSpecification"));
    Button1 = newNamedControl<QPushButton>("Button1", QStringLiteral("Закрыть и сохранить"));
    m_rows.addButtonBelow(Button1);

    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
}

void TForm4::showEvent(QShowEvent *event)
{
    m_rows.setDataSource(DM->UniDataSource2);
    ModalForm::showEvent(event);
}

void TForm4::Button1Click()
{
    setModalResult(mrOk);
}
