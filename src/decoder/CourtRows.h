#pragma once

#include <QString>

#include <optional>

// The lookup's join of courts, divisions and compositions, as the lookup
// dataset runs it. The paths that narrow it to one court reuse its tables and
// conditions word for word: operand order decides which collation applies.
inline const QString JoinTables = QStringLiteral(" from judgement,separation, structures");
inline const QString JoinConditions =
    QStringLiteral(" where (judgement.guid=structures.ref_Judgement) and (structures.guid=separation.ref_structures)");
inline const QString JoinStatement = QStringLiteral("select *") + JoinTables + JoinConditions;

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

// Each field with the join column it is read from, in the order the lookup
// dataset reads them: a missing column is reported for the first one missed.
struct JoinRowColumn
{
    const char *name;
    QString JoinRowFields::*field;
};
inline constexpr JoinRowColumn JoinRowColumns[] = {
    {"JudgementName", &JoinRowFields::JudgementName},
    {"Phone", &JoinRowFields::Phone},
    {"StructureNum", &JoinRowFields::StructureNum},
    {"StructureType", &JoinRowFields::StructureType},
    {"StructureFAXNum", &JoinRowFields::StructureFAXNum},
    {"vnphone", &JoinRowFields::vnphone},
    {"zal", &JoinRowFields::zal},
    {"floor", &JoinRowFields::floor},
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
