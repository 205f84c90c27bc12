#pragma once

#include "cli/OutputFormat.h"

#include <QStringList>

class QTextStream;
class TDMDLL;

// `velmora-decode --extract`: every case number of the documents (or of
// standard input, read as text, when there are none), one answer each, in
// the order found. TSV and JSON name the file ("-" for standard input) and
// the place in it. A file that cannot be read is reported on errors and the
// others are still read. Returns the exit status: 0 when every number's
// court was found, 1 when one was not, 2 when a file could not be read.
// Database errors are raised as DatabaseError.
int extractCaseNumbers(TDMDLL &decoder, const OutputFormat &format, const QStringList &files, QTextStream &out,
                       QTextStream &errors);
