#include "toolhelp.h"

#include <windows.h>
#include <tlhelp32.h>

#include <string>

namespace Platform {

struct Toolhelp::Private
{
    using Snapshot = HANDLE(WINAPI *)(DWORD, DWORD);
    using Walk = BOOL(WINAPI *)(HANDLE, PROCESSENTRY32W *);
    using ImageName = BOOL(WINAPI *)(HANDLE, DWORD, LPWSTR, PDWORD);

    HMODULE kernelModule = nullptr;
    Snapshot createSnapshot = nullptr;
    Walk first = nullptr;
    Walk next = nullptr;
    ImageName imageName = nullptr; // none before Windows Vista
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
    d->first = reinterpret_cast<Private::Walk>(GetProcAddress(d->kernelModule, "Process32FirstW"));
    d->next = reinterpret_cast<Private::Walk>(GetProcAddress(d->kernelModule, "Process32NextW"));
    d->imageName = reinterpret_cast<Private::ImageName>(GetProcAddress(d->kernelModule, "QueryFullProcessImageNameW"));
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

QList<Toolhelp::Process> Toolhelp::processes() const
{
    QList<Process> list;
    if (!isLoaded())
        return list;
    HANDLE snapshot = d->createSnapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return list;
    // The wide entry: a name in the 8-bit code page loses every letter that page lacks.
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = d->first(snapshot, &entry); more; more = d->next(snapshot, &entry))
        list.append({ quint32(entry.th32ProcessID), QString::fromWCharArray(entry.szExeFile, int(wcsnlen(entry.szExeFile, MAX_PATH))) });
    CloseHandle(snapshot);
    return list;
}

QString Toolhelp::imagePath(quint32 id) const
{
    if (!isLoaded() || !d->imageName || id == 0)
        return QString();
    // The limited right is granted for elevated processes and those of other users too, where
    // PROCESS_QUERY_INFORMATION is refused.
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process)
        return QString();
    // Paths longer than MAX_PATH exist: the buffer grows until the whole path fits.
    QString path;
    for (DWORD capacity = MAX_PATH; capacity <= 32768; capacity *= 4) {
        std::wstring buffer(capacity, L'\0');
        DWORD length = capacity;
        if (d->imageName(process, 0, buffer.data(), &length)) {
            path = QString::fromWCharArray(buffer.data(), int(length));
            break;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
    }
    CloseHandle(process);
    return path;
}

} // namespace Platform
