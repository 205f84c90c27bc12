#include "ReferenceDataGenerator.h"

#include "data/DatabaseConnection.h"
#include "data/PreparedStatement.h"
#include "data/ReferenceDatabaseCreation.h"

#include <QList>
#include <QStringList>

const QString ReferenceDataGenerator::AbsentDivisionNumber = QStringLiteral("100");

namespace {

constexpr std::uint32_t Seed = 20080101;
constexpr int CourtWithoutCompositionsEvery = 10;
constexpr int FewestCompositions = 5;
constexpr int MostCompositions = 15;
constexpr int LowestDivisionNumber = 101;
constexpr int HighestDivisionNumber = 999;

const QStringList CompositionTypes = {
    QStringLiteral("Гражданско-правовая коллегия"),
    QStringLiteral("Административная коллегия"),
    QStringLiteral("Банкротный состав"),
    QStringLiteral("Коллегия по корпоративным спорам"),
};

const QStringList Specifications = {
    QStringLiteral("Споры из договоров поставки"), QStringLiteral("Налоговые споры"), QStringLiteral("Несостоятельность (банкротство)"),
    QStringLiteral("Корпоративные споры"),         QStringLiteral("Земельные споры"),
};

const QStringList AreaCodes = {QStringLiteral("495"), QStringLiteral("812"), QStringLiteral("343"), QStringLiteral("383"),
                               QStringLiteral("861")};

const QString SelectCourts = QStringLiteral("SELECT rowid FROM judgement ORDER BY rowid");
const QString UpdateCourtKey = QStringLiteral("UPDATE judgement SET GUID = ? WHERE rowid = ?");
const QString InsertComposition =
    QStringLiteral("INSERT INTO structures (GUID, ref_Judgement, StructureNum, StructureType, StructureFAXNum, "
                   "StructureSpecification) VALUES (?, ?, ?, ?, ?, ?)");
const QString InsertDivision = QStringLiteral("INSERT INTO separation (GUID, ref_structures, SeparationName, Phone, vnphone, zal, floor) "
                                              "VALUES (?, ?, ?, ?, ?, ?, ?)");

// "8 (495) 123-45-67" with the seven digits taken from serial.
QString telephone(const QString &areaCode, int serial)
{
    const QString digits = QStringLiteral("%1").arg(serial, 7, 10, QLatin1Char('0'));
    return QStringLiteral("8 (%1) %2-%3-%4").arg(areaCode, digits.left(3), digits.mid(3, 2), digits.mid(5, 2));
}

} // namespace

ReferenceDataGenerator::ReferenceDataGenerator(int divisions)
    : m_divisions(divisions)
    , m_random(Seed)
{
}

void ReferenceDataGenerator::generate(const QString &path)
{
    createReferenceDatabaseIfMissing(path);

    DatabaseConnection connection;
    connection.setDatabasePath(path);
    connection.connectToDatabase();
    // The file is not renamed into use until it is complete, so a crash may
    // leave it broken: no journal or sync is worth its cost. The large cache
    // keeps a million random-key index inserts off the disk.
    PreparedStatement(connection, QStringLiteral("PRAGMA journal_mode = OFF")).execute();
    PreparedStatement(connection, QStringLiteral("PRAGMA synchronous = OFF")).execute();
    PreparedStatement(connection, QStringLiteral("PRAGMA cache_size = -262144")).execute();

    PreparedStatement(connection, QStringLiteral("BEGIN")).execute();
    addCompositionsAndDivisions(connection, giveCourtsKeys(connection));
    PreparedStatement(connection, QStringLiteral("COMMIT")).execute();
}

int ReferenceDataGenerator::between(int lowest, int highest)
{
    return lowest + int(m_random() % std::uint32_t(highest - lowest + 1));
}

QString ReferenceDataGenerator::nextGuid()
{
    const std::uint32_t a = m_random(), b = m_random(), c = m_random(), d = m_random();
    return QString::asprintf("{%08X-%04X-%04X-%04X-%04X%08X}", a, b >> 16, b & 0xFFFF, c >> 16, c & 0xFFFF, d);
}

// The courts come with random keys from the program's own creation; fixed
// keys make the index pages, and so the timings, the same on every machine.
QStringList ReferenceDataGenerator::giveCourtsKeys(const DatabaseConnection &connection)
{
    QList<qint64> rowIds;
    {
        PreparedStatement courts(connection, SelectCourts);
        while (courts.step())
            rowIds.append(courts.columnText(0).toLongLong());
    }
    QStringList keys;
    PreparedStatement update(connection, UpdateCourtKey);
    for (const qint64 rowId : rowIds) {
        keys.append(nextGuid());
        update.bindText(1, keys.last());
        update.bindInt64(2, rowId);
        update.execute();
        update.reset();
    }
    return keys;
}

void ReferenceDataGenerator::addCompositionsAndDivisions(const DatabaseConnection &connection, const QStringList &courtKeys)
{
    struct Composition
    {
        QString key;
        QString areaCode;
        int divisions = 0;
    };
    QList<Composition> compositions;

    PreparedStatement insertComposition(connection, InsertComposition);
    for (qsizetype court = 0; court < courtKeys.size(); ++court) {
        if ((court + 1) % CourtWithoutCompositionsEvery == 0)
            continue;
        const QString areaCode = AreaCodes.at(between(0, int(AreaCodes.size()) - 1));
        const int count = between(FewestCompositions, MostCompositions);
        for (int number = 1; number <= count; ++number) {
            const Composition composition{nextGuid(), areaCode};
            insertComposition.bindTexts({composition.key, courtKeys.at(court), QString::number(number),
                                         CompositionTypes.at(between(0, int(CompositionTypes.size()) - 1)),
                                         telephone(areaCode, between(0, 9999999)),
                                         Specifications.at(between(0, int(Specifications.size()) - 1))});
            insertComposition.execute();
            insertComposition.reset();
            compositions.append(composition);
        }
    }

    for (int division = 0; division < m_divisions; ++division)
        ++compositions[between(0, int(compositions.size()) - 1)].divisions;

    // Divisions are stored composition by composition, as someone filling in
    // a court's structure in the editor would enter them.
    PreparedStatement insertDivision(connection, InsertDivision);
    int serial = 0;
    for (const Composition &composition : std::as_const(compositions)) {
        for (int i = 0; i < composition.divisions; ++i) {
            insertDivision.bindTexts({nextGuid(), composition.key, QString::number(between(LowestDivisionNumber, HighestDivisionNumber)),
                                      telephone(composition.areaCode, serial++), QString::number(between(100, 9999)),
                                      QString::number(between(1, 60)), QString::number(between(1, 12))});
            insertDivision.execute();
            insertDivision.reset();
        }
    }
}
