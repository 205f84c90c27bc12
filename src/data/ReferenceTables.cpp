#include "ReferenceTables.h"

const std::vector<ReferenceTable> &referenceTables()
{
    static const std::vector<ReferenceTable> tables = {
        {QStringLiteral("judgement"), {QStringLiteral("GUID"), QStringLiteral("JudgementCode"), QStringLiteral("JudgementName")}},
        {QStringLiteral("structures"),
         {QStringLiteral("GUID"), QStringLiteral("ref_Judgement"), QStringLiteral("StructureNum"), QStringLiteral("StructureType"),
          QStringLiteral("StructureFAXNum"), QStringLiteral("StructureSpecification")}},
        {QStringLiteral("separation"),
         {QStringLiteral("GUID"), QStringLiteral("ref_structures"), QStringLiteral("SeparationName"), QStringLiteral("Phone"),
          QStringLiteral("vnphone"), QStringLiteral("zal"), QStringLiteral("floor")}},
    };
    return tables;
}
