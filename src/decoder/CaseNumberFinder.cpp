#include "CaseNumberFinder.h"

#include "decoder/CaseNumberInput.h"
#include "decoder/CaseYear.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <chrono>

namespace {

const QChar CyrillicA(0x0410);

bool isDash(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'-' || (u >= 0x2010 && u <= 0x2015) || u == 0x2212 || u == 0x2043 || u == 0xFE58 || u == 0xFE63 || u == 0xFF0D;
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
    case u'A':
    case u'a':
        return CyrillicA;
    case u'C':
    case u'c':
        return QChar(0x0421);
    case u'P':
    case u'p':
        return QChar(0x0420);
    case u'O':
    case u'o':
        return QChar(0x041E);
    default:
        break;
    }
    const char16_t u = c.unicode();
    if (u >= u'a' && u <= u'z')
        return QChar(char16_t(u - 0x20));
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
    case u'O':
    case u'o':
    case 0x041E:
    case 0x043E:
        return QLatin1Char('0');
    case 0x0417:
    case 0x0437:
        return QLatin1Char('3');
    default:
        return std::nullopt;
    }
}

struct Match
{
    QString text;
    qsizetype end = 0;
};

// A court code found in the text. Its text is made only once the whole
// number is there, so the near misses of a long text cost no allocation.
struct CodeMatch
{
    std::array<char16_t, 4> letters{};
    int size = 0;
    QString asStored; // a database's code, as the database writes it
    qsizetype end = 0;
    bool appeal = false;

    QString text() const { return size == 0 ? asStored : QString(reinterpret_cast<const QChar *>(letters.data()), size); }
};

using CodeDigits = std::array<char16_t, 2>;

} // namespace

// A cursor over the searched text; every step reads forward only, so no
// attempt costs more than the run of characters it looks at.
struct CaseNumberFinder::Scanner
{
    QStringView text;
    const QHash<QChar, QList<DatabaseCode>> &extraCodes;
    // Asked of the clock once per search, and only when a number is found.
    mutable int currentYear = 0;
    // Codes and years repeat from number to number; a text full of numbers
    // keeps one copy of each instead of one per number.
    mutable QSet<QString> sharedTexts = {};

    QString shared(const QString &repeatingText) const
    {
        const auto known = sharedTexts.constFind(repeatingText);
        return known != sharedTexts.cend() ? *known : *sharedTexts.insert(repeatingText);
    }

    // The calendar of the local time zone costs more than a whole search of
    // a typical line; a year read in UTC is off for a few hours a year only.
    static int thisYear()
    {
        using namespace std::chrono;
        return int(year_month_day(floor<days>(system_clock::now())).year());
    }

    QChar at(qsizetype i) const { return i < text.size() ? text[i] : QChar(); }

    bool startsWord(qsizetype i) const { return i == 0 || !isWordCharacter(text[i - 1]); }

    // "NА40-…", "NoА40-…": the number sign's letters typed without a blank.
    bool startsWordOrFollowsNumberSign(qsizetype i) const
    {
        if (startsWord(i))
            return true;
        if (text[i - 1] == u'N')
            return startsWord(i - 1);
        return i >= 2 && text[i - 1] == u'o' && text[i - 2] == u'N' && startsWord(i - 2);
    }

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

    std::optional<CodeDigits> twoCodeDigits(qsizetype i) const
    {
        const auto first = codeDigit(at(i));
        const auto second = codeDigit(at(i + 1));
        if (!first || !second)
            return std::nullopt;
        return CodeDigits{first->unicode(), second->unicode()};
    }

    // Where a court code's two digits begin after its letter at i. "А 40-…",
    // "А-40-…": one blank or dash typed inside the code is passed over after a
    // capital letter only, since a lone "а" is a common word ("а 33-1234/2021"
    // is a general court's number after a conjunction).
    qsizetype codeDigitsStart(qsizetype i) const
    {
        const QChar between = at(i + 1);
        return isCapitalLetter(at(i)) && (isBlank(between) || isDash(between)) && isDigit(at(i + 2)) ? i + 2 : i + 1;
    }

    // "А40" (first instance), "17АП" (appeal), "Ф05" (cassation), "С01",
    // "СИП", in any of the ways people and web addresses write them.
    std::optional<CodeMatch> courtCode(qsizetype i) const
    {
        const QChar first = foldCodeLetter(at(i));
        if (first == CyrillicA) {
            const qsizetype d = codeDigitsStart(i);
            if (const auto digits = twoCodeDigits(d); digits && endsWord(d + 2))
                return CodeMatch{{CyrillicA.unicode(), (*digits)[0], (*digits)[1]}, 3, {}, d + 2};
        }
        if (isDigit(at(i))) {
            // Appeal courts are numbered with two digits; "9АП" is the ninth.
            const bool twoDigits = isDigit(at(i + 1));
            const qsizetype a = twoDigits ? i + 2 : i + 1;
            const char16_t pe = at(a + 1).unicode();
            if (foldCodeLetter(at(a)) == CyrillicA && (pe == 0x041F || pe == 0x043F || pe == u'p' || pe == u'P') && endsWord(a + 2)) {
                const char16_t tens = twoDigits ? at(i).unicode() : u'0';
                return CodeMatch{{tens, at(a - 1).unicode(), u'А', u'П'}, 4, {}, a + 2, true};
            }
        }
        if (first == QChar(0x0424) || at(i) == u'f' || at(i) == u'F') {
            const qsizetype d = codeDigitsStart(i);
            if (const auto digits = twoCodeDigits(d); digits && endsWord(d + 2))
                return CodeMatch{{u'Ф', (*digits)[0], (*digits)[1]}, 3, {}, d + 2};
        }
        if (first == QChar(0x0421) || at(i) == u's' || at(i) == u'S') {
            if (const auto digits = twoCodeDigits(i + 1); digits && *digits == CodeDigits{u'0', u'1'} && endsWord(i + 3))
                return CodeMatch{{u'С', u'0', u'1'}, 3, {}, i + 3};
            const QChar i2 = foldCodeLetter(at(i + 1));
            const QChar p3 = at(i + 2);
            const bool ie = i2 == QChar(0x0418) || at(i + 1) == u'i' || at(i + 1) == u'I';
            const bool pe = foldCodeLetter(p3) == QChar(0x041F) || p3 == u'p' || p3 == u'P';
            if (ie && pe && endsWord(i + 3))
                return CodeMatch{{u'С', u'И', u'П'}, 3, {}, i + 3};
        }
        return databaseCode(i);
    }

