#include "detachedprocess.h"

#include <QDir>

#include <windows.h>

#include <string>

namespace Platform {

bool startDetachedProcess(const QString &program, const QString &workingFolder)
{
    const std::wstring application = QDir::toNativeSeparators(program).toStdWString();
    const std::wstring folder = QDir::toNativeSeparators(workingFolder).toStdWString();
    // The program's own path, quoted, as its first argument: what the program expects to find.
    std::wstring commandLine = L"\"" + application + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    // No handle inherited (the standard ones neither: no STARTF_USESTDHANDLES), no console of
    // the installer's, and outside the installer's job where the job allows it, so that nothing
    // ends JAWS when the installer ends.
    const DWORD flags = DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP;
    BOOL ok = CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                             flags | CREATE_BREAKAWAY_FROM_JOB, nullptr, folder.c_str(), &startup, &started);
    if (!ok && GetLastError() == ERROR_ACCESS_DENIED)
        ok = CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                            folder.c_str(), &startup, &started);
    if (!ok)
        return false;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

} // namespace Platform
