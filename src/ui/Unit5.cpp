#include "Unit5.h"

#include "data/DmUnit.h"
#include "widgets/NamedControl.h"

#include <QPushButton>

#include <tuple>

TForm5 *Form5 = nullptr;

namespace {

const QSize ClientSize(242, 169);

} // namespace

TForm5::TForm5(QWidget *parent)
    : ModalForm(ClientSize, parent)
    , m_rows(this, ClientSize, {5, 113, 121})
{
    setWindowTitle(QStringLiteral("Редактирования отделения"));
    // The floor row stands above the hall row, as the form was drawn.
    std::tie(Label1, DBEdit1) = m_rows.add(1, QStringLiteral("Номер отделения"), QStringLiteral("SeparationName"));
    std::tie(Label2, DBEdit2) = m_rows.add(2, QStringLiteral("Номер телефона"), QStringLiteral("Phone"));
    std::tie(Label3, DBEdit3) = m_rows.add(3, QStringLiteral("Внутренний номер:"), QStringLiteral("vnphone"));
    std::tie(Label5, DBEdit5) = m_rows.add(5, QStringLiteral("Этаж:"), QStringLiteral("floor"));
    std::tie(Label4, DBEdit4) = m_rows.add(4, QStringLiteral("Зал:"), QStringLiteral("zal"));
    Button1 = newNamedControl<QPushButton>("Button1", QStringLiteral("Закрыть и сохранить"));
    m_rows.addButtonBelow(Button1);

    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
}

void TForm5::showEvent(QShowEvent *event)
{
    m_rows.setDataSource(DM->UniDataSource3);
    ModalForm::showEvent(event);
}

void TForm5::Button1Click()
{
    setModalResult(mrOk);
}
