#pragma once

#include "documents/TextPiece.h"

#include <QString>

// The text layer of a PDF page by page, as "стр. N", through Debian's
// poppler-qt6. A PDF whose pages carry no text at all (a scan) raises
// DocumentError rather than passing for a document without numbers.
// False when the sink stopped it.
bool readPdfDocument(const QString &path, const TextSink &sink);
