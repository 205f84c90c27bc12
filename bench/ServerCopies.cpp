#include "ServerCopies.h"

#include "GeneratedDatabases.h"

#include "data/DatabaseConnection.h"
#include "data/PreparedStatement.h"
#include "data/ReferenceCopy.h"
#include "support/PostgresTestServer.h"

#include <map>

const QString ServerDivisionOfCourt =
    QStringLiteral("SELECT judgement.JudgementName, separation.Phone, structures.StructureNum, structures.StructureType, "
                   "structures.StructureFAXNum, separation.vnphone, separation.floor, separation.zal FROM judgement "
                   "JOIN structures ON structures.ref_Judgement = judgement.GUID "
                   "JOIN separation ON separation.ref_structures = structures.GUID "
                   "WHERE judgement.JudgementCode = ? AND separation.SeparationName = ? "
                   "ORDER BY judgement.guid COLLATE \"C\", structures.guid COLLATE \"C\", separation.guid COLLATE \"C\" LIMIT 1");

QString ServerCopies::of(int divisions)
{
    static std::map<int, QString> copies;
    const auto found = copies.find(divisions);
    if (found != copies.end())
        return found->second;

    PostgresTestServer &server = PostgresTestServer::instance();
    const QString database = server.createDatabase();
    const QString uri = server.uri(database);
    DatabaseConnection source;
    source.setDatabasePath(GeneratedDatabases::indexed(divisions));
    source.setAccess(DatabaseConnection::Access::ReadOnly);
    source.connectToDatabase();
    DatabaseConnection target;
    target.setDatabasePath(uri);
    target.connectToDatabase();
    copyReference(source, target, false);
    // Fresh tables have no statistics; without them the planner may scan.
    PreparedStatement(target, QStringLiteral("ANALYZE")).execute();
    return copies.emplace(divisions, uri).first->second;
}

void ServerCopies::stop()
{
    PostgresTestServer::shutDown();
}
