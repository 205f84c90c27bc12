#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// Small Office files written by the tests themselves through libzip: a .docx
// of plain paragraphs and a .xlsx of shared and inline strings, holding only
// the parts Word and Excel need to open them.
namespace OfficeFiles {

using ZipEntries = QList<std::pair<QString, QByteArray>>;

// Raises std::runtime_error when the file cannot be written.
void writeZip(const QString &path, const ZipEntries &entries);

void writeDocx(const QString &path, const QStringList &paragraphs);

struct Cell
{
    QString reference; // "B2"
    QString text;
    bool shared = true; // a shared string, else an inline one
};

struct SheetCells
{
    QString name;
    QList<Cell> cells; // in row order
};

void writeXlsx(const QString &path, const QList<SheetCells> &sheets);

} // namespace OfficeFiles
