#pragma once

#include "decoder/StructInfo.h"

#include <QString>
#include <QStringList>

#include <optional>

// How velmora-decode writes its answers: the main window's lines, one
// tab-separated row per number, or one JSON object per line.
class OutputFormat
{
public:
    enum class Kind { Text, Tsv, Json };

    static std::optional<OutputFormat> fromName(const QString &name);

    // What comes before the first answer (the TSV header), possibly nothing.
    QStringList header() const;
    // The lines for one decoded number; isFirst tells where text output puts its blank line.
    QStringList answer(const QString &input, const StructInfo &info, bool isFirst) const;

private:
    explicit OutputFormat(Kind kind) : m_kind(kind) {}

    Kind m_kind;
};
