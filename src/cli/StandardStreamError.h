#pragma once

#include <QString>
#include <stdexcept>

// A failed read of standard input or write of standard output. The answers
// are often all a script keeps, so output cut short must never end as success.
class StandardStreamError : public std::runtime_error
{
public:
    StandardStreamError(const QString &message, bool readerGone)
        : std::runtime_error(message.toStdString())
        , m_message(message)
        , m_readerGone(readerGone)
    {
    }

    QString message() const { return m_message; }
    // The program reading our output has closed it (`| head`): it wants no
    // more, which is no one's mistake and needs no message.
    bool readerGone() const { return m_readerGone; }

private:
    QString m_message;
    bool m_readerGone;
};
