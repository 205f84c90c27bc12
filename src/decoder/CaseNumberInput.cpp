#include "CaseNumberInput.h"

#include <QRegularExpression>

namespace {

// "Дело № А40-…", "N А40-…", "No. А40-…": the words people copy along with the
// number. A word counts only when a blank, a dot or "№" ends it, so text that
// merely begins with these letters is left alone.
const QRegularExpression &leadingCaseWords()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:(?:(?i:дело)(?=[\\s.№])|No(?=[\\s.])|N(?=[\\s.])|№)[\\s.]*)+"),
        QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

// Hyphen, non-breaking hyphen, figure dash, en and em dashes, horizontal bar, minus sign.
const QRegularExpression &typographicDashes()
{
    static const QRegularExpression pattern(QStringLiteral("[\\x{2010}-\\x{2015}\\x{2212}]"));
    return pattern;
}

const QRegularExpression &blanksAroundSeparators()
{
    // Unicode white space, so that no-break spaces from documents count too.
    static const QRegularExpression pattern(QStringLiteral("\\s*([-/])\\s*"), QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

} // namespace

QString normalizeCaseNumber(const QString &typed)
{
    QString text = typed.trimmed();
    text.remove(leadingCaseWords());
    text.replace(typographicDashes(), QStringLiteral("-"));
    text.replace(blanksAroundSeparators(), QStringLiteral("\\1"));

    // Court codes begin with the Cyrillic А; a Latin A typed on an English
    // layout looks the same. Only the first capital is the court's letter.
    const qsizetype latinA = text.indexOf(QLatin1Char('A'));
    if (latinA >= 0)
        text[latinA] = QChar(0x0410);
    return text;
}
