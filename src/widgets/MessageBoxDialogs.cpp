#include "MessageBoxDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

void MessageBoxDialogs::showError(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok, owner);
    box.exec();
}

bool MessageBoxDialogs::askYesNo(QWidget *owner, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int MessageBoxDialogs::showModal(QDialog &dialog)
{
    return dialog.exec();
}

void MessageBoxDialogs::showAbout(QWidget *owner, const QString &title, const QString &notice)
{
    QMessageBox::about(owner, title, notice);
}
