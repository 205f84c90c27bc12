#include "PastedCaseNumber.h"

#include "decoder/CaseNumberFinder.h"
#include "decoder/CaseNumberInput.h"
#include "decoder/DmDLLUnit.h"

PastedCaseNumber decodePasted(TDMDLL &decoder, const QString &pasted)
{
    const auto found = decoder.caseNumberFinder().findFirst(pasted);
    const bool arbitration = found && found->system == CourtSystem::Arbitration;

    PastedCaseNumber decoded;
    decoded.number = arbitration ? found->number : cleanedTypedNumber(pasted);
    // The decoder consumes its argument; the caller keeps the number it shows.
    QString consumed = decoded.number;
    decoded.info = decoder.DecodeJobNum(consumed);
    if (found && !arbitration && decoded.info.error != QLatin1String("OK"))
        decoded.explanation = otherCourtExplanation(found->system);
    return decoded;
}
