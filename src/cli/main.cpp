// velmora-decode: the main window's decoding for scripts and batch work.

#include "cli/ExtractCommand.h"
#include "cli/OutputFormat.h"
#include "cli/StandardInputLines.h"
#include "cli/StandardOutput.h"
#include "cli/StandardStreamError.h"
#include "data/DatabaseError.h"
#include "data/DatabaseLocation.h"
#include "decoder/DmDLLUnit.h"
#include "decoder/PastedCaseNumber.h"

#include <QCoreApplication>
#include <QTextStream>

#include <optional>

namespace {

enum ExitStatus { AllFound = 0, SomeNotFound = 1, UsageOrDatabaseError = 2 };

const char HelpText[] =
    "Использование: velmora-decode [--db БАЗА] [--format text|tsv|json] [НОМЕР ...]\n"
    "               velmora-decode --extract [--db БАЗА] [--format text|tsv|json] [ФАЙЛ ...]\n"
    "Расшифровывает номера дел арбитражных судов так же, как главное окно Velmora:\n"
    "из каждого НОМЕРА или строки берётся первый найденный в тексте номер дела.\n"
    "Без НОМЕРОВ читает номера со стандартного ввода, по одному в строке; пустые строки пропускаются.\n"
    "  --db БАЗА       справочная база: путь к файлу или адрес сервера PostgreSQL\n"
    "                  postgresql://…; по умолчанию CaseNumber.db рядом с программой,\n"
    "                  если он там есть или папка программы доступна для записи,\n"
    "                  иначе ~/.local/share/Velmora/CaseNumber.db;\n"
    "                  открывается только для чтения и никогда не создаётся;\n"
    "                  базу по умолчанию создаёт программа velmora при первом запуске.\n"
    "  --format text   строки главного окна, ответы разделены пустой строкой (по умолчанию);\n"
    "  --format tsv    строка заголовка, затем по строке на номер, значения через табуляцию;\n"
    "                  в TSV и JSON также number (найденный номер), full_year (год четырьмя\n"
    "                  цифрами) и explanation (чей это номер, если не арбитражного суда).\n"
    "  --format json   по объекту JSON в строке.\n"
    "  --extract       расшифровывает все номера дел из документов ФАЙЛ (PDF, Word .docx,\n"
    "                  Excel .xlsx, текст или CSV в UTF-8, UTF-16 или Windows-1251), без ФАЙЛОВ —\n"
    "                  из стандартного ввода; в TSV и JSON также file и place (строка,\n"
    "                  страница или лист и ячейка). Нечитаемый файл — код выхода 2.\n"
    "Код выхода: 0 — суд найден для каждого номера, 1 — не найден хотя бы для одного,\n"
    "2 — ошибка в параметрах, в базе данных, при чтении ввода или записи вывода.\n";

struct Arguments
{
    QString databasePath = caseNumberDatabasePath();
    QString formatName = QStringLiteral("text");
    QStringList numbers;
    bool help = false;
    bool extract = false;
};

// Everything after "--" is a number, so numbers that begin with a dash still decode.
std::optional<Arguments> parseArguments(const QStringList &words, QString *problem)
{
    Arguments arguments;
    bool onlyNumbers = false;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString &word = words[i];
        if (onlyNumbers || !word.startsWith(QLatin1String("--"))) {
            arguments.numbers << word;
        } else if (word == QLatin1String("--")) {
            onlyNumbers = true;
        } else if (word == QLatin1String("--help")) {
            arguments.help = true;
        } else if (word == QLatin1String("--extract")) {
            arguments.extract = true;
        } else if (word == QLatin1String("--db") || word == QLatin1String("--format")) {
            if (i + 1 == words.size()) {
                *problem = QStringLiteral("после %1 нужно значение").arg(word);
                return std::nullopt;
            }
            (word == QLatin1String("--db") ? arguments.databasePath : arguments.formatName) = words[++i];
        } else if (word.startsWith(QLatin1String("--db="))) {
            arguments.databasePath = word.mid(5);
        } else if (word.startsWith(QLatin1String("--format="))) {
            arguments.formatName = word.mid(9);
        } else {
            *problem = QStringLiteral("неизвестный параметр %1").arg(word);
            return std::nullopt;
        }
    }
    return arguments;
}

int fail(const QString &message)
{
    QTextStream(stderr) << "velmora-decode: " << QString(message).replace(QLatin1Char('\n'), QLatin1Char(' ')) << '\n';
    return UsageOrDatabaseError;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!StandardOutput::isOpen())
        return fail(QStringLiteral("стандартный вывод закрыт: ответы некуда записать"));
    QCoreApplication application(argc, argv);

    QString problem;
    const auto arguments = parseArguments(application.arguments(), &problem);
    if (!arguments)
        return fail(problem + QStringLiteral("; см. velmora-decode --help"));
    StandardOutput out;
    if (arguments->help) {
        try {
            out.writeLines(QString::fromUtf8(HelpText).split(QLatin1Char('\n'), Qt::SkipEmptyParts));
        } catch (const StandardStreamError &error) {
            return error.readerGone() ? UsageOrDatabaseError : fail(error.message());
        }
        return AllFound;
    }
    const auto format = OutputFormat::fromName(arguments->formatName);
    if (!format)
        return fail(QStringLiteral("формат %1 неизвестен: возможны text, tsv, json").arg(arguments->formatName));

    TDMDLL decoder;
    decoder.UniConnection1->setDatabasePath(arguments->databasePath);
    decoder.UniConnection1->setAccess(DatabaseConnection::Access::ReadOnly);
    int status = AllFound;
    bool isFirst = true;
    const auto answer = [&](const QString &input) {
        const DecodedInput decoded{input, decodePasted(decoder, input)};
        out.writeLines(format->answer(decoded, isFirst));
        isFirst = false;
        if (decoded.decoded.info.error != StructInfo::FoundStatus)
            status = SomeNotFound;
    };
    try {
        decoder.UniConnection1->connectToDatabase();
        if (arguments->extract) {
            return extractCaseNumbers(decoder, *format, arguments->numbers,
                                      [&](const QStringList &lines) { out.writeLines(lines); }, fail);
        }
        out.writeLines(format->header());
        if (!arguments->numbers.isEmpty()) {
            for (const QString &input : arguments->numbers)
                answer(input);
        } else {
            StandardInputLines lines;
            while (const std::optional<QString> line = lines.next()) {
                if (!line->trimmed().isEmpty())
                    answer(*line);
            }
        }
    } catch (const DatabaseError &error) {
        return fail(error.message());
    } catch (const StandardStreamError &error) {
        // Like any Unix filter, stop without a word when the reader has gone.
        return error.readerGone() ? UsageOrDatabaseError : fail(error.message());
    }
    return status;
}
