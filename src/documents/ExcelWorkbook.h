#pragma once

#include "documents/TextPiece.h"

class ZipArchive;

// Every filled cell of every sheet of an Excel .xlsx, sheet by sheet in the
// workbook's order, row by row, as "Лист1!B2". Shared strings are resolved;
// numbers come as Excel stores them. False when the sink stopped it.
bool readExcelWorkbook(const ZipArchive &archive, const TextSink &sink);
