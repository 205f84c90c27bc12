#include "CaseNumberInput.h"

#include <QRegularExpression>

namespace {

// "Дело № А40-…", "N А40-…", "No. А40-…": the words people copy along with the number.
const QRegularExpression &leadingCaseWords()
{
    static const QRegularExpression pattern(QStringLiteral("^(?:(?:(?i:дело)|№|No|N)[\\s.]*)+"));
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
    static const QRegularExpression pattern(QStringLiteral("\\s*([-/])\\s*"));
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
