#include "documents/DocumentError.h"
#include "documents/DocumentReader.h"
#include "support/DocumentFixtures.h"
#include "support/OfficeFiles.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Piece
{
    QString text;
    QString place;
    bool operator==(const Piece &) const = default;
};

void PrintTo(const Piece &piece, std::ostream *out)
{
    *out << '{' << piece.place.toStdString() << ": " << piece.text.toStdString() << '}';
}

QList<Piece> piecesOf(const QString &path)
{
    QList<Piece> pieces;
    readDocument(path, {[&](const TextPiece &piece) {
                            pieces.append({piece.text, piece.place});
                            return true;
                        },
                        {}});
    return pieces;
}

class DocumentReaderTest : public ::testing::Test
{
protected:
    QString file(const char *name, const QByteArray &bytes = {}) const
    {
        const QString path = folder.filePath(QString::fromUtf8(name));
        if (!bytes.isNull()) {
            QFile out(path);
            EXPECT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(bytes);
        }
        return path;
    }

    QString errorOf(const QString &path) const
    {
        try {
            piecesOf(path);
        } catch (const DocumentError &error) {
            return error.message();
        }
        return QStringLiteral("no error");
    }

    QTemporaryDir folder;
};

const QString Letter = QStringLiteral("Дело № А40-1234/2008 — «Ромашка»");

TEST_F(DocumentReaderTest, PlainTextInEveryEncodingRussianOfficesSave)
{
    QStringEncoder windows1251("windows-1251");
    QStringEncoder utf16be(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
    QStringEncoder utf16le(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QString text = QStringLiteral("первая строка\r\n") + Letter + QStringLiteral("\n");
    const QList<std::pair<const char *, QByteArray>> files{
        {"utf8.txt", text.toUtf8()},
        {"utf8-bom.csv", "\xEF\xBB\xBF" + text.toUtf8()},
        {"cp1251.txt", windows1251(text)},
        {"utf16le.txt", utf16le(text)},
        {"utf16be.txt", utf16be(text)},
    };
    for (const auto &[name, bytes] : files) {
        EXPECT_EQ(piecesOf(file(name, bytes)), (QList<Piece>{{QStringLiteral("первая строка"), QStringLiteral("строка 1")},
                                                            {Letter, QStringLiteral("строка 2")}}))
            << name;
    }
}

TEST_F(DocumentReaderTest, WordParagraphsJoinTheirRuns)
{
    const QString path = file("letter.docx");
    OfficeFiles::writeDocx(path, {QStringLiteral("Уважаемый коллега!"), Letter, QStringLiteral("А & Б <В>")});
    EXPECT_EQ(piecesOf(path), (QList<Piece>{{QStringLiteral("Уважаемый коллега!"), QStringLiteral("абзац 1")},
                                            {Letter, QStringLiteral("абзац 2")},
                                            {QStringLiteral("А & Б <В>"), QStringLiteral("абзац 3")}}));
}

TEST_F(DocumentReaderTest, EveryCellOfEverySheetInWorkbookOrder)
{
    const QString path = file("cases.xlsx");
    OfficeFiles::writeXlsx(path, {
        {QStringLiteral("Дела 2023"), {{QStringLiteral("A1"), QStringLiteral("Номер")},
                                       {QStringLiteral("B1"), QStringLiteral("А41-77866/19"), false},
                                       {QStringLiteral("AB12"), QStringLiteral("15АП-4619/2017")}}},
        {QStringLiteral("Архив"), {{QStringLiteral("C3"), QStringLiteral("Номер")}}},
    });
    EXPECT_EQ(piecesOf(path), (QList<Piece>{{QStringLiteral("Номер"), QStringLiteral("Дела 2023!A1")},
                                            {QStringLiteral("А41-77866/19"), QStringLiteral("Дела 2023!B1")},
                                            {QStringLiteral("15АП-4619/2017"), QStringLiteral("Дела 2023!AB12")},
                                            {QStringLiteral("Номер"), QStringLiteral("Архив!C3")}}));
}

TEST_F(DocumentReaderTest, PdfTextLayerPageByPage)
{
    const QString path = file("act.pdf");
    DocumentFixtures::writeTextPdf(path, {QStringLiteral("ПОСТАНОВЛЕНИЕ"), Letter});
    const QList<Piece> pieces = piecesOf(path);
    ASSERT_EQ(pieces.size(), 2);
    EXPECT_EQ(pieces[0].place, QStringLiteral("стр. 1"));
    EXPECT_EQ(pieces[0].text.trimmed(), QStringLiteral("ПОСТАНОВЛЕНИЕ"));
    EXPECT_EQ(pieces[1].place, QStringLiteral("стр. 2"));
    EXPECT_TRUE(pieces[1].text.contains(QStringLiteral("А40-1234/2008"))) << pieces[1].text.toStdString();
}

TEST_F(DocumentReaderTest, TheSinkStopsTheReading)
{
    const QString path = file("long.txt", "a\nb\nc\n");
    QStringList seen;
    const bool finished = readDocument(path, {[&](const TextPiece &piece) {
                                                  seen << piece.text;
                                                  return seen.size() < 2;
                                              },
                                              {}});
    EXPECT_FALSE(finished);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST_F(DocumentReaderTest, UnreadableDocumentsSayWhy)
{
    const QString scan = file("scan.pdf");
    DocumentFixtures::writeScannedPdf(scan);
    const QString zipOfOtherThings = file("photos.zip");
    OfficeFiles::writeZip(zipOfOtherThings, {{QStringLiteral("photo.txt"), "not a document"}});
    const QString docxWithoutBody = file("broken.docx");
    OfficeFiles::writeZip(docxWithoutBody, {{QStringLiteral("word/document.xml"), "<w:document><w:body><w:p>"}});

    const QList<std::pair<QString, QString>> cases{
        {scan, QStringLiteral("скан")},
        {file("damaged.pdf", "%PDF-1.7\nnothing else"), QStringLiteral("PDF повреждён")},
        {file("protected.docx", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(504, '\0')),
         QStringLiteral("защищён паролем")},
        {file("truncated.xlsx", "PK\x03\x04 and then nothing"), QStringLiteral("повреждён")},
        {zipOfOtherThings, QStringLiteral("не является документом Word")},
        {docxWithoutBody, QStringLiteral("документ Word повреждён")},
        {file("missing.txt"), QStringLiteral("файл не открывается")},
    };
    for (const auto &[path, expected] : cases)
        EXPECT_TRUE(errorOf(path).contains(expected)) << path.toStdString() << ": " << errorOf(path).toStdString();
}

} // namespace
