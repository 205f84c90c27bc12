#pragma once

#include "documents/TextPiece.h"

#include <QString>

// Reads any document the user may bring (PDF, Word .docx, Excel .xlsx, plain
// text or CSV in UTF-8, UTF-16 or Windows-1251) into the sink, telling the
// kind by the file's first bytes, not by its name. Raises DocumentError with
// a message for the user when the file cannot be read. False when the sink
// stopped the reading.
bool readDocument(const QString &path, const TextSink &sink);
