#include "CaseExtractor.h"

#include "decoder/DmDLLUnit.h"

namespace {

const QString FoundStatus = QStringLiteral("найден");
const QString CourtNotFoundStatus = QStringLiteral("суд не найден");

} // namespace

CaseExtractor::CaseExtractor(TDMDLL &decoder)
    : m_decoder(decoder)
    , m_finder(decoder.caseNumberFinder())
{
    m_decoder.setRememberingCourtRows(true);
}

CaseExtractor::~CaseExtractor()
{
    m_decoder.setRememberingCourtRows(false);
}

QList<ExtractedCase> CaseExtractor::extract(const TextPiece &piece)
{
    QList<ExtractedCase> cases;
    for (const FoundCaseNumber &found : m_finder.findAll(piece.text)) {
        ExtractedCase extracted;
        extracted.numberAsWritten = piece.text.mid(found.position, found.length);
        extracted.number = found.number;
        extracted.place = piece.place;
        extracted.fullYear = found.fullYear;
        extracted.system = found.system;
        if (found.system == CourtSystem::Arbitration) {
            // The decoder consumes its argument.
            QString consumed = found.number;
            extracted.info = m_decoder.DecodeJobNum(consumed);
        } else {
            // Cut as an arbitration number, another court's number only yields
            // a court code such as "305" and a serial such as "ЭС19-12345".
            extracted.info.error = StructInfo::NotFoundStatus;
        }
        extracted.courtFound = extracted.info.error == StructInfo::FoundStatus;
        if (extracted.courtFound)
            extracted.status = FoundStatus;
        else if (found.system != CourtSystem::Arbitration)
            extracted.status = otherCourtExplanation(found.system);
        else
            extracted.status = CourtNotFoundStatus;
        cases.append(std::move(extracted));
    }
    return cases;
}
