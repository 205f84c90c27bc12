#pragma once

#include "documents/CaseList.h"

#include <QAbstractTableModel>

// The list window's table: a case list, read-only. Counts, serials and years
// sort as numbers under SortRole; everything else as text.
class CaseListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int SortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void setList(const CaseList &list);
    const CaseList &list() const { return m_list; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    CaseList m_list;
};
