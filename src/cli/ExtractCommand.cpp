#include "ExtractCommand.h"

#include "decoder/DmDLLUnit.h"
#include "documents/DocumentError.h"
#include "documents/DocumentReader.h"
#include "documents/PlainText.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString StandardInputName = QStringLiteral("-");

QString tsvCell(QString value)
{
    for (QChar &c : value) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    return value;
}

} // namespace

ExtractionWriter::ExtractionWriter(TDMDLL &decoder, const OutputFormat &format, LineWriter out)
    : m_extractor(decoder)
    , m_format(format)
    , m_out(std::move(out))
{
    QStringList header;
    for (const QString &line : m_format.header())
        header << QStringLiteral("file\tplace\t") + line;
    if (!header.isEmpty())
        m_out(header);
}

TextSink ExtractionWriter::sinkFor(const QString &file)
{
    return {[this, file](const TextPiece &piece) {
                for (const ExtractedCase &found : m_extractor.extract(piece))
                    write(file, found);
                return true;
            },
            {}};
}

void ExtractionWriter::write(const QString &file, const ExtractedCase &found)
{
    const bool otherCourt = !found.courtFound && found.system != CourtSystem::Arbitration;
    const DecodedInput decoded{found.numberAsWritten, {found.number, found.info, otherCourt ? found.status : QString()}};
    QStringList lines;
    for (const QString &line : m_format.answer(decoded, m_isFirst))
        lines << withPlace(file, found.place, line);
    m_out(lines);
    m_isFirst = false;
    m_everyCourtFound = m_everyCourtFound && found.courtFound;
}

QString ExtractionWriter::withPlace(const QString &file, const QString &place, const QString &line) const
{
    switch (m_format.kind()) {
    case OutputFormat::Kind::Text:
        return line;
    case OutputFormat::Kind::Tsv:
        return tsvCell(file) + QLatin1Char('\t') + tsvCell(place) + QLatin1Char('\t') + line;
    case OutputFormat::Kind::Json: {
        QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
        object.insert(QStringLiteral("file"), file);
        object.insert(QStringLiteral("place"), place);
        return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    }
    }
    return line;
}

int extractCaseNumbers(TDMDLL &decoder, const OutputFormat &format, const QStringList &files, const LineWriter &out,
                       const std::function<void(const QString &problem)> &reportProblem)
{
    ExtractionWriter writer(decoder, format, out);
    if (files.isEmpty()) {
        QFile input;
        if (!input.open(stdin, QIODevice::ReadOnly)) {
            reportProblem(QStringLiteral("стандартный ввод не читается"));
            return 2;
        }
        readTextLines(decodePlainText(input.readAll()), writer.sinkFor(StandardInputName));
        return writer.everyCourtFound() ? 0 : 1;
    }

    bool everyFileRead = true;
    for (const QString &file : files) {
        try {
            readDocument(file, writer.sinkFor(file));
        } catch (const DocumentError &error) {
            reportProblem(file + QStringLiteral(": ") + error.message());
            everyFileRead = false;
        }
    }
    if (!everyFileRead)
        return 2;
    return writer.everyCourtFound() ? 0 : 1;
}
