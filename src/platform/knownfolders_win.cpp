#include "knownfolders.h"

#include <windows.h>
#include <shlobj.h>

namespace Platform {

QString specialFolderPath(SpecialFolder folder)
{
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, int(folder), FALSE))
        return QString();
    return QString::fromWCharArray(path);
}

} // namespace Platform
