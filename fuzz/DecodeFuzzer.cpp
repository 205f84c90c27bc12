// libFuzzer target: any text, as typed or as raw UTF-16, goes through the
// input clean-up and the decoder over a small database without crashing,
// hanging or breaking the decoder's promises about its record. The same rows
// sit in a second file without keys, where the decoder reads the whole join
// instead of the indexes; both must give the same record.

#include "decoder/CaseNumberInput.h"
#include "decoder/DmDLLUnit.h"
#include "support/ScratchDatabase.h"

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
    check(info.error == QLatin1String("OK") || info.error == QLatin1String("NO Found !!!"));
    check(number.startsWith(info.codsud));
    check(!decoder->UniQuery1->isOpen());
    check(decoder->UniQuery1->statement() == TDMDLL::JoinStatement);
    if (info.error != QLatin1String("OK"))
        check(info.sudname.isEmpty());

    QString consumedAgain = number;
    const StructInfo again = wholeJoinDecoder->DecodeJobNum(consumedAgain);
    check(consumedAgain == consumed);
    const auto fields = namedFields(info);
    const auto sameFields = namedFields(again);
    for (qsizetype i = 0; i < fields.size(); ++i)
        check(fields[i].second == sameFields[i].second);
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
    return 0;
}
