// The decoder against a plain reading of its rules, on many small random
// databases: the join run whole through SQLite, filtered and located in
// memory, exactly as the lookup dataset does it. Whatever shortcut the decoder
// takes, its answers must be these.

#include "data/DatabaseConnection.h"
#include "data/ReferenceCopy.h"
#include "data/ReferenceDatabaseCreation.h"
#include "decoder/DmDLLUnit.h"
#include "decoder/IndexedCourtRows.h"
#include "support/QtPrinters.h"
#include "support/TestReference.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <optional>
#include <vector>

namespace {

using Cell = std::optional<QString>;

struct Table
{
    QStringList columns;
    std::vector<std::vector<Cell>> rows;

    // The first column of that name, whatever its case.
    Cell value(size_t row, const QString &column) const
    {
        for (int i = 0; i < columns.size(); ++i) {
            if (columns[i].compare(column, Qt::CaseInsensitive) == 0)
                return rows[row][i];
        }
        return std::nullopt;
    }

    QString text(size_t row, const QString &column) const { return value(row, column).value_or(QString()); }
};

Table query(sqlite3 *db, const QString &sql, const QStringList &parameters = {})
{
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr);
    for (int i = 0; i < parameters.size(); ++i) {
        const QByteArray text = parameters[i].toUtf8();
        sqlite3_bind_text(statement, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    Table table;
    for (int i = 0; i < sqlite3_column_count(statement); ++i)
        table.columns << QString::fromUtf8(sqlite3_column_name(statement, i));
    while (sqlite3_step(statement) == SQLITE_ROW) {
        std::vector<Cell> row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            if (sqlite3_column_type(statement, i) == SQLITE_NULL)
                row.emplace_back(std::nullopt);
            else
                row.emplace_back(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, i)),
                                                   sqlite3_column_bytes(statement, i)));
        }
        table.rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    return table;
}

// Row indexes of the table whose column holds exactly this text, in order.
std::vector<size_t> filtered(const Table &table, const QString &column, const QString &text)
{
    std::vector<size_t> visible;
    for (size_t row = 0; row < table.rows.size(); ++row) {
        if (table.value(row, column) == text)
            visible.push_back(row);
    }
    return visible;
}

// Which row of a court comes first: the file's own row order, or on a server
// the least court, composition and division keys, byte by byte (SQLite's
// binary collation orders UTF-8 the same way).
enum class RowOrder { File, Keys };

// Cut, look up, fall back: the decoding rules step by step, with the lookup
// dataset replaced by the whole join in memory.
StructInfo oracleDecode(sqlite3 *db, QString str, RowOrder order = RowOrder::File)
{
    const QString joinStatement = order == RowOrder::File
        ? JoinStatement
        : JoinStatement + QStringLiteral(" order by judgement.guid, structures.guid, separation.guid");
    const QString courtsStatement = QStringLiteral("select * from judgement")
                                    + (order == RowOrder::File ? QString() : QStringLiteral(" order by guid"));

    const auto find = [](QChar c, const QString &s) { return s.indexOf(c) + 1; };
    const auto copy = [](const QString &s, qsizetype n) { return n <= 0 ? QString() : s.left(n); };
    const auto cut = [](QString &s, qsizetype n) {
        if (n > 0)
            s.remove(0, n);
    };

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

        const Table join = query(db, joinStatement);
        const std::vector<size_t> court = filtered(join, QStringLiteral("JudgementCode"), code);
        std::optional<size_t> current = court.empty() ? std::nullopt : std::optional<size_t>(court.front());
        status = QStringLiteral("NO Found !!!");
        for (size_t row : court) {
            if (join.value(row, QStringLiteral("SeparationName")) == sep) {
                current = row;
                status = QStringLiteral("OK");
                break;
            }
        }
        if (current) {
            info.sudname = join.text(*current, QStringLiteral("JudgementName"));
            info.otdelphone = join.text(*current, QStringLiteral("Phone"));
            info.snum = join.text(*current, QStringLiteral("StructureNum"));
            info.stype = join.text(*current, QStringLiteral("StructureType"));
            info.sfaxnum = join.text(*current, QStringLiteral("StructureFAXNum"));
            info.vnphone = join.text(*current, QStringLiteral("vnphone"));
            info.otdphone = join.text(*current, QStringLiteral("Phone"));
            info.floor = join.text(*current, QStringLiteral("floor"));
            info.zal = join.text(*current, QStringLiteral("zal"));
        }
    }
    if (status != QLatin1String("OK")) {
        if (year.isEmpty()) {
            p = find(QLatin1Char('-'), str);
            year = p > 0 ? copy(str, p - 1) : str;
        }
        info.sepnum.clear();
        info.jobnum_in_struct.clear();
        const Table join = query(db, joinStatement);
        const std::vector<size_t> court = filtered(join, QStringLiteral("JudgementCode"), code);
        bool courtExists = !court.empty();
        info.sudname = court.empty() ? QString() : join.text(court.front(), QStringLiteral("JudgementName"));
        if (info.sudname.isEmpty()) {
            // Compared as the dataset reads it: a code stored as a number is found by its text.
            const Table courts = query(db, courtsStatement);
            const std::vector<size_t> named = filtered(courts, QStringLiteral("JudgementCode"), code);
            courtExists = courtExists || !named.empty();
            info.sudname = named.empty() ? QString() : courts.text(named.front(), QStringLiteral("JudgementName"));
        }
        status = courtExists ? QStringLiteral("OK") : QStringLiteral("NO Found !!!");
        info.otdelphone.clear();
        info.snum.clear();
        info.stype.clear();
        info.sfaxnum.clear();
        info.vnphone.clear();
        info.otdphone.clear();
        info.zal.clear();
        info.floor.clear();
    }
    info.error = status;
    info.year = year;
    return info;
}

