#pragma once

#include "decoder/CourtRows.h"

class Dataset;

// Answers through the lookup dataset itself: the whole join is run and
// filtered in memory. Works on any file, at a cost that grows with the file.
class LookupDatasetCourtRows : public CourtRows
{
public:
    // The lookup runs whatever join statement the dataset holds.
    explicit LookupDatasetCourtRows(Dataset *lookup);

    Answer lookUp(const QString &code, const std::optional<QString> &division) override;
    std::optional<QString> courtOnlyName(const QString &code) override;

private:
    void filterToCourt(const QString &code);

    Dataset *m_lookup;
};
