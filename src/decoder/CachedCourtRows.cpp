#include "CachedCourtRows.h"

#include "data/ReadSnapshot.h"

namespace {

// A code or a division may hold any character, so the key keeps their
// lengths; "no division" and an empty division stay apart.
QString keyOf(const QString &code, const std::optional<QString> &division)
{
    QString key = QString::number(code.size()) + QLatin1Char(':') + code;
    if (division)
        key += QLatin1Char(':') + *division;
    return key;
}

} // namespace

CourtRows::Answer CachedCourtRows::lookUp(const QString &code, const std::optional<QString> &division)
{
    const QString key = keyOf(code, division);
    const auto known = m_answers.constFind(key);
    if (known != m_answers.cend())
        return *known;
    const Answer answer = [&] {
        const ReadSnapshot snapshot(m_connection);
        return m_source().lookUp(code, division);
    }();
    return *m_answers.insert(key, answer);
}

std::optional<QString> CachedCourtRows::courtOnlyName(const QString &code)
{
    const auto known = m_courtOnlyNames.constFind(code);
    if (known != m_courtOnlyNames.cend())
        return *known;
    const std::optional<QString> name = [&] {
        const ReadSnapshot snapshot(m_connection);
        return m_source().courtOnlyName(code);
    }();
    return *m_courtOnlyNames.insert(code, name);
}
