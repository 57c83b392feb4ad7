#include "toolhelp.h"

#include <windows.h>
#include <tlhelp32.h>

namespace Platform {

struct Toolhelp::Private
{
    using Snapshot = HANDLE(WINAPI *)(DWORD, DWORD);
    using Walk = BOOL(WINAPI *)(HANDLE, tagPROCESSENTRY32 *); // the 8-bit entry

    HMODULE kernelModule = nullptr;
    Snapshot createSnapshot = nullptr;
    Walk first = nullptr;
    Walk next = nullptr;
};

Toolhelp::Toolhelp() : d(new Private) {}

Toolhelp::~Toolhelp()
{
    unload();
}

bool Toolhelp::load()
{
    if (isLoaded())
        return true;
    d->kernelModule = LoadLibraryW(L"KERNEL32.DLL");
    if (!d->kernelModule)
        return false;
    d->createSnapshot = reinterpret_cast<Private::Snapshot>(GetProcAddress(d->kernelModule, "CreateToolhelp32Snapshot"));
    d->first = reinterpret_cast<Private::Walk>(GetProcAddress(d->kernelModule, "Process32First"));
    d->next = reinterpret_cast<Private::Walk>(GetProcAddress(d->kernelModule, "Process32Next"));
    if (!d->createSnapshot || !d->first || !d->next)
        unload();
    return isLoaded();
}

void Toolhelp::unload()
{
    if (d->kernelModule)
        FreeLibrary(d->kernelModule);
    *d = Private();
}

bool Toolhelp::isLoaded() const
{
    return d->kernelModule && d->createSnapshot && d->first && d->next;
}

QList<QByteArray> Toolhelp::processNames() const
{
    QList<QByteArray> names;
    if (!isLoaded())
        return names;
    HANDLE snapshot = d->createSnapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return names;
    // The 8-bit functions are given the size of the wide entry (556 bytes), which they accept as
    // it is not smaller than their own; the buffer is that large.
    alignas(tagPROCESSENTRY32) unsigned char buffer[556] = {};
    auto *entry = reinterpret_cast<tagPROCESSENTRY32 *>(buffer);
    entry->dwSize = sizeof buffer;
    for (BOOL more = d->first(snapshot, entry); more; more = d->next(snapshot, entry))
        names.append(QByteArray(entry->szExeFile, int(strnlen(entry->szExeFile, MAX_PATH))));
    CloseHandle(snapshot);
    return names;
}

} // namespace Platform
