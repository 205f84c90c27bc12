#include "DmDLLUnit.h"

#include "data/DatabaseLocation.h"
#include "data/PreparedStatement.h"
#include "data/ReadSnapshot.h"
#include "decoder/CachedCourtRows.h"
#include "decoder/CourtCondition.h"
#include "decoder/IndexedCourtRows.h"
#include "decoder/LookupDatasetCourtRows.h"
#include "decoder/ServerCourtRows.h"

TDMDLL *DMDLL = nullptr;

namespace {

// The text primitives of case-number cutting: 1-based positions on UTF-16 text.
qsizetype find(QChar c, const QString &s)
{
    return s.indexOf(c) + 1;
}

QString copy(const QString &s, qsizetype n)
{
    return n <= 0 ? QString() : s.left(n);
}

void cut(QString &s, qsizetype n)
{
    if (n > 0)
        s.remove(0, n);
}

} // namespace

TDMDLL::TDMDLL(QObject *parent)
    : QObject(parent)
    , UniConnection1(new DatabaseConnection(this))
    , UniQuery1(new Dataset(UniConnection1, JoinStatement, this))
    , UniDataSource1(new DataSource(UniQuery1, this))
    , m_indexedRows(std::make_unique<IndexedCourtRows>(UniConnection1, JoinStatement))
    , m_datasetRows(std::make_unique<LookupDatasetCourtRows>(UniQuery1))
    , m_serverRows(std::make_unique<ServerCourtRows>(UniConnection1))
{
    UniConnection1->setDatabasePath(QStringLiteral("./CaseNumber.db"));
    // Start-up and every editor action reopen the lookup, which holds a row per
    // division of the whole file; decodes mostly answer from the indexes and
    // never read it, so its rows are fetched only if something reads them.
    UniQuery1->setFetchOnFirstRead(true);

    connect(UniConnection1, &DatabaseConnection::aboutToDisconnect, this, [this] { m_finderCodesStale = true; });
    connect(UniQuery1, &Dataset::stateChanged, this, [this] {
        if (UniQuery1->isOpen())
            m_finderCodesStale = true;
    });
}

TDMDLL::~TDMDLL() = default;

void TDMDLL::DataModuleCreate()
{
    UniConnection1->setDatabasePath(caseNumberDatabasePath());
    UniConnection1->disconnectFromDatabase();
    UniConnection1->connectToDatabase();
}

const CaseNumberFinder &TDMDLL::caseNumberFinder()
{
    if (m_finderCodesStale && UniConnection1->isConnected()) {
        PreparedStatement codes(*UniConnection1, QStringLiteral("select JudgementCode from judgement"));
        QStringList courtCodes;
        while (codes.step())
            courtCodes << codes.columnText(0);
        m_finder.setCourtCodes(courtCodes);
        m_finderCodesStale = false;
    }
    return m_finder;
}

void TDMDLL::setRememberingCourtRows(bool remember)
{
    m_rememberedRows =
        remember ? std::make_unique<CachedCourtRows>(*UniConnection1, [this]() -> CourtRows & { return currentRows(); }) : nullptr;
}

CourtRows &TDMDLL::currentRows()
{
    if (!m_indexedLookups)
        return *m_datasetRows;
    if (UniConnection1->engine() == DatabaseConnection::Engine::Postgres)
        return *m_serverRows;
    if (m_indexedRows->isAvailable())
        return *m_indexedRows;
    return *m_datasetRows;
}

StructInfo TDMDLL::DecodeJobNum(QString &str)
{
    // Before anything is cut: a failed connect leaves the caller's text as it was.
    UniConnection1->ensureConnected();
    StructInfo info;

    qsizetype p = find(QLatin1Char('-'), str);
    const QString code = copy(str, p - 1);
    info.codsud = code;
    cut(str, p);

    if (!str.contains(QLatin1Char('/')))
        str += QLatin1Char('/');
    p = find(QLatin1Char('/'), str);
    info.jobnum = copy(str, p - 1);
    cut(str, p);

    const bool onServer = UniConnection1->engine() == DatabaseConnection::Engine::Postgres;
    const QString &joinStatement = onServer ? serverJoinStatement() : JoinStatement;
    if (UniQuery1->statement() != joinStatement)
        UniQuery1->setStatement(joinStatement);

    // Another program may commit between any two statements; one snapshot
    // keeps the schema check, the candidate rows and the rows read from
    // belonging to the same version of the reference. Remembered rows read
    // nothing here: they take a snapshot for each lookup not answered yet.
    std::optional<ReadSnapshot> snapshot;
    if (!m_rememberedRows)
        snapshot.emplace(*UniConnection1);
    CourtRows &rows = m_rememberedRows ? *m_rememberedRows : currentRows();
    QString status;
    QString year;
    // A missed division leaves the court's first row current, which is all the
    // fallback reads of the join; nothing can write in between, so it is not asked twice.
    std::optional<CourtRows::Answer> courtFirstRow;

    if (str.contains(QLatin1Char('-'))) {
        p = find(QLatin1Char('-'), str);
        year = copy(str, p - 1);
        cut(str, p);

        p = find(QLatin1Char('-'), str);
        const QString sep = copy(str, p - 1);
        info.sepnum = sep;
        cut(str, p);
        info.jobnum_in_struct = str;

        const CourtRows::Answer answer = rows.lookUp(code, sep);
        status = answer.divisionFound ? StructInfo::FoundStatus : StructInfo::NotFoundStatus;
        info.sudname = answer.current.JudgementName;
        info.otdelphone = answer.current.Phone;
        info.snum = answer.current.StructureNum;
        info.stype = answer.current.StructureType;
        info.sfaxnum = answer.current.StructureFAXNum;
        info.vnphone = answer.current.vnphone;
        info.otdphone = answer.current.Phone;
        info.floor = answer.current.floor;
        info.zal = answer.current.zal;
        if (!answer.divisionFound)
            courtFirstRow = answer;
    }

    if (status != StructInfo::FoundStatus) {
        if (year.isEmpty()) {
            p = find(QLatin1Char('-'), str);
            year = p > 0 ? copy(str, p - 1) : str;
        }
        info.sepnum.clear();
        info.jobnum_in_struct.clear();

        const CourtRows::Answer court = courtFirstRow ? *courtFirstRow : rows.lookUp(code, std::nullopt);
        bool courtExists = court.courtHasRows;
        info.sudname = court.current.JudgementName;
        if (info.sudname.isEmpty()) {
            // A court without any division has no row in the join: ask the courts table itself.
            const std::optional<QString> name = rows.courtOnlyName(code);
            courtExists = courtExists || name.has_value();
            info.sudname = name.value_or(QString());
        }
        status = courtExists ? StructInfo::FoundStatus : StructInfo::NotFoundStatus;

        // None of the division's details belong to this case when its division is unknown.
        info.otdelphone.clear();
        info.snum.clear();
        info.stype.clear();
        info.sfaxnum.clear();
        info.vnphone.clear();
        info.otdphone.clear();
        info.zal.clear();
        info.floor.clear();
    }

    // However the rows were read, the lookup dataset is left as every decode leaves it:
    // closed, on the join, filtered to this court.
    UniQuery1->close();
    UniQuery1->setFiltered(false);
    UniQuery1->setFilter(courtCondition(code));
    UniQuery1->setFiltered(true);

    info.error = status;
    info.year = year;
    return info;
}
