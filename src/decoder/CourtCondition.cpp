#include "CourtCondition.h"

#include "decoder/CourtRows.h"

QString courtCondition(const QString &code)
{
    return QStringLiteral("JudgementCode = '") + QString(code).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

// Built once: every decode on a server names its statement by this text.
const QString &serverJoinStatement()
{
    static const QString statement = JoinStatement
        + QStringLiteral(" order by judgement.guid collate \"C\", structures.guid collate \"C\", separation.guid collate \"C\"");
    return statement;
}

const QString &serverCourtOnlyStatement()
{
    static const QString statement = QStringLiteral("select * from judgement where JudgementCode=? order by guid collate \"C\"");
    return statement;
}
