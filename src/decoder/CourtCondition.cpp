#include "CourtCondition.h"

QString courtCondition(const QString &code)
{
    return QStringLiteral("JudgementCode = '") + QString(code).replace(QLatin1Char('\''), QLatin1String("''"))
           + QLatin1Char('\'');
}
