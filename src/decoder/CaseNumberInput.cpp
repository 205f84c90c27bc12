#include "CaseNumberInput.h"

namespace {

const QChar NumeroSign(0x2116);

bool isTypographicDash(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x2010 && u <= 0x2015) || u == 0x2212 || u == 0x2043 || u == 0xFE58 || u == 0xFE63 || u == 0xFF0D;
}

bool isBlankOrDot(QChar c)
{
    return c.isSpace() || c == QLatin1Char('.');
}

// "Дело № А40-…", "N А40-…", "No. А40-…": the words people copy along with
// the number. A word counts only when a blank, a dot or "№" ends it, so text
// that merely begins with these letters is left alone.
qsizetype leadingCaseWordsEnd(const QString &text)
{
    qsizetype i = 0;
    for (;;) {
        const QStringView rest = QStringView(text).mid(i);
        const auto followedBy = [&](qsizetype length, bool numeroToo) {
            if (rest.size() <= length)
                return false;
            const QChar next = rest[length];
            return next.isSpace() || next == QLatin1Char('.') || (numeroToo && next == NumeroSign);
        };
        qsizetype word = 0;
        if (rest.startsWith(QStringLiteral("дело"), Qt::CaseInsensitive) && followedBy(4, true))
            word = 4;
        else if (rest.startsWith(QLatin1String("No")) && followedBy(2, false))
            word = 2;
        else if (rest.startsWith(QLatin1Char('N')) && followedBy(1, false))
            word = 1;
        else if (rest.startsWith(NumeroSign))
            word = 1;
        if (word == 0)
            return i;
        i += word;
        while (i < text.size() && isBlankOrDot(text[i]))
            ++i;
    }
}

} // namespace

QString cleanedTypedNumber(const QString &typed)
{
    QString text = typed.trimmed();
    text.replace(QStringLiteral("в„–"), QString(NumeroSign));
    text.remove(0, leadingCaseWordsEnd(text));

    // One pass, so that a long run of blanks costs no more than its length.
    QString cleaned;
    cleaned.reserve(text.size());
    bool afterSeparator = false;
    for (QChar c : text) {
        if (isTypographicDash(c))
            c = QLatin1Char('-');
        else if (c == QLatin1Char('\\'))
            c = QLatin1Char('/');
        if (c == QLatin1Char('-') || c == QLatin1Char('/')) {
            while (!cleaned.isEmpty() && cleaned.back().isSpace())
                cleaned.chop(1);
            afterSeparator = true;
        } else if (c.isSpace() && afterSeparator) {
            continue;
        } else {
            afterSeparator = false;
        }
        cleaned += c;
    }

    // Court codes begin with the Cyrillic А; a Latin A typed on an English
    // layout looks the same. Only the court code's first capital is changed.
    const qsizetype dash = cleaned.indexOf(QLatin1Char('-'));
    const qsizetype latinA = cleaned.indexOf(QLatin1Char('A'));
    if (latinA >= 0 && latinA < dash)
        cleaned[latinA] = QChar(0x0410);
    return cleaned;
}
