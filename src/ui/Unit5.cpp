#include "Unit5.h"

#include "data/DmUnit.h"
#include "widgets/AnchoredLayout.h"
#include "widgets/DataEdit.h"

#include <QLabel>
#include <QPushButton>

TForm5 *Form5 = nullptr;

namespace {

const QSize ClientSize(242, 169);

} // namespace

TForm5::TForm5(QWidget *parent)
    : ModalForm(ClientSize, parent)
    , Label1(new QLabel(QStringLiteral("Номер отделения")))
    , Label2(new QLabel(QStringLiteral("Номер телефона")))
    , Label3(new QLabel(QStringLiteral("Внутренний номер:")))
    , Label4(new QLabel(QStringLiteral("Зал:")))
    , Label5(new QLabel(QStringLiteral("Этаж:")))
    , DBEdit1(new DataEdit(QStringLiteral("SeparationName")))
    , DBEdit2(new DataEdit(QStringLiteral("Phone")))
    , DBEdit3(new DataEdit(QStringLiteral("vnphone")))
    , DBEdit4(new DataEdit(QStringLiteral("zal")))
    , DBEdit5(new DataEdit(QStringLiteral("floor")))
    , Button1(new QPushButton(QStringLiteral("Закрыть и сохранить")))
{
    setWindowTitle(QStringLiteral("Редактирования отделения"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3->setObjectName(QStringLiteral("Label3"));
    Label4->setObjectName(QStringLiteral("Label4"));
    Label5->setObjectName(QStringLiteral("Label5"));
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBEdit2->setObjectName(QStringLiteral("DBEdit2"));
    DBEdit3->setObjectName(QStringLiteral("DBEdit3"));
    DBEdit4->setObjectName(QStringLiteral("DBEdit4"));
    DBEdit5->setObjectName(QStringLiteral("DBEdit5"));
    Button1->setObjectName(QStringLiteral("Button1"));

    // The floor row stands above the hall row, as the form was drawn.
    const QList<std::pair<QLabel *, DataEdit *>> rows{
        {Label1, DBEdit1}, {Label2, DBEdit2}, {Label3, DBEdit3}, {Label5, DBEdit5}, {Label4, DBEdit4}};
    auto *layout = new AnchoredLayout(this, ClientSize);
    for (int row = 0; row < rows.size(); ++row) {
        layout->addControl(rows.at(row).first, {8, 8 + 27 * row, 101, 13});
        layout->addControl(rows.at(row).second, {113, 5 + 27 * row, 121, 21});
    }
    layout->addControl(Button1, {8, 140, 226, 25});

    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
}

void TForm5::showEvent(QShowEvent *event)
{
    // Created before DM at start-up, so the edit boxes find their source here.
    for (DataEdit *edit : {DBEdit1, DBEdit2, DBEdit3, DBEdit4, DBEdit5})
        edit->setDataSource(DM->UniDataSource3);
    ModalForm::showEvent(event);
}

void TForm5::Button1Click()
{
    setModalResult(mrOk);
}
