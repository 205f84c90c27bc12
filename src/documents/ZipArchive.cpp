#include "ZipArchive.h"

#include "documents/DocumentError.h"

#include <QFile>

#include <zip.h>

#include <memory>

namespace {

// A 100 000-row sheet is some tens of megabytes; a part that claims more
// than this is a zip bomb or a damaged file, and would only exhaust memory.
constexpr zip_uint64_t LargestPart = 512ull * 1024 * 1024;

struct ZipFileCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

} // namespace

ZipArchive::ZipArchive(const QString &path)
{
    int error = 0;
    m_archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!m_archive) {
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        const QString reason = QString::fromUtf8(zip_error_strerror(&details));
        zip_error_fini(&details);
        if (error == ZIP_ER_NOZIP || error == ZIP_ER_INCONS)
            throw DocumentError(QStringLiteral("файл повреждён или это не документ Office (%1)").arg(reason));
        throw DocumentError(QStringLiteral("файл не открывается (%1)").arg(reason));
    }
}

ZipArchive::~ZipArchive()
{
    zip_discard(m_archive);
}

bool ZipArchive::contains(const QString &name) const
{
    return zip_name_locate(m_archive, name.toUtf8().constData(), 0) >= 0;
}

QByteArray ZipArchive::read(const QString &name) const
{
    const QByteArray encodedName = name.toUtf8();
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(m_archive, encodedName.constData(), 0, &stat) != 0)
        throw DocumentError(QStringLiteral("в файле нет части %1: он повреждён").arg(name));
    if (stat.encryption_method != ZIP_EM_NONE)
        throw DocumentError(QStringLiteral("документ защищён паролем; снимите защиту и откройте его снова"));
    if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > LargestPart)
        throw DocumentError(QStringLiteral("часть %1 слишком велика для документа: файл повреждён").arg(name));

    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen(m_archive, encodedName.constData(), 0));
    if (!file)
        throw DocumentError(QStringLiteral("часть %1 не читается (%2)").arg(name, QString::fromUtf8(zip_strerror(m_archive))));
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_fread(file.get(), bytes.data(), stat.size);
    if (read < 0 || zip_uint64_t(read) != stat.size)
        throw DocumentError(QStringLiteral("часть %1 повреждена (%2)").arg(name, QString::fromUtf8(zip_file_strerror(file.get()))));
    return bytes;
}
