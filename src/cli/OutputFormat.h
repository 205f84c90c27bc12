#pragma once

#include "decoder/PastedCaseNumber.h"

#include <QString>
#include <QStringList>

#include <optional>

// One input line or argument and what its decode gave.
struct DecodedInput
{
    QString input;
    PastedCaseNumber decoded;
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
