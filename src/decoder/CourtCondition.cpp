#include "CourtCondition.h"

#include "decoder/CourtRows.h"

QString courtCondition(const QString &code)
{
    return QStringLiteral("JudgementCode = '") + QString(code).replace(QLatin1Char('\''), QLatin1String("''"))
           + QLatin1Char('\'');
}

QString serverJoinStatement()
{
    return JoinStatement
           + QStringLiteral(" order by judgement.guid collate \"C\", structures.guid collate \"C\", separation.guid collate \"C\"");
}

QString serverCourtOnlyStatement()
{
    return QStringLiteral("select * from judgement where JudgementCode=? order by guid collate \"C\"");
}
