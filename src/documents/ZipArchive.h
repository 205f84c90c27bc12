#pragma once

#include <QByteArray>
#include <QString>

struct zip;

// The parts of an Office file, read through libzip: Debian's library handles
// every kind of zip Word and Excel write (deflate, zip64, data descriptors),
// which a hand-written reader would get wrong sooner or later.
class ZipArchive
{
public:
    // Raises DocumentError when the file is not a zip archive or cannot be read.
    explicit ZipArchive(const QString &path);
    ~ZipArchive();

    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    bool contains(const QString &name) const;
    // The whole entry, uncompressed; raises DocumentError when it is missing,
    // damaged, encrypted or too large to be a real document's part.
    QByteArray read(const QString &name) const;

private:
    zip *m_archive = nullptr;
};