// The shapes a reference file comes in: the program's own, a supplied file
// keyed by GUID only, one keyed and indexed but with untyped columns (which
// keep numbers as numbers), and one with no key or index at all.
enum class Schema { ProgramsOwn, GuidKeysOnly, UntypedKeyed, Bare };

const char *const BareTables =
    "CREATE TABLE judgement (GUID, JudgementCode, JudgementName);"
    "CREATE TABLE structures (GUID, ref_Judgement, StructureNum, StructureType, StructureFAXNum, StructureSpecification);"
    "CREATE TABLE separation (GUID, ref_structures, SeparationName, Phone, vnphone, zal, floor);";
const char *const UntypedKeyedTables =
    "CREATE TABLE judgement (GUID PRIMARY KEY, JudgementCode, JudgementName);"
    "CREATE TABLE structures (GUID PRIMARY KEY, ref_Judgement, StructureNum, StructureType, StructureFAXNum,"
    " StructureSpecification);"
    "CREATE TABLE separation (GUID PRIMARY KEY, ref_structures, SeparationName, Phone, vnphone, zal, floor);"
    "CREATE INDEX judgement_code ON judgement (JudgementCode);"
    "CREATE INDEX separation_name ON separation (SeparationName);";
const char *const KeyedTables =
    "CREATE TABLE judgement (GUID TEXT PRIMARY KEY, JudgementCode TEXT, JudgementName TEXT);"
    "CREATE TABLE structures (GUID TEXT PRIMARY KEY, ref_Judgement TEXT, StructureNum TEXT, StructureType TEXT,"
    " StructureFAXNum TEXT, StructureSpecification TEXT);"
    "CREATE TABLE separation (GUID TEXT PRIMARY KEY, ref_structures TEXT, SeparationName TEXT, Phone TEXT,"
    " vnphone TEXT, zal TEXT, floor TEXT);";

class RandomReferenceData
{
public:
    RandomReferenceData(quint32 seed, Schema schema, const QString &path)
        : m_random(seed)
    {
        if (schema == Schema::ProgramsOwn)
            QFile::copy(programsOwnDatabase(), path);
        sqlite3_open(path.toUtf8().constData(), &m_db);
        exec("BEGIN");
        if (schema == Schema::ProgramsOwn)
            exec("DELETE FROM judgement");
        else
            exec(schema == Schema::Bare ? BareTables : schema == Schema::UntypedKeyed ? UntypedKeyedTables : KeyedTables);
        fill();
        exec("COMMIT");
    }

    ~RandomReferenceData() { sqlite3_close(m_db); }

    sqlite3 *db() const { return m_db; }

