// libFuzzer target: any text, as typed or as raw UTF-16, goes through the
// input clean-up and the decoder over a small database without crashing,
// hanging or breaking the decoder's promises about its record.

#include "decoder/CaseNumberInput.h"
#include "decoder/DmDLLUnit.h"
#include "support/ScratchDatabase.h"

#include <cstdint>
#include <cstdlib>

namespace {

TDMDLL *decoder = nullptr;

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
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static ScratchDatabase database{QString::fromUtf8(CourtsFixtureSql)
                                    + QStringLiteral("INSERT INTO judgement VALUES ('{JQ}', 'А''1', 'q'), ('{JE}', '', 'empty code');")};
    decoder = new TDMDLL;
    decoder->UniConnection1->setDatabasePath(database.path());
    decoder->UniConnection1->connectToDatabase();
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
    decodeAndCheck(normalizeCaseNumber(text));
    return 0;
}
