#include "knownfolders.h"

#include "usersessioncalls_win.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

namespace Platform {

QString specialFolderPath(SpecialFolder folder)
{
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, int(folder), FALSE))
        return QString();
    return QString::fromWCharArray(path);
}

QString programFiles64Path()
{
#ifndef _WIN64
    // FOLDERID_ProgramFilesX64 is refused to 32-bit programs; Windows gives them the 64-bit
    // folder's path in ProgramW6432 instead, which it sets only under WOW64.
    BOOL wow64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = GetEnvironmentVariableW(L"ProgramW6432", path, MAX_PATH);
        return length > 0 && length < MAX_PATH ? QString::fromWCharArray(path, int(length)) : QString();
    }
#endif
    return knownFolderPath(FOLDERID_ProgramFiles, nullptr, KF_FLAG_DEFAULT);
}

} // namespace Platform
