#include "Unit3.h"

#include "data/DmUnit.h"
#include "widgets/NamedControl.h"

#include <QPushButton>

#include <tuple>

TForm3 *Form3 = nullptr;

namespace {

const QSize ClientSize(278, 91);

} // namespace

TForm3::TForm3(QWidget *parent)
    : ModalForm(ClientSize, parent)
    , m_rows(this, ClientSize, {8, 96, 174})
{
    setWindowTitle(QStringLiteral("Редактирование суда"));
    std::tie(Label1, DBEdit1) = m_rows.add(1, QStringLiteral("Код суда"), QStringLiteral("JudgementCode"));
    std::tie(Label2, DBEdit2) = m_rows.add(2, QStringLiteral("Название суда"), QStringLiteral("JudgementName"));
    Button1 = newNamedControl<QPushButton>("Button1", QStringLiteral("Закрыть и сохранить"));
    m_rows.addButtonBelow(Button1);

    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
}

void TForm3::showEvent(QShowEvent *event)
{
    m_rows.setDataSource(DM->UniDataSource1);
    ModalForm::showEvent(event);
}

void TForm3::Button1Click()
{
    setModalResult(mrOk);
}
