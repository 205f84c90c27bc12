#include "MessageBoxDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

void MessageBoxDialogs::showError(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok, owner);
    box.exec();
}

bool MessageBoxDialogs::askYesNo(QWidget *owner, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, owner);
    // The program speaks Russian everywhere, its questions included.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
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

QStringList MessageBoxDialogs::chooseFilesToOpen(QWidget *owner, const QString &caption, const QString &filter)
{
    return QFileDialog::getOpenFileNames(owner, caption, QString(), filter);
}

QString MessageBoxDialogs::chooseFileToSave(QWidget *owner, const QString &caption, const QString &filter)
{
    return QFileDialog::getSaveFileName(owner, caption, QString(), filter);
}
