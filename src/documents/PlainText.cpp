#include "PlainText.h"

#include <QStringDecoder>

QString decodePlainText(const QByteArray &bytes)
{
    if (const auto withMark = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*withMark);
        return decoder(bytes);
    }
    // A 1251 text with Cyrillic letters is almost never valid UTF-8, while a
    // UTF-8 text is always; so UTF-8 first, and 1251 when it fails.
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1251("windows-1251");
    return windows1251(bytes);
}

bool readTextLines(const QString &text, const TextSink &sink)
{
    qsizetype start = 0;
    qint64 line = 1;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QString piece = text.mid(start, end - start);
        if (piece.endsWith(QLatin1Char('\r')))
            piece.chop(1);
        if (!sink.take({piece, QStringLiteral("строка %1").arg(line)}))
            return false;
        if (sink.progress)
            sink.progress(end, text.size());
        start = end + 1;
        ++line;
    }
    return true;
}
