#include "StructInfo.h"

QList<std::pair<QString, QString>> namedFields(const StructInfo &info)
{
    return {
        {QStringLiteral("snum"), info.snum},
        {QStringLiteral("stype"), info.stype},
        {QStringLiteral("sfaxnum"), info.sfaxnum},
        {QStringLiteral("sudname"), info.sudname},
        {QStringLiteral("jobnum"), info.jobnum},
        {QStringLiteral("year"), info.year},
        {QStringLiteral("jobnum_in_struct"), info.jobnum_in_struct},
        {QStringLiteral("codsud"), info.codsud},
        {QStringLiteral("sepnum"), info.sepnum},
        {QStringLiteral("error"), info.error},
        {QStringLiteral("otdelphone"), info.otdelphone},
        {QStringLiteral("vnphone"), info.vnphone},
        {QStringLiteral("zal"), info.zal},
        {QStringLiteral("floor"), info.floor},
        {QStringLiteral("otdphone"), info.otdphone},
    };
}
