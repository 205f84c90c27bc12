#pragma once

#include "documents/CaseList.h"

#include <QObject>
#include <QStringList>

#include <atomic>

class QThread;

// Reads documents or pasted text into a case list on a thread of its own, so
// a 300-page PDF leaves the windows responsive. The thread decodes through a
// read-only connection of its own: every lookup is a statement of its own,
// so no read lock outlives it and the editor can always write. Everything it
// reports arrives as queued signals on the thread that made the job.
class CaseListJob : public QObject
{
    Q_OBJECT

public:
    // Pasted text is read after the files, under the name «Вставленный текст».
    CaseListJob(const QString &databasePath, const QStringList &files, const QString &pastedText,
                QObject *parent = nullptr);
    // Cancels and waits for the thread.
    ~CaseListJob() override;

    void start();
    // The thread stops at the next piece of text; finished() still comes,
    // with what had been read.
    void cancel();

signals:
    // Thousandths of the whole work.
    void progressed(int permille);
    // One line per file that could not be read, naming it.
    void failed(const QString &line);
    void finished(const CaseList &list, bool cancelled);

private:
    void run();
    void report(int permille);

    QString m_databasePath;
    QStringList m_files;
    QString m_pastedText;
    QThread *m_thread = nullptr;
    std::atomic_bool m_cancelled = false;
    int m_reportedPermille = -1;
};
