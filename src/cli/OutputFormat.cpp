#include "OutputFormat.h"

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
    for (const auto &[name, value] : namedFields(StructInfo()))
        names << name;
    return {names.join(QLatin1Char('\t'))};
}

QStringList OutputFormat::answer(const QString &input, const StructInfo &info, bool isFirst) const
{
    switch (m_kind) {
    case Kind::Text: {
        QStringList lines = isFirst ? QStringList() : QStringList{QString()};
        return lines + resultLines(info);
    }
    case Kind::Tsv: {
        QStringList cells{tsvCell(input)};
        for (const auto &[name, value] : namedFields(info))
            cells << tsvCell(value);
        return {cells.join(QLatin1Char('\t'))};
    }
    case Kind::Json: {
        QJsonObject object{{QStringLiteral("input"), input}};
        for (const auto &[name, value] : namedFields(info))
            object.insert(name, value);
        return {QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact))};
    }
    }
    return {};
}
