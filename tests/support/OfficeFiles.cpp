#include "OfficeFiles.h"

#include <QFile>
#include <QRegularExpression>

#include <cstdlib>
#include <cstring>

#include <stdexcept>
#include <zip.h>

namespace OfficeFiles {

namespace {

QByteArray escaped(const QString &text)
{
    return text.toHtmlEscaped().toUtf8();
}

const QByteArray ContentTypesStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";

} // namespace

void writeZip(const QString &path, const ZipEntries &entries)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        throw std::runtime_error("cannot create the zip fixture");
    for (const auto &[name, bytes] : entries) {
        // libzip reads the buffer when the archive is closed, so it gets a copy it frees itself.
        void *copy = malloc(size_t(bytes.size()));
        memcpy(copy, bytes.constData(), size_t(bytes.size()));
        zip_source_t *source = zip_source_buffer(archive, copy, zip_uint64_t(bytes.size()), 1);
        if (!source || zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            throw std::runtime_error("cannot add to the zip fixture");
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("cannot write the zip fixture");
    }
}

void writeDocx(const QString &path, const QStringList &paragraphs)
{
    QByteArray body = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                      "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
    for (const QString &paragraph : paragraphs) {
        // Word splits a paragraph into runs wherever the formatting changes,
        // often inside a number: the middle of each paragraph starts a new run.
        const qsizetype half = paragraph.size() / 2;
        body += "<w:p><w:r><w:t xml:space=\"preserve\">" + escaped(paragraph.left(half))
                + "</w:t></w:r><w:r><w:rPr><w:b/></w:rPr><w:t xml:space=\"preserve\">" + escaped(paragraph.mid(half))
                + "</w:t></w:r></w:p>";
    }
    body += "<w:sectPr/></w:body></w:document>";
    writeZip(path, {
        {QStringLiteral("[Content_Types].xml"),
         ContentTypesStart
             + "<Override PartName=\"/word/document.xml\" "
               "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>"},
        {QStringLiteral("_rels/.rels"),
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
         "Target=\"word/document.xml\"/></Relationships>"},
        {QStringLiteral("word/document.xml"), body},
    });
}

void writeXlsx(const QString &path, const QList<SheetCells> &sheets)
{
    QStringList shared;
    QByteArray workbook = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook "
                          "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>";
    QByteArray relations = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    QByteArray contentTypes = ContentTypesStart
                              + "<Override PartName=\"/xl/workbook.xml\" "
                                "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>";
    ZipEntries entries;
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        const QByteArray number = QByteArray::number(i + 1);
        // Sheets are listed in the workbook in the reverse order of their
        // part names, so a reader that goes by part names shows up.
        const QByteArray part = "worksheets/sheet" + QByteArray::number(sheets.size() - i) + ".xml";
        workbook += "<sheet name=\"" + escaped(sheets[i].name) + "\" sheetId=\"" + number + "\" r:id=\"rId" + number + "\"/>";
        relations += "<Relationship Id=\"rId" + number
                     + "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" Target=\""
                     + part + "\"/>";
        contentTypes += "<Override PartName=\"/xl/" + part
                        + "\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
        QByteArray sheet = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet "
                           "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
        QString currentRow;
        for (const Cell &cell : sheets[i].cells) {
            const QString row = cell.reference.mid(cell.reference.indexOf(QRegularExpression(QStringLiteral("[0-9]"))));
            if (row != currentRow) {
                if (!currentRow.isEmpty())
                    sheet += "</row>";
                sheet += "<row r=\"" + row.toUtf8() + "\">";
                currentRow = row;
            }
            if (cell.shared) {
                sheet += "<c r=\"" + cell.reference.toUtf8() + "\" t=\"s\"><v>" + QByteArray::number(shared.size()) + "</v></c>";
                shared << cell.text;
            } else {
                sheet += "<c r=\"" + cell.reference.toUtf8() + "\" t=\"inlineStr\"><is><t>" + escaped(cell.text) + "</t></is></c>";
            }
        }
        if (!currentRow.isEmpty())
            sheet += "</row>";
        sheet += "</sheetData></worksheet>";
        entries.append({QStringLiteral("xl/") + QString::fromUtf8(part), sheet});
    }
    workbook += "</sheets></workbook>";
    relations += "<Relationship Id=\"rIdStrings\" "
                 "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
                 "Target=\"sharedStrings.xml\"/></Relationships>";
    contentTypes += "<Override PartName=\"/xl/sharedStrings.xml\" "
                    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/></Types>";
    QByteArray strings = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><sst "
                         "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    for (const QString &text : shared) {
        // Excel keeps a reading hint beside some strings; it is not the cell's text.
        strings += "<si><r><t>" + escaped(text) + "</t></r><rPh sb=\"0\" eb=\"1\"><t>ふりがな</t></rPh></si>";
    }
    strings += "</sst>";

    entries.prepend({QStringLiteral("xl/sharedStrings.xml"), strings});
    entries.prepend({QStringLiteral("xl/_rels/workbook.xml.rels"), relations});
    entries.prepend({QStringLiteral("xl/workbook.xml"), workbook});
    entries.prepend({QStringLiteral("_rels/.rels"),
                     "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
                     "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
                     "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
                     "Target=\"xl/workbook.xml\"/></Relationships>"});
    entries.prepend({QStringLiteral("[Content_Types].xml"), contentTypes});
    writeZip(path, entries);
}

} // namespace OfficeFiles
