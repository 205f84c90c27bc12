#include "documents/DocumentReader.h"
#include "documents/TableExport.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// An RFC 4180 reader written apart from the exporter, so a quoting fault in
// one is not mirrored in the other.
QList<QStringList> parseCsv(const QString &text, QChar separator)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                cell += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == separator) {
            row << cell;
            cell.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            row << cell;
            rows << row;
            row.clear();
            cell.clear();
            ++i;
        } else {
            cell += c;
        }
    }
    EXPECT_TRUE(row.isEmpty() && cell.isEmpty()) << "the last line has no CR LF";
    return rows;
}

const TextTable Awkward{
    {QStringLiteral("Номер"), QStringLiteral("Суд"), QStringLiteral("Год")},
    {
        {QStringLiteral("А40-1234/2008"), QStringLiteral("Арбитражный суд города Москвы"), QStringLiteral("2008")},
        {QStringLiteral("А41-1/08"), QStringLiteral("ООО \"Ромашка\"; филиал"), QStringLiteral("08")},
        {QStringLiteral("СИП-295/2023"), QStringLiteral("две\r\nстроки\tи табуляция"), QString()},
    },
};

TEST(TableExportTest, CsvOpensInExcelAndReadsBackIntact)
{
    const QByteArray csv = tableAsCsv(Awkward);
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF")) << "Excel reads a CSV without the mark as Windows-1251";
    QList<QStringList> expected{Awkward.header};
    expected += Awkward.rows;
    EXPECT_EQ(parseCsv(QString::fromUtf8(csv.mid(3)), u';'), expected);
}

TEST(TableExportTest, TsvKeepsEveryValueInItsColumn)
{
    const QStringList lines = tableAsTsv(Awkward).split(u'\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines.last(), QString());
    EXPECT_EQ(lines[0], QStringLiteral("Номер\tСуд\tГод"));
    EXPECT_EQ(lines[2], QStringLiteral("А41-1/08\tООО \"Ромашка\"; филиал\t08"));
    EXPECT_EQ(lines[3], QStringLiteral("СИП-295/2023\tдве  строки и табуляция\t"));
}

TEST(TableExportTest, SavedFilesReadBack)
{
    QTemporaryDir folder;
    const QString xlsx = folder.filePath(QStringLiteral("номера.xlsx"));
    saveTable(Awkward, xlsx);
    QStringList cells;
    QStringList places;
    readDocument(xlsx, {[&](const TextPiece &piece) {
                            cells << piece.text;
                            places << piece.place;
                            return true;
                        },
                        {}});
    QStringList expected = Awkward.header;
    for (const QStringList &row : Awkward.rows)
        expected += row;
    expected.removeAll(QString()); // Excel keeps no empty cell
    EXPECT_EQ(cells, expected);
    EXPECT_EQ(places.first(), QStringLiteral("Номера дел!A1"));
    EXPECT_EQ(places.last(), QStringLiteral("Номера дел!B4"));

    const QString csv = folder.filePath(QStringLiteral("номера.csv"));
    saveTable(Awkward, csv);
    QFile saved(csv);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), tableAsCsv(Awkward));
}

TEST(TableExportTest, FailedSaveLeavesNoFile)
{
    QTemporaryDir folder;
    const QString missingFolder = folder.filePath(QStringLiteral("нет/такой.xlsx"));
    EXPECT_ANY_THROW(saveTable(Awkward, missingFolder));
    EXPECT_ANY_THROW(saveTable(Awkward, folder.filePath(QStringLiteral("нет/такой.csv"))));
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

} // namespace
