#include "ResultLines.h"

#include <QDate>

namespace {

// Court files of the last century still come up; a two-digit year that lies
// ahead of this year cannot be a case already filed, so it is read as 19xx.
QString yearLine(const QString &year, int currentYear)
{
    if (year.size() != 2)
        return QStringLiteral("Год: ") + year;
    const bool digits = year.at(0).isDigit() && year.at(1).isDigit()
                        && year.at(0).unicode() < 128 && year.at(1).unicode() < 128;
    if (digits && year.toInt() > currentYear % 100)
        return QStringLiteral("Год: 19") + year;
    return QStringLiteral("Год: 20") + year;
}

} // namespace

QStringList resultLines(const StructInfo &info, int currentYear)
{
    if (info.error != StructInfo::FoundStatus)
        return {QStringLiteral("Информация не найдена, возможно ошибка ввода номера дела ")};
    return {
        QStringLiteral("Название суда: ") + info.sudname,
        QStringLiteral("Код суда: ") + info.codsud,
        QStringLiteral("Порядковый номер дела с начала года: ") + info.jobnum,
        yearLine(info.year, currentYear),
        QStringLiteral("Отделение: ") + info.sepnum,
        QStringLiteral("Порядковый номер внутри отделения: ") + info.jobnum_in_struct,
        QStringLiteral("Телефон отделения: ") + info.otdphone,
        QStringLiteral("Внутренний номер: ") + info.vnphone,
        QStringLiteral("Номер состава: ") + info.snum,
        QStringLiteral("Тип состава: ") + info.stype,
        QStringLiteral("Номер факса состава: ") + info.sfaxnum,
        QStringLiteral("Зал: ") + info.zal,
        QStringLiteral("Этаж: ") + info.floor,
    };
}

QStringList resultLines(const StructInfo &info)
{
    return resultLines(info, QDate::currentDate().year());
}
