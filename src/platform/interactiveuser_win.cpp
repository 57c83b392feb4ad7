#include "interactiveuser.h"

#include "detachedprocess.h"

#include <QDir>

#include <windows.h>
#include <knownfolders.h>
#include <sddl.h>
#include <shlobj.h>
#include <userenv.h>
#include <wtsapi32.h>

#include <string>

namespace Platform {

namespace {

// Closes a kernel handle when it goes out of scope.
class Handle
{
public:
    explicit Handle(HANDLE handle = nullptr) : h(handle) {}
    ~Handle()
    {
        if (h)
            CloseHandle(h);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return h; }
    HANDLE *out() { return &h; }
    HANDLE release()
    {
        HANDLE handle = h;
        h = nullptr;
        return handle;
    }

private:
    HANDLE h;
};

DWORD sessionOf(DWORD processId)
{
    DWORD session = 0;
    return ProcessIdToSessionId(processId, &session) ? session : DWORD(-1);
}

// A primary token that can start a program and be asked for folders: the rights that
// CreateProcessWithTokenW, CreateProcessAsUserW, CreateEnvironmentBlock and
// SHGetKnownFolderPath need of it.
HANDLE primaryCopy(HANDLE token)
{
    HANDLE primary = nullptr;
    const DWORD rights = TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_IMPERSONATE | TOKEN_ASSIGN_PRIMARY | TOKEN_ADJUST_DEFAULT
        | TOKEN_ADJUST_SESSIONID;
    if (!DuplicateTokenEx(token, rights, nullptr, SecurityImpersonation, TokenPrimary, &primary))
        return nullptr;
    return primary;
}

bool isLocalSystem(HANDLE token)
{
    BYTE buffer[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)] = {};
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size))
        return false;
    return IsWellKnownSid(reinterpret_cast<TOKEN_USER *>(buffer)->User.Sid, WinLocalSystemSid);
}

// The shell of this program's session runs as the user of the session, unelevated: its token
// is the one the user's own programs get.
HANDLE shellToken()
{
    const HWND shell = GetShellWindow();
    if (!shell)
        return nullptr;
    DWORD processId = 0;
    GetWindowThreadProcessId(shell, &processId);
    if (!processId || sessionOf(processId) != sessionOf(GetCurrentProcessId()))
        return nullptr;
    Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    Handle token;
    if (!process.get() || !OpenProcessToken(process.get(), TOKEN_QUERY | TOKEN_DUPLICATE, token.out()))
        return nullptr;
    return primaryCopy(token.get());
}

enum class Whose { Nobody, Other, Own };

// The interactive user's primary token (the caller closes it), and whose it is.
HANDLE interactiveToken(Whose *whose)
{
    *whose = Whose::Nobody;
    if (HANDLE shell = shellToken()) {
        *whose = Whose::Other;
        return shell;
    }
    Handle own;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE, own.out()))
        return nullptr;
    if (isLocalSystem(own.get()) || sessionOf(GetCurrentProcessId()) == 0) {
        // A service or a deployment agent: the user at the console, if anyone is logged on
        // there. WTSQueryUserToken needs the right to act as part of the system, which SYSTEM
        // has, and gives a primary token.
        const DWORD console = WTSGetActiveConsoleSessionId();
        Handle user;
        if (console == 0xFFFFFFFF || !WTSQueryUserToken(console, user.out()))
            return nullptr;
        *whose = Whose::Other;
        return primaryCopy(user.get());
    }
    // A desktop session whose shell is not there (not started yet, or one that does not register
    // itself): the account that runs the installer is the only user of the session it can name.
    *whose = Whose::Own;
    return primaryCopy(own.get());
}

QString accountName(PSID sid)
{
    wchar_t name[256] = {};
    wchar_t domain[256] = {};
    DWORD nameSize = 256;
    DWORD domainSize = 256;
    SID_NAME_USE use;
    if (!LookupAccountSidW(nullptr, sid, name, &nameSize, domain, &domainSize, &use))
        return QString();
    const QString account = QString::fromWCharArray(name);
    return domainSize > 0 ? QString::fromWCharArray(domain) + QLatin1Char('\\') + account : account;
}

QString tokenAccountName(HANDLE token)
{
    BYTE buffer[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)] = {};
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size))
        return QString();
    return accountName(reinterpret_cast<TOKEN_USER *>(buffer)->User.Sid);
}

QString roamingAppData(HANDLE token)
{
    PWSTR path = nullptr;
    QString folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DONT_VERIFY, token, &path)))
        folder = QString::fromWCharArray(path);
    CoTaskMemFree(path);
    return folder;
}

