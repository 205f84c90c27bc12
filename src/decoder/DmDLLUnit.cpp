#include "DmDLLUnit.h"

#include "data/DatabaseLocation.h"

TDMDLL *DMDLL = nullptr;

const QString TDMDLL::JoinStatement = QStringLiteral(
    "select * from judgement,separation, structures where (judgement.guid=structures.ref_Judgement) "
    "and (structures.guid=separation.ref_structures)");

namespace {

const QString FoundStatus = QStringLiteral("OK");
const QString NotFoundStatus = QStringLiteral("NO Found !!!");
const QString CourtOnlyStatement = QStringLiteral("select * from judgement where JudgementCode=?");

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

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

QString courtCondition(const QString &code)
{
    return QStringLiteral("JudgementCode = ") + quoted(code);
}

} // namespace

TDMDLL::TDMDLL(QObject *parent)
    : QObject(parent)
    , UniConnection1(new DatabaseConnection(this))
    , UniQuery1(new Dataset(UniConnection1, JoinStatement, this))
    , UniDataSource1(new DataSource(UniQuery1, this))
{
    UniConnection1->setDatabasePath(QStringLiteral("./CaseNumber.db"));
}

void TDMDLL::DataModuleCreate()
{
    UniConnection1->setDatabasePath(caseNumberDatabasePath());
    UniConnection1->disconnectFromDatabase();
    UniConnection1->connectToDatabase();
}

StructInfo TDMDLL::DecodeJobNum(QString &str)
{
    StructInfo info;
    Dataset &lookup = *UniQuery1;

    qsizetype p = find(QLatin1Char('-'), str);
    const QString code = copy(str, p - 1);
    info.codsud = code;
    cut(str, p);

    if (!str.contains(QLatin1Char('/')))
        str += QLatin1Char('/');
    p = find(QLatin1Char('/'), str);
    info.jobnum = copy(str, p - 1);
    cut(str, p);

    QString status;
    QString year;

    if (str.contains(QLatin1Char('-'))) {
        p = find(QLatin1Char('-'), str);
        year = copy(str, p - 1);
        cut(str, p);

        p = find(QLatin1Char('-'), str);
        const QString sep = copy(str, p - 1);
        info.sepnum = sep;
        cut(str, p);
        info.jobnum_in_struct = str;

        lookup.close();
        lookup.open();
        lookup.setFiltered(false);
        lookup.setFilter(courtCondition(code));
        lookup.setFiltered(true);

        status = lookup.locate(QStringLiteral("SeparationName"), sep) ? FoundStatus : NotFoundStatus;

        // After a miss the current row is the court's first row in the join, if any.
        info.sudname = lookup.fieldText(QStringLiteral("JudgementName"));
        info.otdelphone = lookup.fieldText(QStringLiteral("Phone"));
        info.snum = lookup.fieldText(QStringLiteral("StructureNum"));
        info.stype = lookup.fieldText(QStringLiteral("StructureType"));
        info.sfaxnum = lookup.fieldText(QStringLiteral("StructureFAXNum"));
        info.vnphone = lookup.fieldText(QStringLiteral("vnphone"));
        info.otdphone = lookup.fieldText(QStringLiteral("Phone"));
        info.floor = lookup.fieldText(QStringLiteral("floor"));
        info.zal = lookup.fieldText(QStringLiteral("zal"));
        lookup.close();
    }

    if (status != FoundStatus) {
        if (year.isEmpty()) {
            p = find(QLatin1Char('-'), str);
            year = p > 0 ? copy(str, p - 1) : str;
        }
        info.sepnum.clear();
        info.jobnum_in_struct.clear();

        lookup.open();
        lookup.setFiltered(false);
        lookup.setFilter(courtCondition(code));
        lookup.setFiltered(true);
        bool courtExists = lookup.rowCount() > 0;

        info.sudname = lookup.fieldText(QStringLiteral("JudgementName"));
        if (lookup.fieldText(QStringLiteral("JudgementName")).isEmpty()) {
            // A court without any division has no row in the join: ask the courts table itself.
            // The code is bound, not spliced: pasted text may hold characters (a NUL) that no
            // quoting carries through SQL.
            lookup.setStatement(CourtOnlyStatement, {code});
            lookup.open();
            courtExists = courtExists || lookup.rowCount() > 0;
            info.sudname = lookup.fieldText(QStringLiteral("JudgementName"));
            lookup.setStatement(JoinStatement);
        }
        status = courtExists ? FoundStatus : NotFoundStatus;

        // None of the division's details belong to this case when its division is unknown.
        info.otdelphone.clear();
        info.snum.clear();
        info.stype.clear();
        info.sfaxnum.clear();
        info.vnphone.clear();
        info.otdphone.clear();
        info.zal.clear();
        info.floor.clear();
        lookup.close();
    }

    info.error = status;
    info.year = year;
    return info;
}
