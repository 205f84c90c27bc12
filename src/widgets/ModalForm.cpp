#include "ModalForm.h"

#include "FormLook.h"

#include <QKeyEvent>
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

void ModalForm::keyPressEvent(QKeyEvent *event)
{
    // A focused push button takes Enter itself; what reaches the dialog comes from a box.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}
