#include "CaseListModel.h"

namespace {

bool sortsAsNumber(int column)
{
    return column == CaseList::Occurrences || column == CaseList::Serial || column == CaseList::Year;
}

} // namespace

void CaseListModel::setList(const CaseList &list)
{
    beginResetModel();
    m_list = list;
    endResetModel();
}

int CaseListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_list.size());
}

int CaseListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : CaseList::ColumnCount;
}

QVariant CaseListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const QString text = m_list.text(index.row(), CaseList::Column(index.column()));
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return text;
    if (role == SortRole) {
        // A number of another court has no serial or year: it sorts first.
        return sortsAsNumber(index.column()) ? QVariant(text.toLongLong()) : QVariant(text);
    }
    return {};
}

QVariant CaseListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // Sixteen columns fit a screen only under short headings; the full ones
    // are the tooltips, and the exports carry them.
    static const QStringList ShortHeader{
        QStringLiteral("Номер дела"), QStringLiteral("Раз"),    QStringLiteral("Код"),     QStringLiteral("Суд"),
        QStringLiteral("Номер"),      QStringLiteral("Год"),    QStringLiteral("Отд."),    QStringLiteral("№ в отд."),
        QStringLiteral("Телефон"),    QStringLiteral("Внутр."), QStringLiteral("Состав"),  QStringLiteral("Тип"),
        QStringLiteral("Факс"),       QStringLiteral("Зал"),    QStringLiteral("Этаж"),    QStringLiteral("Состояние"),
    };
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return ShortHeader.value(section);
    if (orientation == Qt::Horizontal && role == Qt::ToolTipRole)
        return CaseList::header().value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
