#pragma once

#include "documents/CaseExtractor.h"
#include "documents/TextTable.h"

#include <QHash>
#include <QList>

// The numbers of one or more documents as the list window shows them: one row
// per distinct number in the order first seen, with how often it occurs.
class CaseList
{
public:
    enum Column {
        Number, Occurrences, CourtCode, CourtName, Serial, Year, Division, NumberInDivision, DivisionPhone,
        InternalPhone, CompositionNumber, CompositionType, Fax, Hall, Floor, Status, ColumnCount
    };

    static QStringList header();

    void add(const ExtractedCase &found);
    // Another list's rows after this one's, counts of numbers both hold added up.
    void append(const CaseList &other);

    qsizetype size() const { return m_rows.size(); }
    const ExtractedCase &caseAt(qsizetype row) const { return m_rows.at(row).found; }
    int occurrencesAt(qsizetype row) const { return m_rows.at(row).occurrences; }
    QString text(qsizetype row, Column column) const;

    TextTable table() const;

private:
    struct Row
    {
        ExtractedCase found;
        int occurrences = 0;
    };

    void add(const ExtractedCase &found, int occurrences);

    QList<Row> m_rows;
    QHash<QString, qsizetype> m_rowOfNumber;
};
