#include "WordDocument.h"

#include "documents/DocumentError.h"
#include "documents/ZipArchive.h"

#include <QXmlStreamReader>

namespace {

const QString BodyPart = QStringLiteral("word/document.xml");

} // namespace

bool readWordDocument(const ZipArchive &archive, const TextSink &sink)
{
    const QByteArray xml = archive.read(BodyPart);
    QXmlStreamReader reader(xml);
    QString paragraph;
    qint64 paragraphNumber = 0;
    int paragraphDepth = 0;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        const QStringView name = reader.name();
        if (token == QXmlStreamReader::StartElement) {
            if (name == u"p") {
                // A paragraph inside a text box sits within another; it
                // continues the outer one rather than breaking it in two.
                if (paragraphDepth++ == 0)
                    paragraph.clear();
            } else if (name == u"t") {
                // Only w:t is the visible text: field codes (w:instrText) and
                // deleted revisions (w:delText) are not what the reader sees.
                paragraph += reader.readElementText();
            } else if (name == u"tab") {
                paragraph += QLatin1Char('\t');
            } else if (name == u"br" || name == u"cr") {
                paragraph += QLatin1Char('\n');
            } else if (name == u"noBreakHyphen") {
                paragraph += QChar(0x2011);
            }
        } else if (token == QXmlStreamReader::EndElement && name == u"p" && --paragraphDepth == 0) {
            ++paragraphNumber;
            if (!sink.take({paragraph, QStringLiteral("абзац %1").arg(paragraphNumber)}))
                return false;
            if (sink.progress)
                sink.progress(reader.characterOffset(), xml.size());
        }
    }
    if (reader.hasError())
        throw DocumentError(QStringLiteral("документ Word повреждён (%1)").arg(reader.errorString()));
    return true;
}
