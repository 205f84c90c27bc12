#pragma once

#include "decoder/CaseNumberFinder.h"
#include "decoder/StructInfo.h"
#include "documents/TextPiece.h"

#include <QList>
#include <QString>

class TDMDLL;

// One case number found in a document, decoded.
struct ExtractedCase
{
    QString numberAsWritten; // the text as it stands in the document
    QString number;          // the number as the decoder reads it
    QString place;           // where in the document: "строка 3", "стр. 2", "Лист1!B4"
    QString fullYear;
    CourtSystem system = CourtSystem::Arbitration;
    StructInfo info;
    // The decoder found the court; a number of another court system never has one.
    bool courtFound = false;
    // "найден", "суд не найден", or the line naming the other court system.
    QString status;
};

// Finds every case number of a document's text and decodes each, remembering
// the courts it has read for as long as it lives (see TDMDLL's remembering).
class CaseExtractor
{
public:
    explicit CaseExtractor(TDMDLL &decoder);
    ~CaseExtractor();

    CaseExtractor(const CaseExtractor &) = delete;
    CaseExtractor &operator=(const CaseExtractor &) = delete;

    // Every number of the piece, in the order they stand.
    QList<ExtractedCase> extract(const TextPiece &piece);

private:
    TDMDLL &m_decoder;
    const CaseNumberFinder &m_finder;
};
