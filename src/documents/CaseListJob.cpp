#include "CaseListJob.h"

#include "data/DatabaseError.h"
#include "decoder/DmDLLUnit.h"
#include "documents/CaseExtractor.h"
#include "documents/DocumentError.h"
#include "documents/DocumentReader.h"
#include "documents/PlainText.h"

#include <QFileInfo>
#include <QThread>

namespace {

const QString PastedTextName = QStringLiteral("Вставленный текст");

} // namespace

CaseListJob::CaseListJob(const QString &databasePath, const QStringList &files, const QString &pastedText,
                         QObject *parent)
    : QObject(parent)
    , m_databasePath(databasePath)
    , m_files(files)
    , m_pastedText(pastedText)
{
}

CaseListJob::~CaseListJob()
{
    cancel();
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void CaseListJob::start()
{
    m_thread = QThread::create([this] { run(); });
    m_thread->start();
}

void CaseListJob::cancel()
{
    m_cancelled = true;
}

void CaseListJob::report(int permille)
{
    // A sheet of 100 000 cells would otherwise queue as many repaints.
    if (permille == m_reportedPermille)
        return;
    m_reportedPermille = permille;
    QMetaObject::invokeMethod(this, [this, permille] { emit progressed(permille); }, Qt::QueuedConnection);
}

void CaseListJob::run()
{
    CaseList list;
    const auto fail = [this](const QString &line) {
        QMetaObject::invokeMethod(this, [this, line] { emit failed(line); }, Qt::QueuedConnection);
    };
    try {
        TDMDLL decoder;
        decoder.UniConnection1->setDatabasePath(m_databasePath);
        decoder.UniConnection1->setAccess(DatabaseConnection::Access::ReadOnly);
        decoder.UniConnection1->connectToDatabase();
        CaseExtractor extractor(decoder);

        const qsizetype parts = m_files.size() + (m_pastedText.isEmpty() ? 0 : 1);
        qsizetype part = 0;
        const auto sink = [&] {
            return TextSink{[&](const TextPiece &piece) {
                                for (const ExtractedCase &found : extractor.extract(piece))
                                    list.add(found);
                                return !m_cancelled;
                            },
                            [&](qint64 done, qint64 total) {
                                const double withinPart = total > 0 ? double(done) / double(total) : 0.0;
                                report(int(1000 * (double(part) + withinPart) / double(parts)));
                            }};
        };
        for (; part < m_files.size() && !m_cancelled; ++part) {
            const QString &file = m_files.at(part);
            try {
                readDocument(file, sink());
            } catch (const DocumentError &error) {
                fail(QFileInfo(file).fileName() + QStringLiteral(": ") + error.message());
            }
        }
        if (!m_pastedText.isEmpty() && !m_cancelled)
            readTextLines(m_pastedText, sink());
    } catch (const DatabaseError &error) {
        fail(QStringLiteral("База данных: ") + error.message());
    }
    const bool cancelled = m_cancelled;
    QMetaObject::invokeMethod(
        this, [this, list = std::move(list), cancelled] { emit finished(list, cancelled); }, Qt::QueuedConnection);
}
