#include "CourtCondition.h"

QString courtCondition(const QString &code)
{
    return QStringLiteral("JudgementCode = '") + QString(code).replace(QLatin1Char('\''), QLatin1String("''"))
           + QLatin1Char('\'');
}

QString serverJoinStatement()
{
    return QStringLiteral("select * from judgement,separation, structures where (judgement.guid=structures.ref_Judgement) "
                          "and (structures.guid=separation.ref_structures)"
                          " order by judgement.guid collate \"C\", structures.guid collate \"C\", separation.guid collate \"C\"");
}

QString serverCourtOnlyStatement()
{
    return QStringLiteral("select * from judgement where JudgementCode=? order by guid collate \"C\"");
}
