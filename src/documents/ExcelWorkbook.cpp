#include "ExcelWorkbook.h"

#include "documents/DocumentError.h"
#include "documents/ZipArchive.h"

#include <QHash>
#include <QList>
#include <QXmlStreamReader>

namespace {

struct Sheet
{
    QString name;
    QString part;
};

// Excel writes characters XML cannot carry (a carriage return, control
// characters) as "_xHHHH_" inside strings; "_x005F_" escapes a literal "_".
QString withoutExcelEscapes(const QString &text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'_' && i + 6 < text.size() && text.at(i + 1) == u'x' && text.at(i + 6) == u'_') {
            bool isHex = false;
            const ushort code = QStringView(text).mid(i + 2, 4).toUShort(&isHex, 16);
            if (isHex) {
                plain += QChar(code);
                i += 6;
                continue;
            }
        }
        plain += text.at(i);
    }
    return plain;
}

void throwIfBroken(const QXmlStreamReader &reader, const QString &part)
{
    if (reader.hasError())
        throw DocumentError(QStringLiteral("книга Excel повреждена: %1 (%2)").arg(part, reader.errorString()));
}

// Relationship targets are relative to xl/, or absolute within the package.
QString partOfTarget(const QString &target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    return QStringLiteral("xl/") + target;
}

QList<Sheet> sheetsInOrder(const ZipArchive &archive)
{
    const QString relationsPart = QStringLiteral("xl/_rels/workbook.xml.rels");
    QHash<QString, QString> targets;
    QXmlStreamReader relations(archive.read(relationsPart));
    while (!relations.atEnd()) {
        if (relations.readNext() == QXmlStreamReader::StartElement && relations.name() == u"Relationship") {
            const auto attributes = relations.attributes();
            targets.insert(attributes.value(QLatin1String("Id")).toString(), attributes.value(QLatin1String("Target")).toString());
        }
    }
    throwIfBroken(relations, relationsPart);

    const QString workbookPart = QStringLiteral("xl/workbook.xml");
    QList<Sheet> sheets;
    QXmlStreamReader workbook(archive.read(workbookPart));
    while (!workbook.atEnd()) {
        if (workbook.readNext() == QXmlStreamReader::StartElement && workbook.name() == u"sheet") {
            QString relationId;
            for (const QXmlStreamAttribute &attribute : workbook.attributes()) {
                if (attribute.name() == u"id")
                    relationId = attribute.value().toString();
            }
            const auto target = targets.constFind(relationId);
            if (target == targets.cend())
                throw DocumentError(QStringLiteral("книга Excel повреждена: у листа %1 нет данных")
                                        .arg(workbook.attributes().value(QLatin1String("name")).toString()));
            sheets.append({workbook.attributes().value(QLatin1String("name")).toString(), partOfTarget(*target)});
        }
    }
    throwIfBroken(workbook, workbookPart);
    return sheets;
}

// A shared string may be split into formatted runs; its text is all their
// w:t together, except the phonetic hints (rPh) that Excel keeps beside it.
QStringList sharedStrings(const ZipArchive &archive)
{
    const QString part = QStringLiteral("xl/sharedStrings.xml");
    QStringList strings;
    if (!archive.contains(part))
        return strings;
    QXmlStreamReader reader(archive.read(part));
    QString current;
    bool inPhonetic = false;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (reader.name() == u"si")
                current.clear();
            else if (reader.name() == u"rPh")
                inPhonetic = true;
            else if (reader.name() == u"t" && !inPhonetic)
                current += reader.readElementText();
        } else if (token == QXmlStreamReader::EndElement) {
            if (reader.name() == u"si")
                strings.append(withoutExcelEscapes(current));
            else if (reader.name() == u"rPh")
                inPhonetic = false;
        }
    }
    throwIfBroken(reader, part);
    return strings;
}

QString columnLetters(int column)
{
    QString letters;
    for (int n = column; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

// Where the cell has no "r" (Excel's own files always write it, others may not).
QString cellReference(int row, int column)
{
    return columnLetters(column) + QString::number(row);
}

// Column number of a reference such as "AB12", for cells after one without "r".
int columnOf(QStringView reference)
{
    int column = 0;
    for (QChar c : reference) {
        if (c < u'A' || c > u'Z')
            break;
        column = column * 26 + (c.unicode() - u'A' + 1);
    }
    return column;
}

bool readSheet(const ZipArchive &archive, const Sheet &sheet, const QStringList &strings, const TextSink &sink,
               qint64 sheetIndex, qint64 sheetCount)
{
    const QByteArray xml = archive.read(sheet.part);
    QXmlStreamReader reader(xml);
    int row = 0;
    int column = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == u"row") {
            const QStringView number = reader.attributes().value(QLatin1String("r"));
            row = number.isEmpty() ? row + 1 : number.toInt();
            column = 0;
            continue;
        }
        if (reader.name() != u"c")
            continue;

        const QXmlStreamAttributes attributes = reader.attributes();
        const QString reference = attributes.value(QLatin1String("r")).toString();
        column = reference.isEmpty() ? column + 1 : columnOf(reference);
        const QStringView type = attributes.value(QLatin1String("t"));
        QString value;
        bool isInline = false;
        while (reader.readNextStartElement()) {
            if (reader.name() == u"v") {
                value = reader.readElementText();
            } else if (reader.name() == u"is") {
                isInline = true;
                while (reader.readNextStartElement()) {
                    if (reader.name() == u"t")
                        value += reader.readElementText();
                    else if (reader.name() == u"r") {
                        while (reader.readNextStartElement()) {
                            if (reader.name() == u"t")
                                value += reader.readElementText();
                            else
                                reader.skipCurrentElement();
                        }
                    } else {
                        reader.skipCurrentElement();
                    }
                }
            } else {
                reader.skipCurrentElement();
            }
        }
        if (type == u"s" && !isInline) {
            bool ok = false;
            const int index = value.toInt(&ok);
            if (!ok || index < 0 || index >= strings.size())
                throw DocumentError(QStringLiteral("книга Excel повреждена: ячейка %1!%2 ссылается на несуществующую строку")
                                        .arg(sheet.name, reference));
            value = strings.at(index);
        } else {
            value = withoutExcelEscapes(value);
        }
        if (value.isEmpty())
            continue;
        const QString place = sheet.name + QLatin1Char('!') + (reference.isEmpty() ? cellReference(row, column) : reference);
        if (!sink.take({value, place}))
            return false;
        if (sink.progress)
            sink.progress(sheetIndex * xml.size() + reader.characterOffset(), sheetCount * xml.size());
    }
    throwIfBroken(reader, sheet.part);
    return true;
}

} // namespace

bool readExcelWorkbook(const ZipArchive &archive, const TextSink &sink)
{
    const QList<Sheet> sheets = sheetsInOrder(archive);
    const QStringList strings = sharedStrings(archive);
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        if (!readSheet(archive, sheets.at(i), strings, sink, i, sheets.size()))
            return false;
    }
    return true;
}
