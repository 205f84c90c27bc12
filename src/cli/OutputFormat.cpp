#include "OutputFormat.h"

#include "decoder/CaseYear.h"
#include "decoder/ResultLines.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A tab or line break inside a value would break the row apart.
QString tsvCell(QString value)
{
    for (QChar &c : value) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    return value;
}

// After the record's own fields, so scripts that read columns by place keep working.
QList<std::pair<QString, QString>> answerFields(const DecodedInput &decoded)
{
    const PastedCaseNumber &answer = decoded.decoded;
    return namedFields(answer.info)
           + QList<std::pair<QString, QString>>{
               {QStringLiteral("number"), answer.number},
               {QStringLiteral("full_year"), fullCaseYear(answer.info.year, thisYear())},
               {QStringLiteral("explanation"), answer.explanation},
           };
}

} // namespace

std::optional<OutputFormat> OutputFormat::fromName(const QString &name)
{
    if (name == QLatin1String("text"))
        return OutputFormat(Kind::Text);
    if (name == QLatin1String("tsv"))
        return OutputFormat(Kind::Tsv);
    if (name == QLatin1String("json"))
        return OutputFormat(Kind::Json);
    return std::nullopt;
}

QStringList OutputFormat::header() const
{
    if (m_kind != Kind::Tsv)
        return {};
    QStringList names{QStringLiteral("input")};
    for (const auto &[name, value] : answerFields(DecodedInput()))
        names << name;
    return {names.join(QLatin1Char('\t'))};
}

QStringList OutputFormat::answer(const DecodedInput &decoded, bool isFirst) const
{
    switch (m_kind) {
    case Kind::Text: {
        QStringList lines = isFirst ? QStringList() : QStringList{QString()};
        lines += resultLines(decoded.decoded.info);
        if (!decoded.decoded.explanation.isEmpty())
            lines << decoded.decoded.explanation;
        return lines;
    }
    case Kind::Tsv: {
        QStringList cells{tsvCell(decoded.input)};
        for (const auto &[name, value] : answerFields(decoded))
            cells << tsvCell(value);
        return {cells.join(QLatin1Char('\t'))};
    }
    case Kind::Json: {
        QJsonObject object{{QStringLiteral("input"), decoded.input}};
        for (const auto &[name, value] : answerFields(decoded))
            object.insert(name, value);
        return {QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact))};
    }
    }
    return {};
}
