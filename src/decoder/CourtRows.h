#pragma once

#include <QString>

#include <optional>

// The columns of one row of the courts–divisions–compositions join that a
// decode reads.
struct JoinRowFields
{
    QString JudgementName;
    QString Phone;
    QString StructureNum;
    QString StructureType;
    QString StructureFAXNum;
    QString vnphone;
    QString zal;
    QString floor;
};

// What the decoder asks of the reference data for one court code. Both
// answers are those of the lookup dataset: the join in its own row order,
// filtered to the court by exact text, then located on the division number.
class CourtRows
{
public:
    struct Answer
    {
        bool courtHasRows = false;
        // True when a row of the court has exactly this division number.
        bool divisionFound = false;
        // The row with the division, or else the court's first row; empty without rows.
        JoinRowFields current;
    };

    virtual ~CourtRows() = default;

    // Without a division, the answer's row is the court's first row.
    virtual Answer lookUp(const QString &code, const std::optional<QString> &division) = 0;

    // The name from the courts table alone, for a court with no division;
    // nothing when no court has the code.
    virtual std::optional<QString> courtOnlyName(const QString &code) = 0;
};
