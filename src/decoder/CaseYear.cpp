#include "CaseYear.h"

#include <QDate>
#include <QDateTime>

#include <atomic>

namespace {

bool allAsciiDigits(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
    }
    return true;
}

} // namespace

QString fullCaseYear(const QString &year, int currentYear)
{
    if (!allAsciiDigits(year))
        return QString();
    if (year.size() == 4)
        return year;
    if (year.size() != 2)
        return QString();
    return (year.toInt() > currentYear % 100 ? QStringLiteral("19") : QStringLiteral("20")) + year;
}

int thisYear()
{
    static std::atomic<qint64> nextReading{0};
    static std::atomic<int> year{0};
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now >= nextReading) {
        year = QDate::currentDate().year();
        nextReading = now + 1000;
    }
    return year;
}
