#include "DocumentReader.h"

#include "documents/DocumentError.h"
#include "documents/ExcelWorkbook.h"
#include "documents/PdfDocument.h"
#include "documents/PlainText.h"
#include "documents/WordDocument.h"
#include "documents/ZipArchive.h"

#include <QFile>

namespace {

// Office files with a password, and the old .doc and .xls, are OLE compound files.
const QByteArray CompoundFileSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

QByteArray firstBytes(QFile &file)
{
    const QByteArray bytes = file.peek(8);
    if (bytes.isEmpty() && file.error() != QFile::NoError)
        throw DocumentError(QStringLiteral("файл не читается (%1)").arg(file.errorString()));
    return bytes;
}

} // namespace

bool readDocument(const QString &path, const TextSink &sink)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DocumentError(QStringLiteral("файл не открывается (%1)").arg(file.errorString()));
    const QByteArray start = firstBytes(file);

    if (start.startsWith("%PDF-")) {
        file.close();
        return readPdfDocument(path, sink);
    }
    if (start.startsWith(CompoundFileSignature))
        throw DocumentError(QStringLiteral("документ защищён паролем или сохранён в старом формате (.doc, .xls); "
                                           "снимите защиту или сохраните его как .docx или .xlsx"));
    if (start.startsWith("PK\x03\x04")) {
        file.close();
        const ZipArchive archive(path);
        if (archive.contains(QStringLiteral("word/document.xml")))
            return readWordDocument(archive, sink);
        if (archive.contains(QStringLiteral("xl/workbook.xml")))
            return readExcelWorkbook(archive, sink);
        throw DocumentError(QStringLiteral("архив не является документом Word (.docx) или книгой Excel (.xlsx)"));
    }

    const QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        throw DocumentError(QStringLiteral("файл не читается (%1)").arg(file.errorString()));
    return readTextLines(decodePlainText(bytes), sink);
}
