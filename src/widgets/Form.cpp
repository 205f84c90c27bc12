#include "Form.h"

#include "FormLook.h"

#include <QShowEvent>

Form::Form(const QSize &clientSize, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    FormLook::apply(this);
    resize(clientSize);
    setAttribute(Qt::WA_QuitOnClose, false);
}

void Form::showEvent(QShowEvent *event)
{
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        FormLook::centreOnScreen(this);
    }
    QWidget::showEvent(event);
}