    QString randomNumber()
    {
        QString number = pick(Codes);
        const int segments = int(m_random.bounded(6));
        const QString tail[] = {QStringLiteral("-") + QString::number(m_random.bounded(100)),
                                QStringLiteral("/") + pick({"08", "2008", "97", ""}),
                                QStringLiteral("-") + pick(Divisions),
                                QStringLiteral("-") + QString::number(m_random.bounded(1000)),
                                QStringLiteral("-x")};
        for (int i = 0; i < segments; ++i)
            number += tail[i];
        if (m_random.bounded(8) == 0)
            number.remove(int(m_random.bounded(number.size() + 1)), 1);
        return number;
    }

private:
    // Made once by the program's own start-up code, then copied for every seed.
    static QString programsOwnDatabase()
    {
        static QTemporaryDir folder;
        static const QString path = [] {
            const QString made = folder.filePath(QStringLiteral("CaseNumber.db"));
            createReferenceDatabaseIfMissing(made);
            return made;
        }();
        return path;
    }

    static inline const QStringList Codes = {QStringLiteral("А1"), QStringLiteral("А2"), QStringLiteral("А'3"),
                                             QStringLiteral("40"), QStringLiteral("2.5"), QStringLiteral("040"),
                                             QStringLiteral("а1"), QString(), QStringLiteral("А9")};
    static inline const QStringList Divisions = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                                 QStringLiteral(""), QStringLiteral("1.0")};

    QString pick(const QStringList &choices) { return choices[int(m_random.bounded(choices.size()))]; }

    // NULL now and then, so that null and empty text meet.
    QString sqlText(const QString &text)
    {
        if (m_random.bounded(10) == 0)
            return QStringLiteral("NULL");
        return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
    }

    // A code or division number as another program may have stored it: as
    // text, or as the number or blob it reads as (a typed column may turn
    // some of these back into text; that is the point of trying them all).
    QString sqlStored(const QString &text)
    {
        bool isInteger = false;
        text.toLongLong(&isInteger);
        bool isReal = false;
        text.toDouble(&isReal);
        switch (m_random.bounded(4)) {
        case 0:
            if (isInteger)
                return text;
            break;
        case 1:
            if (isReal)
                return QString::number(text.toDouble(), 'f', 1);
            break;
        case 2:
            return QStringLiteral("x'") + QString::fromLatin1(text.toUtf8().toHex()) + QLatin1Char('\'');
        default:
            break;
        }
        return sqlText(text);
    }

    QString key() { return QStringLiteral("{K%1}").arg(m_random.bounded(1000000)); }

    void exec(const QString &sql) { sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr); }

    void fill()
    {
        // Keys are random, so the keys' order and the rows' order disagree,
        // and parents may be missing or shared.
        QStringList courtKeys;
        QStringList compositionKeys;
        const int courts = int(m_random.bounded(6));
        for (int i = 0; i < courts; ++i) {
            courtKeys << key();
            exec(QStringLiteral("INSERT OR IGNORE INTO judgement VALUES ('%1', %2, %3)")
                     .arg(courtKeys.last(), sqlStored(pick(Codes)), sqlText(pick({"Суд", "", "Другой суд"}))));
        }
        courtKeys << QStringLiteral("{orphan}");
        const int compositions = int(m_random.bounded(8));
        for (int i = 0; i < compositions; ++i) {
            compositionKeys << key();
            exec(QStringLiteral("INSERT OR IGNORE INTO structures VALUES ('%1', '%2', %3, %4, %5, '')")
                     .arg(compositionKeys.last(), pick(courtKeys), sqlText(QString::number(i)),
                          sqlText(QStringLiteral("тип %1").arg(i)), sqlText(QStringLiteral("факс %1").arg(i))));
        }
        compositionKeys << QStringLiteral("{orphan}");
        const int divisions = int(m_random.bounded(14));
        for (int i = 0; i < divisions; ++i) {
            exec(QStringLiteral("INSERT OR IGNORE INTO separation VALUES ('%1', '%2', %3, %4, %5, %6, %7)")
                     .arg(key(), pick(compositionKeys), sqlStored(pick(Divisions)), sqlText(QStringLiteral("тел %1").arg(i)),
                          sqlText(QStringLiteral("вн %1").arg(i)), sqlText(QStringLiteral("зал %1").arg(i)),
                          sqlText(QStringLiteral("этаж %1").arg(i))));
        }
        // Gaps in the rowids, as deletions in the editor leave them.
        if (m_random.bounded(2) == 0)
            exec(QStringLiteral("DELETE FROM separation WHERE rowid = %1").arg(m_random.bounded(4) + 1));
    }

    QRandomGenerator m_random;
    sqlite3 *m_db = nullptr;
};

