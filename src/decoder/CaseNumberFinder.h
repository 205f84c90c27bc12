#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Which courts a number found in pasted text belongs to. Only arbitration
// numbers can be decoded; the others are named so the user knows why not.
enum class CourtSystem {
    Arbitration, // "А40-1234/08-101-503", "17АП-18602/17", "Ф05-1/2016", "СИП-27/2013"
    SupremeCourt, // "305-ЭС19-12345", "АКПИ22-118", "77-KG19-13"
    GeneralJurisdiction, // "2-521/2023", "88-22372/2024", "УИД 50RS0016-01-2024-000805-79"
};

struct FoundCaseNumber
{
    CourtSystem system = CourtSystem::Arbitration;
    // Where the number stands in the searched text, in UTF-16 units.
    qsizetype position = 0;
    qsizetype length = 0;
    // The number as the decoder reads it: for arbitration numbers the court
    // code in Cyrillic capitals, "-", serial, "/", year as written and the
    // digits-only division tail ("А40-174799/09-55-1244"); for other courts
    // the text found with its dashes made "-" and its blanks dropped.
    QString number;
    // Arbitration numbers only; empty for other courts.
    QString courtCode;
    QString serial;
    QString year; // two or four digits, as written
    QString fullYear; // four digits
};

// The Russian line telling the user which courts a number of another
// system belongs to; empty for arbitration numbers.
QString otherCourtExplanation(CourtSystem system);

// Finds case numbers in whatever people paste: words, dates, city names,
// quotes and brackets around them, typographic dashes and blanks inside,
// look-alike Latin letters in the court code, web-address forms such as
// "a40-128721_20-149-933". A hand-written scanner: time and memory grow
// linearly with the text.
class CaseNumberFinder
{
public:
    CaseNumberFinder() = default;
    // Court codes the reference database holds; those of shapes other than
    // the courts' own ("А40", "17АП", "Ф05", "СИП", "С01") are found too.
    explicit CaseNumberFinder(const QStringList &courtCodes);
    void setCourtCodes(const QStringList &courtCodes);

    // Every number in the text, arbitration and other courts alike, in the
    // order they stand; found numbers never overlap.
    QList<FoundCaseNumber> findAll(QStringView text) const;

    // The number a decode takes: the first arbitration number, or else the
    // first number of another court; nothing when the text holds none.
    std::optional<FoundCaseNumber> findFirst(QStringView text) const;

    // What the decoder receives for pasted text: the first arbitration
    // number, or else the text cleaned as a typed number always was (so a
    // half-typed "А40-1234" still decodes its court).
    QString decoderInput(const QString &text) const;

private:
    struct Scanner;
    struct DatabaseCode
    {
        QString folded;
        QString asStored;
    };
    // Codes of other shapes, keyed by the first character of their folded form.
    QHash<QChar, QList<DatabaseCode>> m_extraCodes;
};
