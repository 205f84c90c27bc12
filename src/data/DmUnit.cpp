#include "DmUnit.h"

#include <QUuid>

TDM *DM = nullptr;

TDM::TDM(QObject *parent)
    : QObject(parent)
    , UniConnection1(new DatabaseConnection(this))
    , UniQuery1(new Dataset(UniConnection1, QStringLiteral("select * from judgement"), this))
    , UniDataSource1(new DataSource(UniQuery1, this))
    , UniQuery2(new Dataset(UniConnection1, QStringLiteral("select * from structures"), this))
    , UniDataSource2(new DataSource(UniQuery2, this))
    , UniQuery3(new Dataset(UniConnection1, QStringLiteral("select * from separation"), this))
    , UniDataSource3(new DataSource(UniQuery3, this))
{
    // Relative until start-up sets the full path, as the connection is not used before then.
    UniConnection1->setDatabasePath(QStringLiteral("./CaseNumber.db"));
}

QString TDM::newguid()
{
    return QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
}
