#pragma once

#include <QString>
#include <stdexcept>

// A document that cannot be read: the text says why in words the user can act
// on (a password, a scan without text, a damaged file), without the file name,
// which whoever lists the error already shows beside it.
class DocumentError : public std::runtime_error
{
public:
    explicit DocumentError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};
