#include "StandardOutput.h"

#include "StandardStreamError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

bool StandardOutput::isOpen()
{
    return ::fcntl(STDOUT_FILENO, F_GETFD) >= 0;
}

void StandardOutput::writeLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + '\n';

    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t result = ::write(STDOUT_FILENO, bytes.constData() + written, size_t(bytes.size() - written));
        if (result < 0 && errno == EINTR)
            continue;
        if (result <= 0) {
            const int failure = result < 0 ? errno : ENOSPC;
            throw StandardStreamError(
                QStringLiteral("ответ не записан в стандартный вывод: %1").arg(QString::fromLocal8Bit(std::strerror(failure))),
                failure == EPIPE);
        }
        written += result;
    }
}
