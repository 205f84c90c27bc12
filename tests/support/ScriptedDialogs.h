#pragma once

#include "widgets/ModalDialogs.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class QDialog;
class QWidget;

// Stands in for every modal window while a test runs: records the errors and
// About boxes it was asked to show, answers yes/no questions from a script,
// and lets a script act on each modal dialog (type, click its button, close
// it) instead of a person. A question or dialog nobody scripted fails the test.
class ScriptedDialogs : public ModalDialogs
{
public:
    struct Message
    {
        QPointer<QWidget> owner;
        QString caption;
        QString text;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void answerNextQuestion(bool yes) { m_answers.append(yes); }
    // What the next file dialog returns: the files picked, or an empty list for Cancel.
    void chooseNextFiles(const QStringList &files) { m_chosenFiles.append(files); }
    void actOnNextDialog(std::function<void(QDialog &)> action) { m_dialogActions.append(std::move(action)); }

    QList<Message> errors;
    QList<Message> questions;
    QList<Message> aboutBoxes;
    // Modal results returned, in order.
    QList<int> dialogResults;

    void showError(QWidget *owner, const QString &text) override;
    bool askYesNo(QWidget *owner, const QString &caption, const QString &text) override;
    int showModal(QDialog &dialog) override;
    void showAbout(QWidget *owner, const QString &title, const QString &notice) override;
    QStringList chooseFilesToOpen(QWidget *owner, const QString &caption, const QString &filter) override;
    QString chooseFileToSave(QWidget *owner, const QString &caption, const QString &filter) override;

private:
    QStringList nextChosenFiles(const QString &caption);

    QList<bool> m_answers;
    QList<QStringList> m_chosenFiles;
    QList<std::function<void(QDialog &)>> m_dialogActions;
};
