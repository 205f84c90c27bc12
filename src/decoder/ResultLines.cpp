#include "ResultLines.h"

#include "decoder/CaseYear.h"

#include <QDate>

namespace {

QString yearLine(const QString &year, int currentYear)
{
    if (year.size() != 2)
        return QStringLiteral("Год: ") + year;
    const QString fullYear = fullCaseYear(year, currentYear);
    return QStringLiteral("Год: ") + (fullYear.isEmpty() ? QStringLiteral("20") + year : fullYear);
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
