#include "versioninfo.h"

#include "peversionresource.h"

#include <QFile>
#include <QLocale>

#include <cstring>

namespace Platform {

namespace {

// The version block of a file, read through a memory map so that a large file is not copied.
QByteArray versionBlockOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
        return {};
    const qint64 size = file.size();
    if (const uchar *mapped = file.map(0, size)) {
        const QByteArray block = PeVersionResource::extractVersionBlock(mapped, size,
                                                                        PeVersionResource::userDefaultLanguage());
        file.unmap(const_cast<uchar *>(mapped));
        return block;
    }
    const QByteArray bytes = file.readAll();
    return PeVersionResource::extractVersionBlock(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size(),
                                                  PeVersionResource::userDefaultLanguage());
}

} // namespace

quint32 fileVersionInfoSize(const QString &path)
{
    return quint32(versionBlockOf(path).size());
}

bool fileVersionInfo(const QString &path, quint32 size, void *buffer)
{
    const QByteArray block = versionBlockOf(path);
    if (block.isEmpty() || quint32(block.size()) > size)
        return false;
    std::memcpy(buffer, block.constData(), size_t(block.size()));
    return true;
}

bool verQueryValue(const void *block, const QString &subBlock, const void **value, quint32 *length)
{
    return PeVersionResource::queryValue(static_cast<const uchar *>(block), subBlock, value, length);
}

} // namespace Platform
