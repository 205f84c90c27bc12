#include "TableExport.h"

#include "documents/DocumentError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <filesystem>

namespace {

QString tsvCell(const QString &text)
{
    QString value = text;
    for (QChar &c : value) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    return value;
}

QString csvCell(const QString &value)
{
    const bool needsQuotes = value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('"'))
                             || value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'));
    if (!needsQuotes)
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString joinedLine(const QStringList &cells, QString (*cell)(const QString &), QChar separator)
{
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += separator;
        line += cell(cells.at(i));
    }
    return line;
}

// Excel's last row; a longer table would be cut off without a word.
constexpr qsizetype ExcelRows = 1048576;

void writeWorkbook(const TextTable &table, const QString &path)
{
    if (table.rows.size() + 1 > ExcelRows)
        throw DocumentError(QStringLiteral("в таблице %1 строк, больше, чем вмещает лист Excel; сохраните её как CSV")
                                .arg(table.rows.size()));
    lxw_workbook_options options{};
    // Rows go out in order, so the library may write each to disk at once
    // instead of keeping the whole sheet in memory.
    options.constant_memory = LXW_TRUE;
    const QByteArray encodedPath = QFile::encodeName(path);
    lxw_workbook *workbook = workbook_new_opt(encodedPath.constData(), &options);
    if (!workbook)
        throw DocumentError(QStringLiteral("книга Excel не создаётся"));
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, "Номера дел");
    const auto writeRow = [&](lxw_row_t row, const QStringList &cells) {
        for (qsizetype column = 0; column < cells.size(); ++column) {
            // Every value is text: "08" and "0012" keep their zeros.
            worksheet_write_string(sheet, row, lxw_col_t(column), cells.at(column).toUtf8().constData(), nullptr);
        }
    };
    writeRow(0, table.header);
    for (qsizetype i = 0; i < table.rows.size(); ++i)
        writeRow(lxw_row_t(i + 1), table.rows.at(i));
    const lxw_error error = workbook_close(workbook);
    if (error != LXW_NO_ERROR)
        throw DocumentError(QStringLiteral("книга Excel не записана (%1)").arg(QString::fromUtf8(lxw_strerror(error))));
}

void saveWorkbook(const TextTable &table, const QString &path)
{
    QTemporaryFile temporary(QFileInfo(path).absoluteDir().filePath(QStringLiteral(".velmora-XXXXXX.xlsx")));
    if (!temporary.open())
        throw DocumentError(QStringLiteral("файл не создаётся в этой папке (%1)").arg(temporary.errorString()));
    temporary.close();
    // A temporary file is private to its owner; the saved table is an ordinary document.
    temporary.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    writeWorkbook(table, temporary.fileName());
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temporary.fileName()).toStdString(), QFile::encodeName(path).toStdString(), error);
    if (error)
        throw DocumentError(QStringLiteral("файл не записан (%1)").arg(QString::fromStdString(error.message())));
    temporary.setAutoRemove(false);
}

void saveCsv(const TextTable &table, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(tableAsCsv(table)) < 0 || !file.commit())
        throw DocumentError(QStringLiteral("файл не записан (%1)").arg(file.errorString()));
}

} // namespace

QString tableAsTsv(const TextTable &table)
{
    QString text = joinedLine(table.header, tsvCell, QLatin1Char('\t')) + QLatin1Char('\n');
    for (const QStringList &row : table.rows)
        text += joinedLine(row, tsvCell, QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

QByteArray tableAsCsv(const TextTable &table)
{
    QString text = joinedLine(table.header, csvCell, QLatin1Char(';')) + QLatin1String("\r\n");
    for (const QStringList &row : table.rows)
        text += joinedLine(row, csvCell, QLatin1Char(';')) + QLatin1String("\r\n");
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void saveTable(const TextTable &table, const QString &path)
{
    if (path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        saveWorkbook(table, path);
    else
        saveCsv(table, path);
}
