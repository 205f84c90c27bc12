#include "CourtCondition.h"

QString courtCondition(const QString &code)
{
    return QStringLiteral("JudgementCode = '") + QString(code).replace(QLatin1Char('\''), QLatin1String("''"))
           + QLatin1Char('\'');
}

QString courtOnlyStatement()
{
    return QStringLiteral("select * from judgement where JudgementCode=?");
}
