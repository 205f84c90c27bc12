#include "ServerLocation.h"

#include <QRegularExpression>

bool isServerLocation(const QString &location)
{
    return location.startsWith(QLatin1String("postgresql://")) || location.startsWith(QLatin1String("postgres://"));
}

QString locationWithoutPassword(const QString &location)
{
    if (!isServerLocation(location))
        return location;
    static const QRegularExpression userPassword(QStringLiteral("^(postgres(?:ql)?://[^:@/?]*):[^@/?]*@"));
    static const QRegularExpression passwordParameter(QStringLiteral("([?&])password=[^&]*&?"));
    QString shown = location;
    shown.replace(userPassword, QStringLiteral("\\1@"));
    shown.replace(passwordParameter, QStringLiteral("\\1"));
    if (shown.endsWith(QLatin1Char('&')) || shown.endsWith(QLatin1Char('?')))
        shown.chop(1);
    return shown;
}