    // Codes of other shapes that the reference database holds; the longest wins.
    std::optional<CodeMatch> databaseCode(qsizetype i) const
    {
        const auto candidates = extraCodes.constFind(foldCodeLetter(at(i)));
        if (candidates == extraCodes.cend())
            return std::nullopt;
        std::optional<CodeMatch> best;
        for (const DatabaseCode &code : *candidates) {
            const qsizetype size = code.folded.size();
            if (i + size > text.size() || (best && best->end - i >= size))
                continue;
            qsizetype k = 0;
            while (k < size && foldCodeLetter(text[i + k]) == code.folded[k])
                ++k;
            if (k == size && endsWord(i + k))
                best = CodeMatch{{}, 0, code.asStored, i + k};
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
        if (code->appeal && foldCodeLetter(at(afterDash)) == CyrillicA)
            return appealOfFirstInstance(start, code->text(), afterDash);

        const qsizetype serialStart = afterComposition(afterDash);
        const qsizetype serialEnd = digitsEnd(serialStart);
        if (serialEnd == serialStart)
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
        while (isDash(at(end)) && isDigit(at(end + 1))) {
            const qsizetype segmentEnd = digitsEnd(end + 1);
            tail += QLatin1Char('-');
            tail += text.mid(end + 1, segmentEnd - end - 1);
            end = segmentEnd;
        }
        return arbitrationNumber(start, end, code->text(), text.mid(serialStart, serialEnd - serialStart).toString(), yearMatch->text,
                                 tail);
    }

    // "А41-К1-12345/05": the Moscow region's court once named the
    // composition before the serial; the decoder is given the serial alone.
    qsizetype afterComposition(qsizetype i) const
    {
        const char16_t k = at(i).unicode();
        if (k != 0x041A && k != 0x043A && k != u'K' && k != u'k')
            return i;
        const qsizetype numberEnd = digitsEnd(i + 1);
        return numberEnd > i + 1 && isDash(at(numberEnd)) ? numberEnd + 1 : i;
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
        return arbitrationNumber(start, serialEnd, code, text.mid(partEnd + 1, serialEnd - partEnd - 1).toString(), yearMatch->text,
                                 QString());
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
        return arbitrationNumber(start, yearMatch->end, QStringLiteral("Ф05"), text.mid(i + 4, serialEnd - i - 4).toString(),
                                 yearMatch->text, QString());
    }

    FoundCaseNumber arbitrationNumber(qsizetype start, qsizetype end, const QString &code, const QString &serial, const QString &yearText,
                                      const QString &tail) const
    {
        if (currentYear == 0)
            currentYear = thisYear();
        FoundCaseNumber found;
        found.system = CourtSystem::Arbitration;
        found.position = start;
        found.length = end - start;
        found.courtCode = shared(code);
        found.serial = serial;
        found.year = shared(yearText);
        found.fullYear = shared(fullCaseYear(yearText, currentYear));
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
        if (letters < (boardEnd > start ? 1 : 2) || letters > 5 || digitsEnd(lettersEnd) - lettersEnd != 2 || !isDash(at(lettersEnd + 2)))
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
        } else if (at(i).isLetter()) {
            // "2а-…" administrative, "8Г-…" a cassation court's register.
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
        const char16_t r = at(start + 2).unicode();
        const char16_t s = at(start + 3).unicode();
        if (digitsEnd(start) != start + 2 || (r != u'R' && r != 0x0420) || (s != u'S' && s != 0x0421))
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
        // Every shape starts with a letter or a digit, save a database code of
        // its own; blanks and punctuation, most of a long text, are passed at once.
        if (!isWordCharacter(text[i]) && !extraCodes.contains(foldCodeLetter(text[i])))
            return std::nullopt;
        if (!startsWord(i)) {
            if (startsWordOrFollowsNumberSign(i))
                return arbitration(i);
            return std::nullopt;
        }
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
    const QHash<QChar, QList<DatabaseCode>> none;
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
        QList<DatabaseCode> &sameStart = m_extraCodes[folded.at(0)];
        const bool known =
            std::any_of(sameStart.cbegin(), sameStart.cend(), [&](const DatabaseCode &other) { return other.folded == folded; });
        if (!known)
            sameStart << DatabaseCode{folded, code};
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
