#include "CaseNumberFinder.h"

#include "decoder/CaseNumberInput.h"
#include "decoder/CaseYear.h"

#include <QDate>

namespace {

const QChar CyrillicA(0x0410);

bool isDash(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'-' || (u >= 0x2010 && u <= 0x2015) || u == 0x2212 || u == 0x2043 || u == 0xFE58
           || u == 0xFE63 || u == 0xFF0D;
}

// "_" stands for "/" in web addresses, a backslash in hurried typing.
bool isSlash(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'/' || u == u'\\' || u == u'_' || u == 0x2215 || u == 0x2044 || u == 0xFF0F;
}

// Unicode white space, so no-break and narrow no-break spaces from documents count too.
bool isBlank(QChar c)
{
    return c.isSpace();
}

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber();
}

// Latin letters that look like Cyrillic ones, and lower case, as the court
// code's letters are compared. Never applied outside a court code.
QChar foldCodeLetter(QChar c)
{
    switch (c.unicode()) {
    case u'A': case u'a': return CyrillicA;
    case u'C': case u'c': return QChar(0x0421);
    case u'P': case u'p': return QChar(0x0420);
    case u'O': case u'o': return QChar(0x041E);
    default: break;
    }
    const char16_t u = c.unicode();
    if (u >= 0x0430 && u <= 0x044F)
        return QChar(char16_t(u - 0x20));
    if (u == 0x0451)
        return QChar(0x0401);
    return c;
}

// Inside a court code's two digits, О and З typed for 0 and 3.
std::optional<QChar> codeDigit(QChar c)
{
    if (isDigit(c))
        return c;
    switch (c.unicode()) {
    case u'O': case u'o': case 0x041E: case 0x043E: return QLatin1Char('0');
    case 0x0417: case 0x0437: return QLatin1Char('3');
    default: return std::nullopt;
    }
}

struct Match
{
    QString text;
    qsizetype end = 0;
};

} // namespace

// A cursor over the searched text; every step reads forward only, so no
// attempt costs more than the run of characters it looks at.
struct CaseNumberFinder::Scanner
{
    QStringView text;
    const QHash<QChar, QStringList> &extraCodes;

    QChar at(qsizetype i) const { return i < text.size() ? text[i] : QChar(); }

    bool startsWord(qsizetype i) const { return i == 0 || !isWordCharacter(text[i - 1]); }
    bool endsWord(qsizetype i) const { return i >= text.size() || !isWordCharacter(text[i]); }

    qsizetype skipBlanks(qsizetype i) const
    {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        return i;
    }

    qsizetype digitsEnd(qsizetype i) const
    {
        while (i < text.size() && isDigit(text[i]))
            ++i;
        return i;
    }

    // A dash with any blanks around it; the position after them, or -1.
    qsizetype spacedDash(qsizetype i) const
    {
        i = skipBlanks(i);
        if (!isDash(at(i)))
            return -1;
        return skipBlanks(i + 1);
    }

    std::optional<QString> twoCodeDigits(qsizetype i) const
    {
        const auto first = codeDigit(at(i));
        const auto second = codeDigit(at(i + 1));
        if (!first || !second)
            return std::nullopt;
        return QString(*first) + *second;
    }

    // "А40" (first instance), "17АП" (appeal), "Ф05" (cassation), "С01",
    // "СИП", in any of the ways people and web addresses write them.
    std::optional<Match> courtCode(qsizetype i) const
    {
        const QChar first = foldCodeLetter(at(i));
        if (first == CyrillicA) {
            if (const auto digits = twoCodeDigits(i + 1); digits && endsWord(i + 3))
                return Match{CyrillicA + *digits, i + 3};
        }
        if (isDigit(at(i)) && isDigit(at(i + 1)) && foldCodeLetter(at(i + 2)) == CyrillicA) {
            const char16_t pe = at(i + 3).unicode();
            if ((pe == 0x041F || pe == 0x043F || pe == u'p' || pe == u'P') && endsWord(i + 4))
                return Match{text.mid(i, 2).toString() + QStringLiteral("АП"), i + 4};
        }
        if (first == QChar(0x0424) || at(i) == u'f' || at(i) == u'F') {
            if (const auto digits = twoCodeDigits(i + 1); digits && endsWord(i + 3))
                return Match{QChar(0x0424) + *digits, i + 3};
        }
        if (first == QChar(0x0421) || at(i) == u's' || at(i) == u'S') {
            if (const auto digits = twoCodeDigits(i + 1); digits && *digits == QLatin1String("01") && endsWord(i + 3))
                return Match{QStringLiteral("С01"), i + 3};
            const QChar i2 = foldCodeLetter(at(i + 1));
            const QChar p3 = at(i + 2);
            const bool ie = i2 == QChar(0x0418) || at(i + 1) == u'i' || at(i + 1) == u'I';
            const bool pe = foldCodeLetter(p3) == QChar(0x041F) || p3 == u'p' || p3 == u'P';
            if (ie && pe && endsWord(i + 3))
                return Match{QStringLiteral("СИП"), i + 3};
        }
        return databaseCode(i);
    }

