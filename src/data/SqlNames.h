#pragma once

#include <QString>

// A table or column name as SQL takes it whatever it holds: names are never
// bound, so they are quoted instead.
inline QString quotedName(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}
