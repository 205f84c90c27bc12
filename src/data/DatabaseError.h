#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the data layer: opening the file, running a statement,
// writing a row. The text names the file and carries SQLite's own message,
// so whoever shows it to the user needs to add nothing.
class DatabaseError : public std::runtime_error
{
public:
    explicit DatabaseError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};

// Statements and filters carry what the user typed, which may be a whole
// pasted page; a message shows only its start.
inline QString shortenedForMessage(const QString &text)
{
    constexpr qsizetype Shown = 200;
    return text.size() <= Shown ? text : text.left(Shown) + QStringLiteral("…");
}

// Every path that reads a column by name says the same when it is not there.
inline QString missingColumnMessage(const QString &statement, const QString &column)
{
    return QStringLiteral("В наборе данных «%1» нет столбца «%2».").arg(shortenedForMessage(statement), column);
}
