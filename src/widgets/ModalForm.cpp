#include "ModalForm.h"

#include "FormLook.h"

#include <QShowEvent>

ModalForm::ModalForm(const QSize &clientSize, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    FormLook::apply(this);
    setFixedSize(clientSize);
    setAttribute(Qt::WA_QuitOnClose, false);
}

void ModalForm::reject()
{
    done(mrCancel);
}

void ModalForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormLook::centreOnScreen(this);
}
