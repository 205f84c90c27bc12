#pragma once

#include "documents/TextPiece.h"

class ZipArchive;

// The body of a Word .docx paragraph by paragraph, tables' cells included,
// numbered from 1 as "абзац N". False when the sink stopped it.
bool readWordDocument(const ZipArchive &archive, const TextSink &sink);
