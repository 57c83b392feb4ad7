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

// A primary token that can start a program and be asked for folders (CreateProcessWithTokenW,
// CreateProcessAsUserW, CreateEnvironmentBlock and SHGetKnownFolderPath each need some of its
// rights); the copy is this program's own object, so it may have them all.
HANDLE primaryCopy(HANDLE token)
{
    HANDLE primary = nullptr;
    if (!DuplicateTokenEx(token, MAXIMUM_ALLOWED, nullptr, SecurityImpersonation, TokenPrimary, &primary))
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

// The shell of this program's session, which runs as the session's user, unelevated; opened to
// be asked for its token and to be the parent of programs started for that user. Null when the
// session has none.
HANDLE openShell()
{
    const HWND shell = GetShellWindow();
    if (!shell)
        return nullptr;
    DWORD processId = 0;
    GetWindowThreadProcessId(shell, &processId);
    if (!processId || sessionOf(processId) != sessionOf(GetCurrentProcessId()))
        return nullptr;
    // An elevated administrator holds the debug privilege, which opens the shell of another
    // account too (the user over whose shoulder the password was typed).
    enablePrivilege(SE_DEBUG_NAME);
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_CREATE_PROCESS, FALSE, processId))
        return process;
    return OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
}

enum class Whose {
    Nobody,    // no user found: this program's account stands in
    Other,     // a token of the user's, which may be another account's
    Own,       // this program's own account is the user of its session
    ShellOnly, // the session's shell, whose token was refused: the user is its owner
};

// Finds the interactive user: their primary token (`token`) where it can be had, and the
// session's shell (`shell`) where there is one.
Whose findInteractiveUser(Handle &token, Handle &shell)
{
    *shell.out() = openShell();
    if (shell.get()) {
        Handle shellToken;
        if (OpenProcessToken(shell.get(), TOKEN_QUERY | TOKEN_DUPLICATE, shellToken.out())) {
            *token.out() = primaryCopy(shellToken.get());
            if (token.get())
                return Whose::Other;
        }
        return Whose::ShellOnly;
    }
    Handle own;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE, own.out()))
        return Whose::Nobody;
    if (isLocalSystem(own.get()) || sessionOf(GetCurrentProcessId()) == 0) {
        // A service or a deployment agent: the user at the console, if anyone is logged on
        // there. WTSQueryUserToken needs the right to act as part of the system, which SYSTEM
        // has, and gives a primary token.
        const DWORD console = WTSGetActiveConsoleSessionId();
        if (console == 0xFFFFFFFF || !WTSQueryUserToken(console, token.out()))
            return Whose::Nobody;
        return Whose::Other;
    }
    // A desktop session whose shell is not there (not started yet, or one that does not register
    // itself): the account that runs the installer is the only user of the session it can name.
    *token.out() = primaryCopy(own.get());
    return token.get() ? Whose::Own : Whose::Nobody;
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

// The user of this program's session as the session names them, with the folder of their profile:
// what can be told of a shell whose token was refused.
void describeSessionUser(InteractiveUser &user)
{
    auto sessionText = [](WTS_INFO_CLASS what) {
        LPWSTR text = nullptr;
        DWORD bytes = 0;
        QString value;
        if (WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, what, &text, &bytes) && text)
            value = QString::fromWCharArray(text);
        WTSFreeMemory(text);
        return value;
    };
    const QString name = sessionText(WTSUserName);
    const QString domain = sessionText(WTSDomainName);
    user.name = domain.isEmpty() ? name : domain + QLatin1Char('\\') + name;
    BYTE sid[SECURITY_MAX_SID_SIZE] = {};
    DWORD sidSize = sizeof sid;
    wchar_t sidDomain[256] = {};
    DWORD sidDomainSize = 256;
    SID_NAME_USE use;
    const std::wstring account = user.name.toStdWString();
    LPWSTR sidText = nullptr;
    if (name.isEmpty() || !LookupAccountNameW(nullptr, account.c_str(), sid, &sidSize, sidDomain, &sidDomainSize, &use)
        || !ConvertSidToStringSidW(sid, &sidText))
        return;
    const QString wanted = QString::fromWCharArray(sidText);
    LocalFree(sidText);
    for (const UserProfile &profile : userProfiles()) {
        if (profile.sid.compare(wanted, Qt::CaseInsensitive) == 0)
            user.appDataFolder = profile.appDataFolder;
    }
}

