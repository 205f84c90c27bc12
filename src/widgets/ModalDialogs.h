#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// Every modal window the program puts in front of the user goes through this
// one interface: the program uses the real message boxes and exec(), tests
// install answers of their own and never block.
class ModalDialogs
{
public:
    virtual ~ModalDialogs() = default;

    // An error text, in a message box owned by owner (may be null).
    virtual void showError(QWidget *owner, const QString &text) = 0;
    // A yes/no question with the question icon; Yes is the default button,
    // Escape answers No. True for Yes.
    virtual bool askYesNo(QWidget *owner, const QString &caption, const QString &text) = 0;
    // Runs the dialog modally and returns its modal result.
    virtual int showModal(QDialog &dialog) = 0;
    // The About box: title, notice and the owner's window icon.
    virtual void showAbout(QWidget *owner, const QString &title, const QString &notice) = 0;
    // Files the user picks to open, in the system's file dialog; none when cancelled.
    virtual QStringList chooseFilesToOpen(QWidget *owner, const QString &caption, const QString &filter) = 0;
    // The file the user names to save into; empty when cancelled.
    virtual QString chooseFileToSave(QWidget *owner, const QString &caption, const QString &filter) = 0;

    // The dialogs in force: those installed last, or the real message boxes.
    static ModalDialogs &current();
    // Installs dialogs (not owned); null goes back to the real message boxes.
    static void install(ModalDialogs *dialogs);
};
