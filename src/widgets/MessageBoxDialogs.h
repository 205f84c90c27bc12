#pragma once

#include "ModalDialogs.h"

// The program's modal windows: Qt's message boxes and the dialog's own exec().
class MessageBoxDialogs : public ModalDialogs
{
public:
    void showError(QWidget *owner, const QString &text) override;
    bool askYesNo(QWidget *owner, const QString &caption, const QString &text) override;
    int showModal(QDialog &dialog) override;
    void showAbout(QWidget *owner, const QString &title, const QString &notice) override;
    QStringList chooseFilesToOpen(QWidget *owner, const QString &caption, const QString &filter) override;
    QString chooseFileToSave(QWidget *owner, const QString &caption, const QString &filter) override;
};
