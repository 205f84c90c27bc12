#include "PdfDocument.h"

#include "documents/DocumentError.h"

#include <poppler-qt6.h>

#include <QRectF>

bool readPdfDocument(const QString &path, const TextSink &sink)
{
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
    if (!document)
        throw DocumentError(QStringLiteral("PDF повреждён или не читается"));
    if (document->isLocked())
        throw DocumentError(QStringLiteral("PDF защищён паролем; снимите защиту и откройте его снова"));

    const int pages = document->numPages();
    bool anyText = false;
    for (int i = 0; i < pages; ++i) {
        const std::unique_ptr<Poppler::Page> page = document->page(i);
        const QString text = page ? page->text(QRectF()) : QString();
        anyText = anyText || !text.trimmed().isEmpty();
        if (!sink.take({text, QStringLiteral("стр. %1").arg(i + 1)}))
            return false;
        if (sink.progress)
            sink.progress(i + 1, pages);
    }
    if (!anyText && pages > 0)
        throw DocumentError(QStringLiteral("в PDF нет текста: похоже, это скан; распознайте текст (OCR) и откройте файл снова"));
    return true;
}
