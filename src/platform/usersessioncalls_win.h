#pragma once

// The Win32 calls with which the program finds the person at the machine and starts a program
// for them. Every decision of interactiveuser_win.cpp is made on what these calls answer; the
// table holds the system's own functions, and a test replaces some of them to play the answers
// a real Windows gives where Wine cannot (accounts, elevation, sessions, uiAccess, the Secondary
// Logon service). Only the calls themselves are left to a real Windows to confirm.
//
// Windows only.

#include <QString>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wtsapi32.h>

namespace Platform {

struct UserSessionCalls
{
    // Windows and processes.
    HWND(WINAPI *getShellWindow)();
    DWORD(WINAPI *getWindowThreadProcessId)(HWND, LPDWORD);
    DWORD(WINAPI *getCurrentProcessId)();
    BOOL(WINAPI *processIdToSessionId)(DWORD, DWORD *);
    HANDLE(WINAPI *openProcess)(DWORD, BOOL, DWORD);
    BOOL(WINAPI *closeHandle)(HANDLE);
    HWINSTA(WINAPI *getProcessWindowStation)();
    BOOL(WINAPI *getUserObjectInformationW)(HANDLE, int, PVOID, DWORD, LPDWORD);

    // Sessions, read without any right on the processes in them.
    BOOL(WINAPI *wtsEnumerateProcessesW)(HANDLE, DWORD, DWORD, PWTS_PROCESS_INFOW *, DWORD *);
    BOOL(WINAPI *wtsEnumerateSessionsW)(HANDLE, DWORD, DWORD, PWTS_SESSION_INFOW *, DWORD *);
    void(WINAPI *wtsFreeMemory)(PVOID);
    DWORD(WINAPI *wtsGetActiveConsoleSessionId)();
    BOOL(WINAPI *wtsQueryUserToken)(ULONG, PHANDLE);
    BOOL(WINAPI *wtsQuerySessionInformationW)(HANDLE, DWORD, WTS_INFO_CLASS, LPWSTR *, DWORD *);

    // Tokens and accounts.
    BOOL(WINAPI *openProcessToken)(HANDLE, DWORD, PHANDLE);
    BOOL(WINAPI *duplicateTokenEx)(HANDLE, DWORD, LPSECURITY_ATTRIBUTES, SECURITY_IMPERSONATION_LEVEL, TOKEN_TYPE, PHANDLE);
    BOOL(WINAPI *getTokenInformation)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD);
    BOOL(WINAPI *setTokenInformation)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD);
    BOOL(WINAPI *adjustTokenPrivileges)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD);
    BOOL(WINAPI *lookupAccountSidW)(LPCWSTR, PSID, LPWSTR, LPDWORD, LPWSTR, LPDWORD, PSID_NAME_USE);
    BOOL(WINAPI *lookupAccountNameW)(LPCWSTR, LPCWSTR, PSID, LPDWORD, LPWSTR, LPDWORD, PSID_NAME_USE);

    // A user's environment and folders.
    BOOL(WINAPI *createEnvironmentBlock)(LPVOID *, HANDLE, BOOL);
    BOOL(WINAPI *destroyEnvironmentBlock)(LPVOID);
    HRESULT(WINAPI *shGetKnownFolderPath)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR *);

    // Starting a program.
    BOOL(WINAPI *createProcessWithTokenW)(HANDLE, DWORD, LPCWSTR, LPWSTR, DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION);
    BOOL(WINAPI *createProcessAsUserW)(HANDLE, LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCWSTR,
                                       LPSTARTUPINFOW, LPPROCESS_INFORMATION);
    BOOL(WINAPI *createProcessW)(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW,
                                 LPPROCESS_INFORMATION);
    // Records the parent of a start with the shell as parent (the attribute list is opaque).
    BOOL(WINAPI *updateProcThreadAttribute)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD_PTR, PVOID, SIZE_T, PVOID, PSIZE_T);
    BOOL(WINAPI *shellExecuteExW)(SHELLEXECUTEINFOW *);
    // Wine's version, or null on Windows. Wine has one account and no elevation: the token it
    // calls elevated is the only one there is, the user's own.
    const char *(*wineVersion)();
    // The one call of the table that is more than one Win32 function: asks the shell of this
    // session (Explorer, through its desktop's shell view and IShellDispatch2::ShellExecute) to
    // open `file` in `folder`, as it would for a double click. Its COM steps decide nothing but
    // whether Explorer took the request, which is what the HRESULT says.
    HRESULT (*shellExecuteThroughDesktop)(const wchar_t *file, const wchar_t *folder);
};

// The calls in use: the system's own unless a test replaced some.
UserSessionCalls &userSessionCalls();
// The system's own calls, for a test to put back.
const UserSessionCalls &systemUserSessionCalls();

// SHGetKnownFolderPath made a QString, for the account of `token` (null: this program's own);
// empty when Windows cannot tell. Missing folders are not created.
QString knownFolderPath(REFKNOWNFOLDERID folder, HANDLE token = nullptr, DWORD flags = KF_FLAG_DONT_VERIFY);

} // namespace Platform
