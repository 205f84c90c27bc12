#include "StandardInputLines.h"

#include "StandardStreamError.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

StandardInputLines::~StandardInputLines()
{
    std::free(m_buffer);
}

std::optional<QString> StandardInputLines::next()
{
    errno = 0;
    ssize_t length = ::getline(&m_buffer, &m_capacity, stdin);
    if (length < 0) {
        if (std::ferror(stdin)) {
            throw StandardStreamError(QStringLiteral("стандартный ввод не прочитан: %1").arg(QString::fromLocal8Bit(std::strerror(errno))),
                                      false);
        }
        return std::nullopt;
    }
    if (length > 0 && m_buffer[length - 1] == '\n')
        --length;
    if (length > 0 && m_buffer[length - 1] == '\r')
        --length;
    return QString::fromUtf8(m_buffer, length);
}