    // Codes of other shapes that the reference database holds; the longest wins.
    std::optional<Match> databaseCode(qsizetype i) const
    {
        const auto candidates = extraCodes.constFind(foldCodeLetter(at(i)));
        if (candidates == extraCodes.cend())
            return std::nullopt;
        std::optional<Match> best;
        for (const QString &code : *candidates) {
            if (i + code.size() > text.size() || (best && best->text.size() >= code.size()))
                continue;
            qsizetype k = 0;
            while (k < code.size() && foldCodeLetter(text[i + k]) == code[k])
                ++k;
            if (k == code.size() && endsWord(i + k))
                best = Match{code, i + k};
        }
        return best;
    }

    // Two or four digits, and no digit after them.
    std::optional<Match> year(qsizetype i) const
    {
        const qsizetype end = digitsEnd(i);
        if (end - i != 2 && end - i != 4)
            return std::nullopt;
        return Match{text.mid(i, end - i).toString(), end};
    }

    std::optional<FoundCaseNumber> arbitration(qsizetype start) const
    {
        const auto code = courtCode(start);
        if (!code)
            return std::nullopt;
        const qsizetype afterDash = spacedDash(code->end);
        if (afterDash < 0)
            return std::nullopt;
        if (code->text.endsWith(QStringLiteral("АП")) && foldCodeLetter(at(afterDash)) == CyrillicA)
            return appealOfFirstInstance(start, code->text, afterDash);

        const qsizetype serialEnd = digitsEnd(afterDash);
        if (serialEnd == afterDash)
            return std::nullopt;
        qsizetype i = skipBlanks(serialEnd);
        if (!isSlash(at(i)))
            return std::nullopt;
        const auto yearMatch = year(skipBlanks(i + 1));
        if (!yearMatch)
            return std::nullopt;

        // The old division tail "-101-503" is digits only; "-ГК", "/з.8", "(2)" are not part of the number.
        QString tail;
        qsizetype end = yearMatch->end;
        for (int segment = 0; segment < 2 && isDash(at(end)) && isDigit(at(end + 1)); ++segment) {
            const qsizetype segmentEnd = digitsEnd(end + 1);
            tail += QLatin1Char('-');
            tail += text.mid(end + 1, segmentEnd - end - 1);
            end = segmentEnd;
        }
        return arbitrationNumber(start, end, code->text, text.mid(afterDash, serialEnd - afterDash).toString(),
                                 yearMatch->text, tail);
    }

    // "06АП-А73/2008-2/3653": an appeal court's old numbering, with the first
    // instance's code after its own and the serial last.
    std::optional<FoundCaseNumber> appealOfFirstInstance(qsizetype start, const QString &code, qsizetype i) const
    {
        if (!twoCodeDigits(i + 1) || !isSlash(at(i + 3)))
            return std::nullopt;
        const auto yearMatch = year(i + 4);
        if (!yearMatch || !isDash(at(yearMatch->end)))
            return std::nullopt;
        const qsizetype partEnd = digitsEnd(yearMatch->end + 1);
        if (partEnd == yearMatch->end + 1 || !isSlash(at(partEnd)))
            return std::nullopt;
        const qsizetype serialEnd = digitsEnd(partEnd + 1);
        if (serialEnd == partEnd + 1)
            return std::nullopt;
        return arbitrationNumber(start, serialEnd, code, text.mid(partEnd + 1, serialEnd - partEnd - 1).toString(),
                                 yearMatch->text, QString());
    }

