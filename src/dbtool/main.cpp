// velmora-db: makes, copies and checks the reference, in a file or on a server.

#include "data/DatabaseConnection.h"
#include "data/DatabaseError.h"
#include "data/ReferenceCheck.h"
#include "data/ReferenceCopy.h"
#include "data/ReferenceDatabaseCreation.h"
#include "data/ReferenceTables.h"
#include "data/ServerLocation.h"
#include "data/Transaction.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

enum ExitStatus { Done = 0, ProblemsFound = 1, UsageOrDatabaseError = 2 };

const char HelpText[] = "Использование: velmora-db create БАЗА\n"
                        "               velmora-db copy [--replace] ИСТОЧНИК ЦЕЛЬ\n"
                        "               velmora-db check БАЗА\n"
                        "БАЗА — путь к файлу SQLite или адрес сервера PostgreSQL (postgresql://… или postgres://…).\n"
                        "  create   создаёт пустой справочник со всеми арбитражными судами: новый файл\n"
                        "           или таблицы, ключи и индексы в пустой базе на сервере;\n"
                        "  copy     копирует три таблицы справочника с ключами одной транзакцией;\n"
                        "           цель — новый файл или база без строк справочника (--replace сначала\n"
                        "           удаляет строки цели);\n"
                        "  check    сообщает о составах и отделениях без родителя, строках без ключа\n"
                        "           или с повторяющимся ключом и кодах судов неизвестного вида.\n"
                        "Код выхода: 0 — сделано (check: ошибок нет), 1 — check нашёл ошибки,\n"
                        "2 — ошибка в параметрах или в базе данных.\n";

int fail(const QString &message)
{
    QTextStream(stderr) << "velmora-db: " << QString(message).replace(QLatin1Char('\n'), QLatin1Char(' ')) << '\n';
    return UsageOrDatabaseError;
}

void connect(DatabaseConnection &connection, const QString &location, DatabaseConnection::Access access)
{
    connection.setDatabasePath(location);
    connection.setAccess(access);
    connection.connectToDatabase();
}

int create(const QString &location, QTextStream &out)
{
    if (!isServerLocation(location)) {
        if (QFileInfo::exists(location))
            return fail(QStringLiteral("файл «%1» уже есть; справочник не создан.").arg(location));
        createReferenceDatabaseIfMissing(location);
        out << "Справочник создан: " << location << '\n';
        return Done;
    }
    DatabaseConnection connection;
    connect(connection, location, DatabaseConnection::Access::ReadWrite);
    for (const ReferenceTable &table : referenceTables()) {
        if (!connection.tableColumns(table.name).isEmpty())
            return fail(
                QStringLiteral("в базе «%1» уже есть таблица %2; справочник не создан.").arg(connection.shownLocation(), table.name));
    }
    Transaction transaction(connection);
    writeReferenceSchema(connection);
    writeBundledCourts(connection);
    transaction.commit();
    out << "Справочник создан: " << connection.shownLocation() << '\n';
    return Done;
}

int copy(const QString &sourceLocation, const QString &targetLocation, bool replace, QTextStream &out)
{
    DatabaseConnection source;
    connect(source, sourceLocation, DatabaseConnection::Access::ReadOnly);

    // A new target file is made empty first; if the copy then fails it goes again.
    const bool newFile = !isServerLocation(targetLocation) && !QFileInfo::exists(targetLocation);
    if (newFile)
        createEmptyReferenceFile(targetLocation);
    try {
        DatabaseConnection target;
        connect(target, targetLocation, DatabaseConnection::Access::ReadWrite);
        const QStringList counts = copyReference(source, target, replace);
        out << "Скопировано из " << source.shownLocation() << " в " << target.shownLocation() << ":\n";
        for (const QString &line : counts)
            out << "  " << line << '\n';
    } catch (const DatabaseError &) {
        if (newFile)
            QFile::remove(targetLocation);
        throw;
    }
    return Done;
}

int check(const QString &location, QTextStream &out)
{
    DatabaseConnection connection;
    connect(connection, location, DatabaseConnection::Access::ReadOnly);
    const QStringList problems = referenceProblems(connection);
    for (const QString &problem : problems)
        out << problem << '\n';
    out << (problems.isEmpty() ? QStringLiteral("Ошибок нет: %1").arg(connection.shownLocation())
                               : QStringLiteral("Ошибок: %1 в %2").arg(problems.size()).arg(connection.shownLocation()))
        << '\n';
    return problems.isEmpty() ? Done : ProblemsFound;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList words = application.arguments().mid(1);
    QTextStream out(stdout);
    if (words.contains(QStringLiteral("--help"))) {
        out << QString::fromUtf8(HelpText);
        return Done;
    }
    const bool replace = words.removeAll(QStringLiteral("--replace")) > 0;
    const QString command = words.value(0);
    const QStringList locations = words.mid(1);
    const bool fits = (command == QLatin1String("create") && locations.size() == 1 && !replace)
        || (command == QLatin1String("copy") && locations.size() == 2)
        || (command == QLatin1String("check") && locations.size() == 1 && !replace);
    if (!fits)
        return fail(QStringLiteral("неверные параметры; см. velmora-db --help"));
    try {
        if (command == QLatin1String("create"))
            return create(locations[0], out);
        if (command == QLatin1String("copy"))
            return copy(locations[0], locations[1], replace, out);
        return check(locations[0], out);
    } catch (const DatabaseError &error) {
        out.flush();
        return fail(error.message());
    }
}
