#pragma once

#include "decoder/StructInfo.h"

#include <QString>
#include <QStringList>

#include <optional>

// One input's answer: the number taken from it, the decoder's record, and
// for a number of another court the line that says so.
struct DecodedInput
{
    QString input;
    QString number;
    StructInfo info;
    QString explanation;
};

// How velmora-decode writes its answers: the main window's lines, one
// tab-separated row per number, or one JSON object per line.
class OutputFormat
{
public:
    enum class Kind { Text, Tsv, Json };

    static std::optional<OutputFormat> fromName(const QString &name);

    Kind kind() const { return m_kind; }

    // What comes before the first answer (the TSV header), possibly nothing.
    QStringList header() const;
    // The lines for one decoded number; isFirst tells where text output puts its blank line.
    // Besides the record's fields, TSV and JSON give the number decoded, its
    // four-digit year and the other-court explanation.
    QStringList answer(const DecodedInput &decoded, bool isFirst) const;

private:
    explicit OutputFormat(Kind kind) : m_kind(kind) {}

    Kind m_kind;
};
