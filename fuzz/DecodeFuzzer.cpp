// libFuzzer target: any text, as typed or as raw UTF-16, goes through the
// case-number finder, the input clean-up and the decoder over a small
// database without crashing, hanging or breaking the promises of the finder
// about what it found and of the decoder about its record. The same rows sit
// in a second file without keys, where the decoder reads the whole join
// instead of the indexes; both must give the same record.

#include "decoder/CaseNumberFinder.h"
#include "decoder/CaseNumberInput.h"
#include "decoder/DmDLLUnit.h"
#include "decoder/PastedCaseNumber.h"
#include "support/ScratchDatabase.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

TDMDLL *decoder = nullptr;
TDMDLL *wholeJoinDecoder = nullptr;

const QString ExtraCourts = QStringLiteral(
    "INSERT INTO judgement VALUES ('{JQ}', 'А''1', 'q'), ('{JE}', '', 'empty code'), ('{J40b}', 'А40', 'twin');"
    "INSERT INTO structures (GUID, ref_Judgement, StructureNum) VALUES ('{S3}', '{J40b}', '3');"
    "INSERT INTO separation (GUID, ref_structures, SeparationName, Phone) VALUES ('{D3}', '{S3}', '101', 'twin phone');");

// The fixture's tables without keys, so that no index can serve the join.
QString withoutKeys(QString sql)
{
    return sql.replace(QStringLiteral(" PRIMARY KEY"), QString());
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void decodeAndCheck(const QString &number)
{
    QString consumed = number;
    const StructInfo info = decoder->DecodeJobNum(consumed);
    check(info.error == StructInfo::FoundStatus || info.error == StructInfo::NotFoundStatus);
    check(number.startsWith(info.codsud));
    check(!decoder->UniQuery1->isOpen());
    check(decoder->UniQuery1->statement() == JoinStatement);
    if (info.error != StructInfo::FoundStatus)
        check(info.sudname.isEmpty());

    QString consumedAgain = number;
    const StructInfo again = wholeJoinDecoder->DecodeJobNum(consumedAgain);
    check(consumedAgain == consumed);
    const auto fields = namedFields(info);
    const auto sameFields = namedFields(again);
    for (qsizetype i = 0; i < fields.size(); ++i)
        check(fields[i].second == sameFields[i].second);
}

bool allDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Numbers in order, inside the text, never overlapping; an arbitration number
// is made of its parts and is found again, unchanged, in its own text.
void findAndCheck(const QString &text)
{
    const CaseNumberFinder &finder = decoder->caseNumberFinder();
    const QList<FoundCaseNumber> numbers = finder.findAll(text);
    qsizetype previousEnd = 0;
    const FoundCaseNumber *firstArbitration = nullptr;
    for (const FoundCaseNumber &found : numbers) {
        check(found.position >= previousEnd && found.length > 0 && found.position + found.length <= text.size());
        previousEnd = found.position + found.length;
        check(!found.number.isEmpty());
        if (found.system != CourtSystem::Arbitration) {
            check(found.courtCode.isEmpty());
            continue;
        }
        if (!firstArbitration)
            firstArbitration = &found;
        check(!found.serial.isEmpty() && allDigits(found.serial));
        check((found.year.size() == 2 || found.year.size() == 4) && allDigits(found.year));
        check(found.fullYear.size() == 4 && found.fullYear.endsWith(found.year));
        check(found.number.startsWith(found.courtCode + QLatin1Char('-') + found.serial + QLatin1Char('/') + found.year));
        const auto again = finder.findFirst(found.number);
        check(again && again->number == found.number && again->position == 0 && again->length == found.number.size());
    }
    const auto first = finder.findFirst(text);
    check(first.has_value() == !numbers.isEmpty());
    if (first)
        check(first->position == (firstArbitration ? firstArbitration : &numbers.front())->position);
}

TDMDLL *decoderOver(const QString &path)
{
    auto *module = new TDMDLL;
    module->UniConnection1->setDatabasePath(path);
    module->UniConnection1->connectToDatabase();
    return module;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static ScratchDatabase keyed{QString::fromUtf8(CourtsFixtureSql) + ExtraCourts};
    static ScratchDatabase bare{withoutKeys(QString::fromUtf8(CourtsFixtureSql)) + ExtraCourts};
    decoder = decoderOver(keyed.path());
    wholeJoinDecoder = decoderOver(bare.path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the reading: UTF-8 text, or raw UTF-16 with unpaired surrogates allowed.
    const auto *bytes = reinterpret_cast<const char *>(data + 1);
    const qsizetype length = qsizetype(size - 1);
    const QString text = data[0] & 1 ? QString(reinterpret_cast<const QChar *>(bytes), length / 2)
                                     : QString::fromUtf8(bytes, length);
    decodeAndCheck(text);
    decodeAndCheck(cleanedTypedNumber(text));
    findAndCheck(text);
    const PastedCaseNumber pasted = decodePasted(*decoder, text);
    check(pasted.explanation.isEmpty() || pasted.info.error != StructInfo::FoundStatus);
    return 0;
}
