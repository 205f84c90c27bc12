#pragma once

#include "data/DataSource.h"
#include "data/DatabaseConnection.h"
#include "data/Dataset.h"
#include "decoder/CourtRows.h"
#include "decoder/CaseNumberFinder.h"
#include "decoder/StructInfo.h"

#include <QObject>

#include <memory>

class CachedCourtRows;
class CourtRows;
class IndexedCourtRows;
class LookupDatasetCourtRows;
class ServerCourtRows;

// The decoder's data module: its own connection to the reference database
// and the lookup dataset over the join of courts, compositions and divisions.
class TDMDLL : public QObject
{
    Q_OBJECT

public:
    explicit TDMDLL(QObject *parent = nullptr);
    ~TDMDLL() override;

    // Points the connection at "CaseNumber.db" beside the executable and
    // connects; raises DatabaseError when the file cannot be opened.
    void DataModuleCreate();

    // Cuts the case number into its segments and looks them up, all in one
    // snapshot of the database. Consumes str: callers pass a copy of what the user sees.
    StructInfo DecodeJobNum(QString &str);

    // The dataset path, which every other path must agree with; the tests compare them.
    void setIndexedLookups(bool enabled) { m_indexedLookups = enabled; }

    // The finder for pasted numbers, knowing every court code of the open
    // database; the codes are read again after a reconnect and after each
    // reopen of the lookup dataset, which the editor does after every action.
    const CaseNumberFinder &caseNumberFinder();

    // While on, each court's and division's rows are read once and then
    // answered from memory; turning it off forgets them. For decoding a whole
    // document in one go, never for the main window, which must see every edit.
    void setRememberingCourtRows(bool remember);

    DatabaseConnection *UniConnection1;
    Dataset *UniQuery1;
    DataSource *UniDataSource1;

private:
    CourtRows &currentRows();

    // Two ways to the same answers: straight from the indexes where the
    // join's row order can be followed, else through the lookup dataset.
    std::unique_ptr<IndexedCourtRows> m_indexedRows;
    std::unique_ptr<LookupDatasetCourtRows> m_datasetRows;
    // On a server the server itself narrows the join to the court.
    std::unique_ptr<ServerCourtRows> m_serverRows;
    bool m_indexedLookups = true;

    std::unique_ptr<CachedCourtRows> m_rememberedRows;
    CaseNumberFinder m_finder;
    bool m_finderCodesStale = true;
};

extern TDMDLL *DMDLL;
