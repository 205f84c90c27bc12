#include "ScriptedDialogs.h"

#include <QDialog>
#include <gtest/gtest.h>

ScriptedDialogs::ScriptedDialogs()
{
    ModalDialogs::install(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    ModalDialogs::install(nullptr);
    EXPECT_TRUE(m_answers.isEmpty()) << "scripted answers left unused";
    EXPECT_TRUE(m_dialogActions.isEmpty()) << "scripted dialog actions left unused";
    EXPECT_TRUE(m_chosenFiles.isEmpty()) << "scripted file choices left unused";
}

void ScriptedDialogs::showError(QWidget *owner, const QString &text)
{
    errors.append({owner, QString(), text});
}

bool ScriptedDialogs::askYesNo(QWidget *owner, const QString &caption, const QString &text)
{
    questions.append({owner, caption, text});
    if (m_answers.isEmpty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    return m_answers.takeFirst();
}

int ScriptedDialogs::showModal(QDialog &dialog)
{
    // The dialog runs as the user would see it, only without a loop of its own:
    // the script's typing and clicking end it through its own slots.
    dialog.setResult(0);
    dialog.show();
    if (m_dialogActions.isEmpty()) {
        ADD_FAILURE() << "unexpected dialog: " << dialog.windowTitle().toStdString();
        dialog.reject();
    } else {
        m_dialogActions.takeFirst()(dialog);
    }
    if (dialog.isVisible()) {
        ADD_FAILURE() << "the script left the dialog open: " << dialog.windowTitle().toStdString();
        dialog.reject();
    }
    dialogResults.append(dialog.result());
    return dialog.result();
}

void ScriptedDialogs::showAbout(QWidget *owner, const QString &title, const QString &notice)
{
    aboutBoxes.append({owner, title, notice});
}

QStringList ScriptedDialogs::nextChosenFiles(const QString &caption)
{
    if (m_chosenFiles.isEmpty()) {
        ADD_FAILURE() << "unexpected file dialog: " << caption.toStdString();
        return {};
    }
    return m_chosenFiles.takeFirst();
}

QStringList ScriptedDialogs::chooseFilesToOpen(QWidget *, const QString &caption, const QString &)
{
    return nextChosenFiles(caption);
}

QString ScriptedDialogs::chooseFileToSave(QWidget *, const QString &caption, const QString &)
{
    return nextChosenFiles(caption).value(0);
}
