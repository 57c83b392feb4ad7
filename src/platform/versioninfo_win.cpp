#include "versioninfo.h"

#include <QDir>

#include <windows.h>

namespace Platform {

namespace {
std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}
} // namespace

quint32 fileVersionInfoSize(const QString &path)
{
    DWORD handle = 0;
    return GetFileVersionInfoSizeW(nativePath(path).c_str(), &handle);
}

bool fileVersionInfo(const QString &path, quint32 size, void *buffer)
{
    return GetFileVersionInfoW(nativePath(path).c_str(), 0, size, buffer);
}

bool verQueryValue(const void *block, const QString &subBlock, const void **value, quint32 *length)
{
    LPVOID pointer = nullptr;
    UINT bytes = 0;
    const bool found = VerQueryValueW(block, subBlock.toStdWString().c_str(), &pointer, &bytes);
    *value = found ? pointer : nullptr;
    *length = found ? bytes : 0;
    return found && pointer;
}

} // namespace Platform
