#include "ScratchDatabase.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <stdexcept>

const char *const CourtsFixtureSql = R"sql(
CREATE TABLE judgement (GUID TEXT PRIMARY KEY, JudgementCode TEXT, JudgementName TEXT);
CREATE TABLE structures (GUID TEXT PRIMARY KEY, ref_Judgement TEXT, StructureNum TEXT, StructureType TEXT,
                         StructureFAXNum TEXT, StructureSpecification TEXT);
CREATE TABLE separation (GUID TEXT PRIMARY KEY, ref_structures TEXT, SeparationName TEXT, Phone TEXT,
                         vnphone TEXT, zal TEXT, floor TEXT);
INSERT INTO judgement VALUES ('{J40}', 'А40', 'Арбитражный суд города Москвы');
INSERT INTO judgement VALUES ('{J41}', 'А41', 'Арбитражный суд Московской области');
INSERT INTO structures VALUES ('{S1}', '{J40}', '1', 'гражданский', '495-600-01-01', 'банкротство');
INSERT INTO structures VALUES ('{S2}', '{J40}', '2', 'административный', '495-600-02-02', 'налоги');
INSERT INTO separation VALUES ('{D101}', '{S1}', '101', '495-111-11-11', '1101', '5017', '5');
INSERT INTO separation VALUES ('{D102}', '{S1}', '102', '495-222-22-22', '1102', '3002', '3');
INSERT INTO separation VALUES ('{D201}', '{S2}', '201', '495-333-33-33', '2201', '7001', '7');
)sql";

ScratchDatabase::ScratchDatabase(const QString &sql)
    : m_path(m_folder.filePath(QStringLiteral("CaseNumber.db")))
{
    if (!m_folder.isValid())
        throw std::runtime_error("no temporary folder");
    execute(sql.isEmpty() ? QStringLiteral("PRAGMA user_version = 0") : sql);
}

void ScratchDatabase::execute(const QString &sql) const
{
    sqlite3 *db = nullptr;
    sqlite3_open(m_path.toUtf8().constData(), &db);
    char *message = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("fixture SQL failed: " + error);
}

QStringList ScratchDatabase::rows(const QString &query) const
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(m_path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, query.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        const std::string error = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error("check query failed: " + error);
    }
    QStringList result;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        QStringList cells;
        for (int column = 0; column < sqlite3_column_count(statement); ++column) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
            cells << (text ? QString::fromUtf8(text) : QStringLiteral("NULL"));
        }
        result << cells.join(QLatin1Char('|'));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

QByteArray ScratchDatabase::bytes() const
{
    QFile file(m_path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

const QStringList CourtsFixtureExampleLines{
    QStringLiteral("Название суда: Арбитражный суд города Москвы"),
    QStringLiteral("Код суда: А40"),
    QStringLiteral("Порядковый номер дела с начала года: 1234"),
    QStringLiteral("Год: 2008"),
    QStringLiteral("Отделение: 101"),
    QStringLiteral("Порядковый номер внутри отделения: 503"),
    QStringLiteral("Телефон отделения: 495-111-11-11"),
    QStringLiteral("Внутренний номер: 1101"),
    QStringLiteral("Номер состава: 1"),
    QStringLiteral("Тип состава: гражданский"),
    QStringLiteral("Номер факса состава: 495-600-01-01"),
    QStringLiteral("Зал: 5017"),
    QStringLiteral("Этаж: 5"),
};
