#include "Unit3.h"

#include "data/DmUnit.h"
#include "widgets/AnchoredLayout.h"
#include "widgets/DataEdit.h"

#include <QLabel>
#include <QPushButton>

TForm3 *Form3 = nullptr;

namespace {

const QSize ClientSize(278, 91);

} // namespace

TForm3::TForm3(QWidget *parent)
    : ModalForm(ClientSize, parent)
    , Label1(new QLabel(QStringLiteral("Код суда")))
    , Label2(new QLabel(QStringLiteral("Название суда")))
    , DBEdit1(new DataEdit(QStringLiteral("JudgementCode")))
    , DBEdit2(new DataEdit(QStringLiteral("JudgementName")))
    , Button1(new QPushButton(QStringLiteral("Закрыть и сохранить")))
{
    setWindowTitle(QStringLiteral("Редактирование суда"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBEdit2->setObjectName(QStringLiteral("DBEdit2"));
    Button1->setObjectName(QStringLiteral("Button1"));

    auto *layout = new AnchoredLayout(this, ClientSize);
    layout->addControl(Label1, {8, 11, 84, 13});
    layout->addControl(DBEdit1, {96, 8, 174, 21});
    layout->addControl(Label2, {8, 38, 84, 13});
    layout->addControl(DBEdit2, {96, 35, 174, 21});
    layout->addControl(Button1, {8, 62, 262, 25});

    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
}

void TForm3::showEvent(QShowEvent *event)
{
    DBEdit1->setDataSource(DM->UniDataSource1);
    DBEdit2->setDataSource(DM->UniDataSource1);
    ModalForm::showEvent(event);
}

void TForm3::Button1Click()
{
    setModalResult(mrOk);
}