    // "КА-А40/13679-07", "КГ-А40/…": the Moscow district's cassation court
    // numbered its cases this way before it became Ф05.
    std::optional<FoundCaseNumber> moscowCassation(qsizetype start) const
    {
        const char16_t k = at(start).unicode();
        if (k != 0x041A && k != u'K')
            return std::nullopt;
        const QChar kind = foldCodeLetter(at(start + 1));
        if ((kind != CyrillicA && kind != QChar(0x0413)) || !endsWord(start + 2))
            return std::nullopt;
        const qsizetype i = spacedDash(start + 2);
        if (i < 0 || foldCodeLetter(at(i)) != CyrillicA || !twoCodeDigits(i + 1) || !isSlash(at(i + 3)))
            return std::nullopt;
        const qsizetype serialEnd = digitsEnd(i + 4);
        if (serialEnd == i + 4 || !isDash(at(serialEnd)))
            return std::nullopt;
        const auto yearMatch = year(serialEnd + 1);
        if (!yearMatch)
            return std::nullopt;
        return arbitrationNumber(start, yearMatch->end, QStringLiteral("Ф05"),
                                 text.mid(i + 4, serialEnd - i - 4).toString(), yearMatch->text, QString());
    }

    static FoundCaseNumber arbitrationNumber(qsizetype start, qsizetype end, const QString &code,
                                             const QString &serial, const QString &yearText, const QString &tail)
    {
        FoundCaseNumber found;
        found.system = CourtSystem::Arbitration;
        found.position = start;
        found.length = end - start;
        found.courtCode = code;
        found.serial = serial;
        found.year = yearText;
        found.fullYear = fullCaseYear(yearText, thisYear());
        found.number = code + QLatin1Char('-') + serial + QLatin1Char('/') + yearText + tail;
        return found;
    }

    FoundCaseNumber otherCourt(CourtSystem system, qsizetype start, qsizetype end) const
    {
        FoundCaseNumber found;
        found.system = system;
        found.position = start;
        found.length = end - start;
        for (qsizetype i = start; i < end; ++i) {
            if (isDash(text[i]))
                found.number += QLatin1Char('-');
            else if (!isBlank(text[i]))
                found.number += text[i];
        }
        return found;
    }

    static bool isCapitalLetter(QChar c)
    {
        const char16_t u = c.unicode();
        return (u >= u'A' && u <= u'Z') || (u >= 0x0410 && u <= 0x042F) || u == 0x0401;
    }

    qsizetype capitalsEnd(qsizetype i) const
    {
        while (i < text.size() && isCapitalLetter(text[i]))
            ++i;
        return i;
    }

    // "305-ЭС19-12345", "77-КГ19-13", "305-ES19-20514" (a region or board,
    // the kind of case with the year, the serial), and "АКПИ22-118", "АПЛ21-341".
    std::optional<FoundCaseNumber> supremeCourt(qsizetype start) const
    {
        qsizetype i = start;
        const qsizetype boardEnd = digitsEnd(i);
        if (boardEnd > i) {
            if (boardEnd - i > 3 || !isDash(at(boardEnd)))
                return std::nullopt;
            i = boardEnd + 1;
        }
        const qsizetype lettersEnd = capitalsEnd(i);
        const qsizetype letters = lettersEnd - i;
        if (letters < (boardEnd > start ? 1 : 2) || letters > 5 || digitsEnd(lettersEnd) - lettersEnd != 2
            || !isDash(at(lettersEnd + 2)))
            return std::nullopt;
        const qsizetype serialEnd = digitsEnd(lettersEnd + 3);
        // With a "/" after it, it is the shape of an arbitration number, not of these.
        if (serialEnd == lettersEnd + 3 || isSlash(at(serialEnd)) || !endsWord(serialEnd))
            return std::nullopt;
        return otherCourt(CourtSystem::SupremeCourt, start, serialEnd);
    }

    // "2-521/2023", "33а-1234/2020", "88-22372/2024", "М-1764/2019": a
    // general-jurisdiction court's register, serial and four-digit year.
    std::optional<FoundCaseNumber> generalJurisdiction(qsizetype start) const
    {
        qsizetype i = digitsEnd(start);
        if (i == start) {
            if (at(i) != QChar(0x041C) && at(i) != u'M')
                return std::nullopt;
            ++i;
        } else if (i - start > 3) {
            return std::nullopt;
        } else if (at(i).isLetter() && at(i).isLower()) {
            ++i;
        }
        if (!isDash(at(i)))
            return std::nullopt;
        const qsizetype serialEnd = digitsEnd(i + 1);
        if (serialEnd == i + 1 || !isSlash(at(serialEnd)) || at(serialEnd) == u'_')
            return std::nullopt;
        const qsizetype yearEnd = digitsEnd(serialEnd + 1);
        if (yearEnd - serialEnd - 1 != 4)
            return std::nullopt;
        return otherCourt(CourtSystem::GeneralJurisdiction, start, yearEnd);
    }