QString stringValue(HKEY key, const wchar_t *subKey, const wchar_t *name, DWORD flags)
{
    DWORD size = 0;
    if (RegGetValueW(key, subKey, name, flags, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return QString();
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(key, subKey, name, flags, nullptr, text.data(), &size) != ERROR_SUCCESS)
        return QString();
    return QString::fromWCharArray(text.c_str());
}

// The profile's roaming folder as its own registry names it, while it is loaded (the user is
// logged on): a redirected folder is written there, relative to %USERPROFILE%.
QString redirectedAppData(const QString &sid, const QString &profileFolder)
{
    const std::wstring shellFolders = (sid + QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders")).toStdWString();
    QString folder = stringValue(HKEY_USERS, shellFolders.c_str(), L"AppData", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND);
    if (folder.isEmpty())
        return QString();
    folder.replace(QStringLiteral("%USERPROFILE%"), profileFolder, Qt::CaseInsensitive);
    wchar_t expanded[MAX_PATH * 2] = {};
    const std::wstring raw = folder.toStdWString();
    if (!ExpandEnvironmentStringsW(raw.c_str(), expanded, DWORD(std::size(expanded))))
        return QString();
    return QString::fromWCharArray(expanded);
}

// Lets this process use a privilege it holds but has not switched on.
void enablePrivilege(const wchar_t *name)
{
    Handle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.out()))
        return;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
}

} // namespace

InteractiveUser interactiveUser()
{
    InteractiveUser user;
    Whose whose = Whose::Nobody;
    Handle token(interactiveToken(&whose));
    if (token.get()) {
        user.found = true;
        user.name = tokenAccountName(token.get());
        user.appDataFolder = roamingAppData(token.get());
        return user;
    }
    // Nobody to be found: the account that runs the installer, and its folders.
    Handle own;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, own.out()))
        user.name = tokenAccountName(own.get());
    user.appDataFolder = roamingAppData(nullptr);
    return user;
}

bool startAsInteractiveUser(const QString &program, const QString &workingFolder)
{
    Whose whose = Whose::Nobody;
    Handle token(interactiveToken(&whose));
    // This program's own account: started as it always was.
    if (whose != Whose::Other)
        return startDetachedProcess(program, workingFolder);

    const std::wstring application = QDir::toNativeSeparators(program).toStdWString();
    const std::wstring folder = QDir::toNativeSeparators(workingFolder).toStdWString();
    std::wstring commandLine = L"\"" + application + L"\"";
    // The user's own environment, not the installer's (their TEMP, their APPDATA).
    void *environment = nullptr;
    if (!CreateEnvironmentBlock(&environment, token.get(), FALSE))
        environment = nullptr;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    // The interactive desktop of the user's session; a service's own would be invisible.
    wchar_t desktop[] = L"winsta0\\default";
    startup.lpDesktop = desktop;
    PROCESS_INFORMATION started = {};
    const DWORD flags = CREATE_UNICODE_ENVIRONMENT | CREATE_NEW_PROCESS_GROUP;
    // Through the secondary logon service: needs only the right to impersonate, which an
    // elevated administrator has. Outside any job of the installer's.
    BOOL ok = CreateProcessWithTokenW(token.get(), 0, application.c_str(), commandLine.data(), flags, environment,
                                      folder.c_str(), &startup, &started);
    if (!ok) {
        // That service may be disabled; SYSTEM holds the rights to assign the token itself.
        enablePrivilege(SE_ASSIGNPRIMARYTOKEN_NAME);
        enablePrivilege(SE_INCREASE_QUOTA_NAME);
        ok = CreateProcessAsUserW(token.get(), application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                  flags | DETACHED_PROCESS | CREATE_BREAKAWAY_FROM_JOB, environment, folder.c_str(), &startup, &started);
        if (!ok && GetLastError() == ERROR_ACCESS_DENIED)
            ok = CreateProcessAsUserW(token.get(), application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                      flags | DETACHED_PROCESS, environment, folder.c_str(), &startup, &started);
    }
    if (environment)
        DestroyEnvironmentBlock(environment);
    if (!ok)
        return false;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

bool sessionReachable(quint64 processId)
{
    const DWORD session = sessionOf(DWORD(processId));
    // A process that cannot be asked (it ended meanwhile) stands in nobody's way.
    return session == DWORD(-1) || session == sessionOf(GetCurrentProcessId());
}

QList<UserProfile> userProfiles()
{
    QList<UserProfile> profiles;
    HKEY list = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList", 0,
                      KEY_READ | KEY_WOW64_64KEY, &list) != ERROR_SUCCESS)
        return profiles;
    for (DWORD index = 0;; ++index) {
        wchar_t sid[256] = {};
        DWORD size = 256;
        const LONG result = RegEnumKeyExW(list, index, sid, &size, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS)
            continue;
        // A REG_EXPAND_SZ (%SystemDrive%\Users\...) comes back expanded.
        const QString folder = stringValue(list, sid, L"ProfileImagePath", RRF_RT_REG_SZ);
        if (folder.isEmpty())
            continue;
        UserProfile profile;
        profile.sid = QString::fromWCharArray(sid);
        profile.profileFolder = QDir::toNativeSeparators(folder);
        PSID binary = nullptr;
        if (ConvertStringSidToSidW(sid, &binary)) {
            profile.name = accountName(binary);
            LocalFree(binary);
        }
        if (profile.name.isEmpty())
            profile.name = QDir(QDir::fromNativeSeparators(folder)).dirName();
        profile.appDataFolder = redirectedAppData(profile.sid, profile.profileFolder);
        if (profile.appDataFolder.isEmpty())
            profile.appDataFolder = profile.profileFolder + QStringLiteral("\\AppData\\Roaming");
        profiles.append(profile);
    }
    RegCloseKey(list);
    return profiles;
}

} // namespace Platform