void expectSameRecord(const StructInfo &decoded, const StructInfo &expected, const QString &number, quint32 seed)
{
    const auto fields = namedFields(decoded);
    const auto expectedFields = namedFields(expected);
    for (int i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i].second, expectedFields[i].second)
            << "field " << fields[i].first.toStdString() << " of " << number.toStdString() << ", database seed " << seed;
    }
}

class DecoderDifferentialTest : public ::testing::TestWithParam<Schema>
{
};

TEST_P(DecoderDifferentialTest, AnswersAsTheWholeJoinWouldOnRandomData)
{
    for (quint32 seed = 1; seed <= 150; ++seed) {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("CaseNumber.db"));
        RandomReferenceData data(seed, GetParam(), path);

        TDMDLL decoder;
        decoder.UniConnection1->setDatabasePath(path);
        decoder.UniConnection1->connectToDatabase();
        if (GetParam() != Schema::Bare) {
            // Only worth comparing if the shortcut is really taken on these files.
            IndexedCourtRows indexed(decoder.UniConnection1, JoinStatement);
            ASSERT_TRUE(indexed.isAvailable()) << "seed " << seed;
        }
        for (int i = 0; i < 25; ++i) {
            const QString number = data.randomNumber();
            QString consumed = number;
            expectSameRecord(decoder.DecodeJobNum(consumed), oracleDecode(data.db(), number), number, seed);
            if (::testing::Test::HasFailure())
                return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Schemas, DecoderDifferentialTest,
                         ::testing::Values(Schema::ProgramsOwn, Schema::GuidKeysOnly, Schema::UntypedKeyed, Schema::Bare));

// The same random references copied to the server: its own narrowing and the
// lookup dataset must both give the key-ordered join's answers.
TEST(ServerDecoderDifferentialTest, BothPathsAnswerAsTheKeyOrderedJoinWouldOnRandomData)
{
    const TestReference server(TestReference::Engine::Server, QString());
    DatabaseConnection target;
    target.setDatabasePath(server.location());
    target.connectToDatabase();
    TDMDLL narrowed;
    TDMDLL throughDataset;
    throughDataset.setIndexedLookups(false);
    for (TDMDLL *decoder : {&narrowed, &throughDataset}) {
        decoder->UniConnection1->setDatabasePath(server.location());
        decoder->UniConnection1->connectToDatabase();
    }
    for (quint32 seed = 1; seed <= 100; ++seed) {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("CaseNumber.db"));
        RandomReferenceData data(seed, Schema::GuidKeysOnly, path);
        DatabaseConnection source;
        source.setDatabasePath(path);
        source.connectToDatabase();
        copyReference(source, target, true);

        for (int i = 0; i < 25; ++i) {
            const QString number = data.randomNumber();
            const StructInfo expected = oracleDecode(data.db(), number, RowOrder::Keys);
            QString consumed = number;
            expectSameRecord(narrowed.DecodeJobNum(consumed), expected, number, seed);
            consumed = number;
            expectSameRecord(throughDataset.DecodeJobNum(consumed), expected, number, seed);
            if (::testing::Test::HasFailure())
                return;
        }
    }
}

TEST(IndexedCourtRowsTest, StepsAsideWhereTheJoinOrderCannotBeFollowed)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("CaseNumber.db"));
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, BareTables, nullptr, nullptr, nullptr);

    DatabaseConnection connection;
    connection.setDatabasePath(path);
    connection.connectToDatabase();
    IndexedCourtRows indexed(&connection, JoinStatement);
    EXPECT_FALSE(indexed.isAvailable()) << "automatic indexes give no order we can rely on";

    // Indexes added by another program change the plan; the next decode notices.
    sqlite3_exec(db, "CREATE UNIQUE INDEX j ON judgement (GUID); CREATE UNIQUE INDEX s ON structures (GUID);",
                 nullptr, nullptr, nullptr);
    EXPECT_TRUE(indexed.isAvailable());
    sqlite3_exec(db, "DROP INDEX j", nullptr, nullptr, nullptr);
    EXPECT_FALSE(indexed.isAvailable());
    sqlite3_close(db);
}

} // namespace
