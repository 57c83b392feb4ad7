#include "machinelock.h"

#include <windows.h>
#include <sddl.h>

namespace Platform {

namespace {
HANDLE held = nullptr;
} // namespace

void giveBackMachineLock()
{
    if (!held)
        return;
    ReleaseMutex(held);
    CloseHandle(held);
    held = nullptr;
}

MachineLock takeMachineLock()
{
    if (held)
        return MachineLock::Taken;
    // Administrators and SYSTEM may use it; nobody else may open it, or wait on it to hold a run.
    SECURITY_ATTRIBUTES attributes = { sizeof attributes, nullptr, FALSE };
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;GA;;;BA)(A;;GA;;;SY)", SDDL_REVISION_1,
                                                         &attributes.lpSecurityDescriptor, nullptr);
    HANDLE mutex = CreateMutexW(&attributes, FALSE, L"Global\\InstallQuorOlma.Run");
    const DWORD created = GetLastError();
    LocalFree(attributes.lpSecurityDescriptor);
    if (!mutex)
        return created == ERROR_ACCESS_DENIED ? MachineLock::Busy : MachineLock::Taken;
    switch (WaitForSingleObject(mutex, 0)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED: // its holder ended without giving it back: what it left is the next run's
        held = mutex;
        return MachineLock::Taken;
    default:
        CloseHandle(mutex);
        return MachineLock::Busy;
    }
}

} // namespace Platform
