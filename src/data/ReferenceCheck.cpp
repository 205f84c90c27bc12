#include "ReferenceCheck.h"

#include "DatabaseConnection.h"
#include "PreparedStatement.h"
#include "ReadSnapshot.h"
#include "ReferenceTables.h"

#include <QRegularExpression>

namespace {

struct Parent
{
    QString child;
    QString reference;
    QString parent;
    QString what;
};

// Keys and references are compared as text, as the datasets read them.
const Parent Parents[] = {
    {QStringLiteral("structures"), QStringLiteral("ref_Judgement"), QStringLiteral("judgement"), QStringLiteral("состав без суда")},
    {QStringLiteral("separation"), QStringLiteral("ref_structures"), QStringLiteral("structures"), QStringLiteral("отделение без состава")},
};

QString shown(const std::optional<QByteArrayView> &value)
{
    return value ? QStringLiteral("«%1»").arg(QString::fromUtf8(*value)) : QStringLiteral("NULL");
}

void findOrphans(const DatabaseConnection &connection, QStringList &problems)
{
    for (const Parent &parent : Parents) {
        PreparedStatement orphans(connection,
                                  QStringLiteral("SELECT CAST(c.GUID AS TEXT), CAST(c.%1 AS TEXT) FROM %2 c WHERE NOT EXISTS "
                                                 "(SELECT 1 FROM %3 p WHERE CAST(p.GUID AS TEXT) = CAST(c.%1 AS TEXT))")
                                      .arg(parent.reference, parent.child, parent.parent));
        while (orphans.step()) {
            problems << QStringLiteral("%1: %2 %3 ссылается на %4 %5, которой нет")
                            .arg(parent.what, parent.child, shown(orphans.columnValue(0)), parent.parent, shown(orphans.columnValue(1)));
        }
    }
}

void findKeyFaults(const DatabaseConnection &connection, QStringList &problems)
{
    for (const ReferenceTable &table : referenceTables()) {
        PreparedStatement missing(connection, QStringLiteral("SELECT count(*) FROM %1 WHERE GUID IS NULL").arg(table.name));
        if (missing.step() && missing.columnInt64(0) > 0)
            problems << QStringLiteral("строки без ключа GUID: %1, %2 шт.").arg(table.name).arg(missing.columnInt64(0));
        PreparedStatement duplicates(
            connection,
            QStringLiteral(
                "SELECT CAST(GUID AS TEXT), count(*) FROM %1 WHERE GUID IS NOT NULL GROUP BY CAST(GUID AS TEXT) HAVING count(*) > 1")
                .arg(table.name));
        while (duplicates.step()) {
            problems << QStringLiteral("повторяющийся ключ: %1 %2, %3 строки")
                            .arg(table.name, shown(duplicates.columnValue(0)))
                            .arg(duplicates.columnInt64(1));
        }
    }
}

void findOddCourtCodes(const DatabaseConnection &connection, QStringList &problems)
{
    PreparedStatement courts(connection, QStringLiteral("SELECT CAST(GUID AS TEXT), CAST(JudgementCode AS TEXT) FROM judgement"));
    while (courts.step()) {
        const auto code = courts.columnValue(1);
        if (!code || !isKnownCourtCodeShape(QString::fromUtf8(*code)))
            problems << QStringLiteral("код суда неизвестного вида: %1 у суда %2").arg(shown(code), shown(courts.columnValue(0)));
    }
}

} // namespace

bool isKnownCourtCodeShape(const QString &code)
{
    static const QRegularExpression shapes(QStringLiteral("^(?:А\\d\\d|\\d\\dАП|Ф\\d\\d|СИП|С\\d\\d)$"));
    return shapes.match(code).hasMatch();
}

QStringList referenceProblems(const DatabaseConnection &connection)
{
    const ReadSnapshot snapshot(connection);
    QStringList problems;
    findOrphans(connection, problems);
    findKeyFaults(connection, problems);
    findOddCourtCodes(connection, problems);
    return problems;
}
