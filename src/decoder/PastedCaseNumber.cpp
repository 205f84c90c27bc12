#include "PastedCaseNumber.h"

#include "decoder/CaseNumberFinder.h"
#include "decoder/DmDLLUnit.h"

PastedCaseNumber decodePasted(TDMDLL &decoder, const QString &pasted)
{
    const CaseNumberFinder &finder = decoder.caseNumberFinder();
    PastedCaseNumber decoded;
    decoded.number = finder.decoderInput(pasted);
    // The decoder consumes its argument; the caller keeps the number it shows.
    QString consumed = decoded.number;
    decoded.info = decoder.DecodeJobNum(consumed);

    // Only a refused text needs a word on whose number it holds, so only then is it searched again.
    if (decoded.info.error != StructInfo::FoundStatus) {
        const auto found = finder.findFirst(pasted);
        if (found && found->system != CourtSystem::Arbitration)
            decoded.explanation = otherCourtExplanation(found->system);
    }
    return decoded;
}
