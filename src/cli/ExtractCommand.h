#pragma once

#include "cli/OutputFormat.h"

#include "documents/CaseExtractor.h"
#include "documents/TextPiece.h"

#include <QStringList>

#include <functional>

class TDMDLL;

// Where answers go, a few lines at a time (one number's answer in one call).
using LineWriter = std::function<void(const QStringList &lines)>;

// Writes an answer for every case number of the text it is given, in the
// order found; TSV and JSON name the file and the place in it. The header,
// if the format has one, is written at once.
class ExtractionWriter
{
public:
    ExtractionWriter(TDMDLL &decoder, const OutputFormat &format, LineWriter out);

    // A sink for the pieces of one file's text.
    TextSink sinkFor(const QString &file);
    bool everyCourtFound() const { return m_everyCourtFound; }

private:
    void write(const QString &file, const ExtractedCase &found);
    QString withPlace(const QString &file, const QString &place, const QString &line) const;

    CaseExtractor m_extractor;
    const OutputFormat &m_format;
    LineWriter m_out;
    bool m_isFirst = true;
    bool m_everyCourtFound = true;
};

// `velmora-decode --extract`: every case number of the documents (or of
// standard input, read as text, when there are none), one answer each, in
// the order found. TSV and JSON name the file ("-" for standard input) and
// the place in it. A file that cannot be read goes to reportProblem, named,
// and the others are still read. Returns the exit status: 0 when every
// number's court was found, 1 when one was not, 2 when a file could not be
// read. Database errors are raised as DatabaseError, failed writes as out
// raises them.
int extractCaseNumbers(TDMDLL &decoder, const OutputFormat &format, const QStringList &files, const LineWriter &out,
                       const std::function<void(const QString &problem)> &reportProblem);
