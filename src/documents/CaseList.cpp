#include "CaseList.h"

QStringList CaseList::header()
{
    return {
        QStringLiteral("Номер дела"),     QStringLiteral("Сколько раз"),       QStringLiteral("Код суда"),
        QStringLiteral("Суд"),            QStringLiteral("Порядковый номер"),  QStringLiteral("Год"),
        QStringLiteral("Отделение"),      QStringLiteral("Номер в отделении"), QStringLiteral("Телефон отделения"),
        QStringLiteral("Внутренний номер"), QStringLiteral("Номер состава"),   QStringLiteral("Тип состава"),
        QStringLiteral("Факс состава"),   QStringLiteral("Зал"),               QStringLiteral("Этаж"),
        QStringLiteral("Состояние"),
    };
}

void CaseList::add(const ExtractedCase &found)
{
    add(found, 1);
}

void CaseList::append(const CaseList &other)
{
    for (const Row &row : other.m_rows)
        add(row.found, row.occurrences);
}

void CaseList::add(const ExtractedCase &found, int occurrences)
{
    // The same case written with another dash or blank is still the same case.
    const auto known = m_rowOfNumber.constFind(found.number);
    if (known != m_rowOfNumber.cend()) {
        m_rows[*known].occurrences += occurrences;
        return;
    }
    m_rowOfNumber.insert(found.number, m_rows.size());
    m_rows.append({found, occurrences});
}

QString CaseList::text(qsizetype row, Column column) const
{
    const ExtractedCase &found = m_rows.at(row).found;
    const StructInfo &info = found.info;
    switch (column) {
    case Number: return found.number;
    case Occurrences: return QString::number(m_rows.at(row).occurrences);
    case CourtCode: return info.codsud;
    case CourtName: return info.sudname;
    case Serial: return info.jobnum;
    case Year: return found.fullYear;
    case Division: return info.sepnum;
    case NumberInDivision: return info.jobnum_in_struct;
    case DivisionPhone: return info.otdphone;
    case InternalPhone: return info.vnphone;
    case CompositionNumber: return info.snum;
    case CompositionType: return info.stype;
    case Fax: return info.sfaxnum;
    case Hall: return info.zal;
    case Floor: return info.floor;
    case Status: return found.status;
    case ColumnCount: break;
    }
    return {};
}

TextTable CaseList::table() const
{
    TextTable table{header(), {}};
    table.rows.reserve(m_rows.size());
    for (qsizetype row = 0; row < m_rows.size(); ++row) {
        QStringList cells;
        for (int column = 0; column < ColumnCount; ++column)
            cells << text(row, Column(column));
        table.rows.append(cells);
    }
    return table;
}
