#include "processhardening.h"

#include <windows.h>

namespace Platform {

namespace {

// Not in every SDK's headers yet: the policy's number and its flags, as Microsoft documents them.
constexpr int processRedirectionTrustPolicy = 16;
struct RedirectionTrustPolicy
{
    DWORD flags; // bit 0: EnforceRedirectionTrust, bit 1: AuditRedirectionTrust
};

} // namespace

bool hardenProcess()
{
    using SetPolicy = BOOL(WINAPI *)(int, PVOID, SIZE_T);
    // Looked up, not imported: Windows before 8 has no such function, and the program must start there.
    const auto setPolicy = reinterpret_cast<SetPolicy>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetProcessMitigationPolicy")));
    if (!setPolicy)
        return false;
    RedirectionTrustPolicy policy{ 1 };
    return setPolicy(processRedirectionTrustPolicy, &policy, sizeof policy) != FALSE;
}

} // namespace Platform