    // The unique identifier of a general-jurisdiction case:
    // "50RS0016-01-2024-000805-79" (region, "RS", court, then four groups).
    std::optional<FoundCaseNumber> generalJurisdictionIdentifier(qsizetype start) const
    {
        if (digitsEnd(start) != start + 2 || foldCodeLetter(at(start + 3)) != QChar(0x0421))
            return std::nullopt;
        const char16_t r = at(start + 2).unicode();
        if (r != u'R' && r != 0x0420)
            return std::nullopt;
        qsizetype i = start + 4;
        if (digitsEnd(i) != i + 4)
            return std::nullopt;
        i += 4;
        for (int group = 0; group < 4; ++group) {
            if (!isDash(at(i)) || digitsEnd(i + 1) == i + 1)
                return std::nullopt;
            i = digitsEnd(i + 1);
        }
        return otherCourt(CourtSystem::GeneralJurisdiction, start, i);
    }

    std::optional<FoundCaseNumber> numberAt(qsizetype i) const
    {
        if (!startsWord(i))
            return std::nullopt;
        if (auto found = arbitration(i))
            return found;
        if (auto found = moscowCassation(i))
            return found;
        if (auto found = supremeCourt(i))
            return found;
        if (auto found = generalJurisdiction(i))
            return found;
        return generalJurisdictionIdentifier(i);
    }
};

CaseNumberFinder::CaseNumberFinder(const QStringList &courtCodes)
{
    setCourtCodes(courtCodes);
}

void CaseNumberFinder::setCourtCodes(const QStringList &courtCodes)
{
    m_extraCodes.clear();
    const QHash<QChar, QStringList> none;
    for (const QString &code : courtCodes) {
        // A code with a separator in it can never be cut out of a number whole.
        bool usable = !code.isEmpty();
        for (const QChar c : code)
            usable = usable && !isBlank(c) && !isDash(c) && !isSlash(c);
        if (!usable)
            continue;
        // Codes of the courts' own shapes are found by the rules above already.
        const QString probe = code + QStringLiteral("-1/20");
        if (Scanner{probe, none}.courtCode(0))
            continue;
        QString folded;
        for (const QChar c : code)
            folded += foldCodeLetter(c);
        QStringList &sameStart = m_extraCodes[folded.at(0)];
        if (!sameStart.contains(folded))
            sameStart << folded;
    }
}

QList<FoundCaseNumber> CaseNumberFinder::findAll(QStringView text) const
{
    const Scanner scanner{text, m_extraCodes};
    QList<FoundCaseNumber> numbers;
    qsizetype i = 0;
    while (i < text.size()) {
        if (auto found = scanner.numberAt(i)) {
            i = found->position + found->length;
            numbers << std::move(*found);
        } else {
            ++i;
        }
    }
    return numbers;
}

std::optional<FoundCaseNumber> CaseNumberFinder::findFirst(QStringView text) const
{
    const Scanner scanner{text, m_extraCodes};
    std::optional<FoundCaseNumber> firstOther;
    qsizetype i = 0;
    while (i < text.size()) {
        if (auto found = scanner.numberAt(i)) {
            if (found->system == CourtSystem::Arbitration)
                return found;
            i = found->position + found->length;
            if (!firstOther)
                firstOther = std::move(found);
        } else {
            ++i;
        }
    }
    return firstOther;
}

QString CaseNumberFinder::decoderInput(const QString &text) const
{
    const auto found = findFirst(text);
    if (found && found->system == CourtSystem::Arbitration)
        return found->number;
    return cleanedTypedNumber(text);
}

QString otherCourtExplanation(CourtSystem system)
{
    switch (system) {
    case CourtSystem::Arbitration:
        return QString();
    case CourtSystem::SupremeCourt:
        return QStringLiteral("Это номер дела Верховного Суда Российской Федерации, а не арбитражного суда.");
    case CourtSystem::GeneralJurisdiction:
        return QStringLiteral("Это номер дела суда общей юрисдикции, а не арбитражного суда.");
    }
    return QString();
}
