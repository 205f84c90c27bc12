#include "StoredForms.h"

#include "PreparedStatement.h"

QString storedFormsCondition(const QString &column, int firstPosition)
{
    QStringList parameters;
    for (int i = 0; i < StoredFormCount; ++i)
        parameters << QStringLiteral("?%1").arg(firstPosition + i);
    return QStringLiteral("%1 IN (%2)").arg(column, parameters.join(QStringLiteral(", ")));
}

void bindStoredForms(PreparedStatement &statement, int firstPosition, QByteArrayView utf8)
{
    // A server's text column holds text only: the other forms cannot be there.
    if (statement.isOnServer()) {
        statement.bindUtf8(firstPosition, utf8);
        for (int form = 1; form < StoredFormCount; ++form)
            statement.bindNull(firstPosition + form);
        return;
    }
    const QByteArray text = utf8.toByteArray();
    bool isInteger = false;
    const qlonglong integer = text.toLongLong(&isInteger);
    bool isReal = false;
    const double real = text.toDouble(&isReal);

    // A form the text cannot take is asked as null, which equals nothing.
    statement.bindUtf8(firstPosition, utf8);
    if (isInteger)
        statement.bindInt64(firstPosition + 1, integer);
    else
        statement.bindNull(firstPosition + 1);
    if (isReal)
        statement.bindDouble(firstPosition + 2, real);
    else
        statement.bindNull(firstPosition + 2);
    statement.bindBlob(firstPosition + 3, utf8);
}
