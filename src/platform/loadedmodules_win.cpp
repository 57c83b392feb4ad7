#include "loadedmodules.h"

#include "paths/windowspath.h"

#include <QFileInfo>

#include <windows.h>
#include <psapi.h>

#include <vector>

namespace Platform {

QStringList loadedModulesIn(const QString &folder)
{
    std::vector<HMODULE> modules(256);
    DWORD needed = 0;
    for (;;) {
        if (!K32EnumProcessModules(GetCurrentProcess(), modules.data(), DWORD(modules.size() * sizeof(HMODULE)), &needed))
            return {};
        if (needed <= modules.size() * sizeof(HMODULE))
            break;
        modules.resize(needed / sizeof(HMODULE));
    }
    modules.resize(needed / sizeof(HMODULE));
    QStringList files;
    for (HMODULE module : modules) {
        wchar_t name[32768];
        const DWORD length = GetModuleFileNameW(module, name, DWORD(std::size(name)));
        if (length == 0 || length >= std::size(name))
            continue;
        const QString path = QString::fromWCharArray(name, int(length));
        if (WindowsPath::samePath(QFileInfo(path).absolutePath(), folder))
            files << path;
    }
    return files;
}

} // namespace Platform