// Starts the program as a child of `parent`: it takes the parent's token and session.
bool startAsChildOf(HANDLE parent, const std::wstring &application, std::wstring &commandLine, const std::wstring &folder)
{
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    auto *attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(buffer.data());
    if (!InitializeProcThreadAttributeList(attributes, 1, 0, &size))
        return false;
    bool ok = false;
    if (UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_PARENT_PROCESS, &parent, sizeof parent, nullptr, nullptr)) {
        STARTUPINFOEXW startup = {};
        startup.StartupInfo.cb = sizeof startup;
        startup.lpAttributeList = attributes;
        PROCESS_INFORMATION started = {};
        ok = CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                            EXTENDED_STARTUPINFO_PRESENT | CREATE_NEW_PROCESS_GROUP | DETACHED_PROCESS, nullptr, folder.c_str(),
                            &startup.StartupInfo, &started);
        if (ok) {
            CloseHandle(started.hThread);
            CloseHandle(started.hProcess);
        }
    }
    DeleteProcThreadAttributeList(attributes);
    return ok;
}

// Starts the program with the user's token, in the token's session, on its interactive desktop.
bool startWithToken(HANDLE token, const std::wstring &application, std::wstring &commandLine, const std::wstring &folder)
{
    // The user's own environment, not the installer's (their TEMP, their APPDATA).
    void *environment = nullptr;
    if (!CreateEnvironmentBlock(&environment, token, FALSE))
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
    BOOL ok = CreateProcessWithTokenW(token, 0, application.c_str(), commandLine.data(), flags, environment, folder.c_str(),
                                      &startup, &started);
    if (!ok) {
        // That service may be disabled; SYSTEM holds the rights to assign the token itself.
        enablePrivilege(SE_ASSIGNPRIMARYTOKEN_NAME);
        enablePrivilege(SE_INCREASE_QUOTA_NAME);
        ok = CreateProcessAsUserW(token, application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                  flags | DETACHED_PROCESS | CREATE_BREAKAWAY_FROM_JOB, environment, folder.c_str(), &startup, &started);
        if (!ok && GetLastError() == ERROR_ACCESS_DENIED)
            ok = CreateProcessAsUserW(token, application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
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

} // namespace

InteractiveUser interactiveUser()
{
    InteractiveUser user;
    Handle token, shell;
    switch (findInteractiveUser(token, shell)) {
    case Whose::Other:
    case Whose::Own:
        user.found = true;
        user.name = tokenAccountName(token.get());
        user.appDataFolder = roamingAppData(token.get());
        return user;
    case Whose::ShellOnly:
        user.found = true;
        describeSessionUser(user);
        if (!user.appDataFolder.isEmpty())
            return user;
        break; // their folder cannot be told: the installer's own stands in
    case Whose::Nobody:
        break;
    }
    // Nobody to be found: the account that runs the installer, and its folders.
    Handle own;
    if (user.name.isEmpty() && OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, own.out()))
        user.name = tokenAccountName(own.get());
    user.appDataFolder = roamingAppData(nullptr);
    return user;
}

bool startAsInteractiveUser(const QString &program, const QString &workingFolder)
{
    Handle token, shell;
    const Whose whose = findInteractiveUser(token, shell);
    const std::wstring application = QDir::toNativeSeparators(program).toStdWString();
    const std::wstring folder = QDir::toNativeSeparators(workingFolder).toStdWString();
    // The program's own path, quoted, as its first argument: what the program expects to find.
    std::wstring commandLine = L"\"" + application + L"\"";
    switch (whose) {
    case Whose::Other:
        return startWithToken(token.get(), application, commandLine, folder);
    case Whose::ShellOnly:
        return startAsChildOf(shell.get(), application, commandLine, folder);
    case Whose::Own:
    case Whose::Nobody:
        break;
    }
    // This program's own account: started as it always was.
    return startDetachedProcess(program, workingFolder);
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
