#include "interactiveuser.h"

#include "usersessioncalls_win.h"

#include <QDir>
#include <QHash>

#include <windows.h>
#include <exdisp.h>
#include <knownfolders.h>
#include <sddl.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <userenv.h>
#include <wtsapi32.h>

#include <string>

namespace Platform {

namespace {

// Where Windows gives no uiAccess to a program started with a token: only the Application
// Information service, reached through ShellExecute, grants it.
constexpr DWORD elevationRequired = 740; // ERROR_ELEVATION_REQUIRED, which MinGW's headers lack
constexpr DWORD noSession = 0xFFFFFFFF;

// The COM steps from Explorer's window list to its desktop's shell object, which starts a
// program as the desktop's user: with their own token (unelevated), environment, session and,
// through ShellExecute, uiAccess.
template<class T>
class Com
{
public:
    Com() = default;
    ~Com()
    {
        if (p)
            p->Release();
    }
    Com(const Com &) = delete;
    Com &operator=(const Com &) = delete;
    T *operator->() const { return p; }
    T *get() const { return p; }
    T **out() { return &p; }
    void **voidOut() { return reinterpret_cast<void **>(&p); }

private:
    T *p = nullptr;
};

class Bstr
{
public:
    explicit Bstr(const wchar_t *text) : b(SysAllocString(text)) {}
    ~Bstr() { SysFreeString(b); }
    Bstr(const Bstr &) = delete;
    Bstr &operator=(const Bstr &) = delete;
    BSTR get() const { return b; }

private:
    BSTR b;
};

HRESULT desktopShellExecute(const wchar_t *file, const wchar_t *folder)
{
    // The thread may have COM already (the wizard's, through Qt), in either model: the calls
    // below work in both.
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HRESULT result = E_FAIL;
    {
        Com<IShellWindows> windows;
        result = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.voidOut());
        Com<IDispatch> desktop;
        if (SUCCEEDED(result)) {
            VARIANT none;
            VariantInit(&none);
            long window = 0;
            result = windows->FindWindowSW(&none, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, desktop.out());
            if (result == S_FALSE || (SUCCEEDED(result) && !desktop.get()))
                result = HRESULT_FROM_WIN32(ERROR_NOT_FOUND); // no desktop: Explorer is not the shell
        }
        Com<IServiceProvider> services;
        if (SUCCEEDED(result))
            result = desktop->QueryInterface(IID_IServiceProvider, services.voidOut());
        Com<IShellBrowser> browser;
        if (SUCCEEDED(result))
            result = services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.voidOut());
        Com<IShellView> view;
        if (SUCCEEDED(result))
            result = browser->QueryActiveShellView(view.out());
        Com<IDispatch> background;
        if (SUCCEEDED(result))
            result = view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.voidOut());
        Com<IShellFolderViewDual> folderView;
        if (SUCCEEDED(result))
            result = background->QueryInterface(IID_IShellFolderViewDual, folderView.voidOut());
        Com<IDispatch> application;
        if (SUCCEEDED(result))
            result = folderView->get_Application(application.out());
        Com<IShellDispatch2> shell;
        if (SUCCEEDED(result))
            result = application->QueryInterface(IID_IShellDispatch2, shell.voidOut());
        if (SUCCEEDED(result)) {
            // Explorer must be allowed to bring JAWS to the front.
            CoAllowSetForegroundWindow(shell.get(), nullptr);
            const Bstr program(file);
            const Bstr none(L"");
            const Bstr where(folder);
            const Bstr open(L"open");
            VARIANT arguments, directory, operation, show;
            arguments.vt = VT_BSTR;
            arguments.bstrVal = none.get();
            directory.vt = VT_BSTR;
            directory.bstrVal = where.get();
            operation.vt = VT_BSTR;
            operation.bstrVal = open.get();
            show.vt = VT_I4;
            show.lVal = SW_SHOWNORMAL;
            result = shell->ShellExecute(program.get(), arguments, directory, operation, show);
            // Wine's answer to a start that failed; Windows documents S_OK or an error.
            if (result == S_FALSE)
                result = E_FAIL;
        }
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return result;
}

BOOL WINAPI systemUpdateProcThreadAttribute(LPPROC_THREAD_ATTRIBUTE_LIST list, DWORD flags, DWORD_PTR attribute, PVOID value, SIZE_T size,
                                            PVOID previous, PSIZE_T returned)
{
    return UpdateProcThreadAttribute(list, flags, attribute, value, size, previous, returned);
}

const char *systemWineVersion()
{
    using Version = const char *(CDECL *)();
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto version = ntdll ? reinterpret_cast<Version>(reinterpret_cast<void *>(GetProcAddress(ntdll, "wine_get_version"))) : nullptr;
    return version ? version() : nullptr;
}

UserSessionCalls systemCalls()
{
    UserSessionCalls calls;
    calls.getShellWindow = GetShellWindow;
    calls.getWindowThreadProcessId = GetWindowThreadProcessId;
    calls.getCurrentProcessId = GetCurrentProcessId;
    calls.processIdToSessionId = ProcessIdToSessionId;
    calls.openProcess = OpenProcess;
    calls.closeHandle = CloseHandle;
    calls.getProcessWindowStation = GetProcessWindowStation;
    calls.getUserObjectInformationW = GetUserObjectInformationW;
    calls.wtsEnumerateProcessesW = WTSEnumerateProcessesW;
    calls.wtsEnumerateSessionsW = WTSEnumerateSessionsW;
    calls.wtsFreeMemory = WTSFreeMemory;
    calls.wtsGetActiveConsoleSessionId = WTSGetActiveConsoleSessionId;
    calls.wtsQueryUserToken = WTSQueryUserToken;
    calls.wtsQuerySessionInformationW = WTSQuerySessionInformationW;
    calls.openProcessToken = OpenProcessToken;
    calls.duplicateTokenEx = DuplicateTokenEx;
    calls.getTokenInformation = GetTokenInformation;
    calls.setTokenInformation = SetTokenInformation;
    calls.adjustTokenPrivileges = AdjustTokenPrivileges;
    calls.lookupAccountSidW = LookupAccountSidW;
    calls.lookupAccountNameW = LookupAccountNameW;
    calls.createEnvironmentBlock = CreateEnvironmentBlock;
    calls.destroyEnvironmentBlock = DestroyEnvironmentBlock;
    calls.shGetKnownFolderPath = SHGetKnownFolderPath;
    calls.createProcessWithTokenW = CreateProcessWithTokenW;
    calls.createProcessAsUserW = CreateProcessAsUserW;
    calls.createProcessW = CreateProcessW;
    calls.updateProcThreadAttribute = systemUpdateProcThreadAttribute;
    calls.shellExecuteExW = ShellExecuteExW;
    calls.shellExecuteThroughDesktop = desktopShellExecute;
    calls.wineVersion = systemWineVersion;
    return calls;
}

UserSessionCalls &calls()
{
    return userSessionCalls();
}

// Closes a kernel handle when it goes out of scope.
class Handle
{
public:
    explicit Handle(HANDLE handle = nullptr) : h(handle) {}
    ~Handle() { reset(); }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return h; }
    HANDLE *out()
    {
        reset();
        return &h;
    }
    void reset()
    {
        if (h)
            calls().closeHandle(h);
        h = nullptr;
    }

private:
    HANDLE h;
};

DWORD ownSession()
{
    DWORD session = 0;
    return calls().processIdToSessionId(calls().getCurrentProcessId(), &session) ? session : noSession;
}

// The session of each process, from the session manager's own list: unlike ProcessIdToSessionId
// it needs no right on the process, so another account's JAWS is seen too. False when the list
// was refused.
bool processSessions(QHash<DWORD, DWORD> *sessions)
{
    PWTS_PROCESS_INFOW processes = nullptr;
    DWORD count = 0;
    if (!calls().wtsEnumerateProcessesW(WTS_CURRENT_SERVER_HANDLE, 0, 1, &processes, &count))
        return false;
    for (DWORD i = 0; i < count; ++i)
        sessions->insert(processes[i].ProcessId, processes[i].SessionId);
    calls().wtsFreeMemory(processes);
    return true;
}

// A primary token that can start a program and be asked for folders (CreateProcessWithTokenW,
// CreateProcessAsUserW, CreateEnvironmentBlock and SHGetKnownFolderPath each need some of its
// rights); the copy is this program's own object, so it may have them all.
HANDLE primaryCopy(HANDLE token)
{
    HANDLE primary = nullptr;
    if (!calls().duplicateTokenEx(token, MAXIMUM_ALLOWED, nullptr, SecurityImpersonation, TokenPrimary, &primary))
        return nullptr;
    return primary;
}

bool isLocalSystem(HANDLE token)
{
    alignas(TOKEN_USER) BYTE buffer[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)] = {};
    DWORD size = 0;
    if (!calls().getTokenInformation(token, TokenUser, buffer, sizeof buffer, &size))
        return false;
    return IsWellKnownSid(reinterpret_cast<TOKEN_USER *>(buffer)->User.Sid, WinLocalSystemSid);
}

// True unless Windows says the token is not elevated: a start with it could be an elevated one.
bool isElevated(HANDLE token)
{
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    if (!calls().getTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size))
        return true;
    return elevation.TokenIsElevated != 0;
}

// Lets this process use a privilege it holds but has not switched on.
void enablePrivilege(const wchar_t *name)
{
    Handle token;
    if (!calls().openProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.out()))
        return;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid))
        calls().adjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
}

QString accountName(PSID sid)
{
    wchar_t name[256] = {};
    wchar_t domain[256] = {};
    DWORD nameSize = 256;
    DWORD domainSize = 256;
    SID_NAME_USE use;
    if (!calls().lookupAccountSidW(nullptr, sid, name, &nameSize, domain, &domainSize, &use))
        return QString();
    const QString account = QString::fromWCharArray(name);
    return domainSize > 0 ? QString::fromWCharArray(domain) + QLatin1Char('\\') + account : account;
}

QString tokenAccountName(HANDLE token)
{
    alignas(TOKEN_USER) BYTE buffer[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)] = {};
    DWORD size = 0;
    if (!calls().getTokenInformation(token, TokenUser, buffer, sizeof buffer, &size))
        return QString();
    return accountName(reinterpret_cast<TOKEN_USER *>(buffer)->User.Sid);
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

// `text` with its %NAME% variables as the user of `sid` has them: their logon's own variables
// (Volatile Environment) first, then those they set themselves, and %USERPROFILE% their
// profile's. Never the installer's environment, which is another account's; empty when a
// variable is not known for that user.
QString expandForUser(const QString &sid, const QString &profileFolder, const QString &text)
{
    QString result;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('%'), from);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char('%'), open + 1);
        if (close < 0) {
            result += text.mid(from);
            break;
        }
        result += text.mid(from, open - from);
        const QString name = text.mid(open + 1, close - open - 1);
        QString value;
        if (name.compare(QLatin1String("USERPROFILE"), Qt::CaseInsensitive) == 0) {
            value = profileFolder;
        } else {
            const std::wstring wanted = name.toStdWString();
            for (const wchar_t *where : { L"\\Volatile Environment", L"\\Environment" }) {
                const std::wstring key = (sid + QString::fromWCharArray(where)).toStdWString();
                value = stringValue(HKEY_USERS, key.c_str(), wanted.c_str(), RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND);
                if (!value.isEmpty())
                    break;
            }
            if (value.contains(QLatin1Char('%')))
                value = expandForUser(sid, profileFolder, value);
        }
        if (value.isEmpty())
            return QString();
        result += value;
        from = close + 1;
    }
    return result;
}

// The profile's roaming folder as its own registry names it, while it is loaded (the user is
// logged on): a redirected folder is written there, with the user's own variables.
QString redirectedAppData(const QString &sid, const QString &profileFolder)
{
    const std::wstring shellFolders = (sid + QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders")).toStdWString();
    const QString folder = stringValue(HKEY_USERS, shellFolders.c_str(), L"AppData", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND);
    if (folder.isEmpty())
        return QString();
    return QDir::toNativeSeparators(expandForUser(sid, profileFolder, folder));
}

// Whether the profile's own registry is loaded: its user is logged on.
bool profileLoaded(const QString &sid)
{
    HKEY key = nullptr;
    const std::wstring path = sid.toStdWString();
    if (RegOpenKeyExW(HKEY_USERS, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The interactive user as found, with what is needed to start a program for them.
struct Found
{
    enum class Whose {
        Nobody,       // no user found: this program's account stands in
        Token,        // the user's primary token (`token`), which may be another account's
        Own,          // a desktop session without a shell: this program's own account is its user
        ShellOnly,    // the session's shell, whose token was refused: the user is its owner
    } whose = Whose::Nobody;
    Handle token;
    Handle shell;          // the session's shell, opened to be a parent where that was granted
    bool shellCanParent = false;
    bool system = false;   // this program runs as SYSTEM or in session 0, where no one sees it
    bool elevated = true;  // this program's own token
    DWORD session = noSession;
};

// The user of an active session, for a program that runs as SYSTEM: the console's first, then
// any other active one (Remote Desktop, Azure Virtual Desktop), which WTSGetActiveConsoleSessionId
// does not name. WTSQueryUserToken needs the right to act as part of the system, which SYSTEM has,
// and gives a primary token of that session.
void findSessionUser(Found &found)
{
    const DWORD console = calls().wtsGetActiveConsoleSessionId();
    if (console != noSession && console != 0 && calls().wtsQueryUserToken(console, found.token.out())) {
        found.session = console;
        found.whose = Found::Whose::Token;
        return;
    }
    PWTS_SESSION_INFOW sessions = nullptr;
    DWORD count = 0;
    if (!calls().wtsEnumerateSessionsW(WTS_CURRENT_SERVER_HANDLE, 0, 1, &sessions, &count))
        return;
    for (DWORD i = 0; i < count; ++i) {
        const DWORD session = sessions[i].SessionId;
        if (sessions[i].State == WTSActive && session != 0 && session != console && calls().wtsQueryUserToken(session, found.token.out())) {
            found.session = session;
            found.whose = Found::Whose::Token;
            break;
        }
    }
    calls().wtsFreeMemory(sessions);
}

void findInteractiveUser(Found &found)
{
    Handle own;
    const bool ownToken = calls().openProcessToken(GetCurrentProcess(), TOKEN_QUERY, own.out());
    const DWORD session = ownSession();
    found.system = (ownToken && isLocalSystem(own.get())) || session == 0;
    found.elevated = !ownToken || (isElevated(own.get()) && !calls().wineVersion());
    if (found.system) {
        findSessionUser(found);
        return;
    }
    found.session = session;
    DWORD shellProcess = 0;
    if (const HWND shell = calls().getShellWindow())
        calls().getWindowThreadProcessId(shell, &shellProcess);
    QHash<DWORD, DWORD> sessions;
    if (shellProcess && processSessions(&sessions) && sessions.value(shellProcess, noSession) == session) {
        // An elevated administrator holds the debug privilege, which opens the shell of another
        // account too (the user over whose shoulder the password was typed).
        enablePrivilege(SE_DEBUG_NAME);
        *found.shell.out() = calls().openProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_CREATE_PROCESS, FALSE, shellProcess);
        found.shellCanParent = found.shell.get() != nullptr;
        if (!found.shell.get())
            *found.shell.out() = calls().openProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, shellProcess);
    }
    if (found.shell.get()) {
        Handle shellToken;
        if (calls().openProcessToken(found.shell.get(), TOKEN_QUERY | TOKEN_DUPLICATE, shellToken.out())) {
            *found.token.out() = primaryCopy(shellToken.get());
            if (found.token.get()) {
                found.whose = Found::Whose::Token;
                return;
            }
        }
        found.whose = Found::Whose::ShellOnly;
        return;
    }
    // A desktop session whose shell is not there (not started yet, or one that does not register
    // itself): the account that runs the installer is the only user of the session it can name.
    if (ownToken && calls().openProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE, own.out())) {
        *found.token.out() = primaryCopy(own.get());
        if (found.token.get())
            found.whose = Found::Whose::Own;
    }
}

// The user of this program's session as the session names them, with their profile: what can
// be told of a shell whose token was refused.
UserProfile sessionUser()
{
    auto sessionText = [](WTS_INFO_CLASS what) {
        LPWSTR text = nullptr;
        DWORD bytes = 0;
        QString value;
        if (calls().wtsQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, what, &text, &bytes) && text)
            value = QString::fromWCharArray(text);
        if (text)
            calls().wtsFreeMemory(text);
        return value;
    };
    UserProfile user;
    const QString name = sessionText(WTSUserName);
    const QString domain = sessionText(WTSDomainName);
    if (name.isEmpty())
        return user;
    user.name = domain.isEmpty() ? name : domain + QLatin1Char('\\') + name;
    BYTE sid[SECURITY_MAX_SID_SIZE] = {};
    DWORD sidSize = sizeof sid;
    wchar_t sidDomain[256] = {};
    DWORD sidDomainSize = 256;
    SID_NAME_USE use;
    const std::wstring account = user.name.toStdWString();
    LPWSTR sidText = nullptr;
    if (!calls().lookupAccountNameW(nullptr, account.c_str(), sid, &sidSize, sidDomain, &sidDomainSize, &use)
        || !ConvertSidToStringSidW(sid, &sidText))
        return user;
    const QString wanted = QString::fromWCharArray(sidText);
    LocalFree(sidText);
    for (const UserProfile &profile : userProfiles()) {
        if (profile.sid.compare(wanted, Qt::CaseInsensitive) == 0) {
            const QString named = user.name;
            user = profile;
            user.name = named;
        }
    }
    return user;
}

// An environment block (CREATE_UNICODE_ENVIRONMENT) that a program of the user's may use when
// their token was refused: this program's variables with those that name an account's own
// places (its profile, its application data, its temporary folder, its name) made the user's.
std::wstring environmentOf(const UserProfile &user)
{
    const QString profile = user.profileFolder;
    const QString local = profile + QStringLiteral("\\AppData\\Local");
    const qsizetype slash = user.name.indexOf(QLatin1Char('\\'));
    const QHash<QString, QString> theirs{
        { QStringLiteral("USERPROFILE"), profile },
        { QStringLiteral("APPDATA"), user.appDataFolder },
        { QStringLiteral("LOCALAPPDATA"), local },
        { QStringLiteral("TEMP"), local + QStringLiteral("\\Temp") },
        { QStringLiteral("TMP"), local + QStringLiteral("\\Temp") },
        { QStringLiteral("HOMEDRIVE"), profile.left(2) },
        { QStringLiteral("HOMEPATH"), profile.mid(2) },
        { QStringLiteral("USERNAME"), user.name.mid(slash + 1) },
        { QStringLiteral("USERDOMAIN"), slash > 0 ? user.name.left(slash) : QString() },
    };
    std::wstring block;
    QHash<QString, QString> pending = theirs;
    wchar_t *own = GetEnvironmentStringsW();
    for (const wchar_t *entry = own; entry && *entry; entry += wcslen(entry) + 1) {
        const QString line = QString::fromWCharArray(entry);
        // "=C:=C:\..." entries, the current folders of drives, start with "=".
        const qsizetype equals = line.indexOf(QLatin1Char('='), 1);
        const QString name = line.left(equals).toUpper();
        if (equals > 0 && theirs.contains(name)) {
            if (!theirs.value(name).isEmpty())
                block += (line.left(equals) + QLatin1Char('=') + pending.take(name)).toStdWString() + L'\0';
            else
                pending.remove(name);
            continue;
        }
        block += line.toStdWString() + L'\0';
    }
    if (own)
        FreeEnvironmentStringsW(own);
    for (auto variable = pending.cbegin(); variable != pending.cend(); ++variable) {
        if (!variable.value().isEmpty())
            block += (variable.key() + QLatin1Char('=') + variable.value()).toStdWString() + L'\0';
    }
    block += L'\0';
    return block;
}

struct Start
{
    std::wstring application;
    std::wstring commandLine;
    std::wstring folder;
};

// Starts the program as a child of `parent`: it takes the parent's token and session, and the
// environment given (the user's, not this program's).
bool startAsChildOf(HANDLE parent, Start start, void *environment)
{
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    auto *attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(buffer.data());
    if (!InitializeProcThreadAttributeList(attributes, 1, 0, &size))
        return false;
    bool ok = false;
    if (calls().updateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_PARENT_PROCESS, &parent, sizeof parent, nullptr, nullptr)) {
        STARTUPINFOEXW startup = {};
        startup.StartupInfo.cb = sizeof startup;
        startup.lpAttributeList = attributes;
        PROCESS_INFORMATION started = {};
        ok = calls().createProcessW(start.application.c_str(), start.commandLine.data(), nullptr, nullptr, FALSE,
                                    EXTENDED_STARTUPINFO_PRESENT | CREATE_UNICODE_ENVIRONMENT | CREATE_NEW_PROCESS_GROUP | DETACHED_PROCESS,
                                    environment, start.folder.c_str(), &startup.StartupInfo, &started);
        if (ok) {
            calls().closeHandle(started.hThread);
            calls().closeHandle(started.hProcess);
        }
    }
    const DWORD error = GetLastError();
    DeleteProcThreadAttributeList(attributes);
    SetLastError(error);
    return ok;
}

// The user's own environment, not the installer's (their TEMP, their APPDATA), made from their
// token and freed with this object.
class Environment
{
public:
    explicit Environment(HANDLE token)
    {
        if (!calls().createEnvironmentBlock(&block, token, FALSE))
            block = nullptr;
    }
    ~Environment()
    {
        if (block)
            calls().destroyEnvironmentBlock(block);
    }
    Environment(const Environment &) = delete;
    Environment &operator=(const Environment &) = delete;
    void *get() const { return block; }

private:
    void *block = nullptr;
};

bool finish(BOOL ok, const PROCESS_INFORMATION &started)
{
    if (!ok)
        return false;
    calls().closeHandle(started.hThread);
    calls().closeHandle(started.hProcess);
    return true;
}

// As SYSTEM: the token from WTSQueryUserToken carries the user's session, and SYSTEM holds the
// privileges CreateProcessAsUserW needs. CreateProcessWithTokenW would start in this program's own
// session 0, where nobody sees it, and report success.
bool startAsSessionUser(HANDLE token, Start start)
{
    const Environment environment(token);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    wchar_t desktop[] = L"winsta0\\default";
    startup.lpDesktop = desktop;
    enablePrivilege(SE_ASSIGNPRIMARYTOKEN_NAME);
    enablePrivilege(SE_INCREASE_QUOTA_NAME);
    const DWORD flags = CREATE_UNICODE_ENVIRONMENT | CREATE_NEW_PROCESS_GROUP | DETACHED_PROCESS;
    PROCESS_INFORMATION started = {};
    auto create = [&](HANDLE with) {
        return calls().createProcessAsUserW(with, start.application.c_str(), start.commandLine.data(), nullptr, nullptr, FALSE,
                                            flags, environment.get(), start.folder.c_str(), &startup, &started);
    };
    BOOL ok = create(token);
    if (!ok && GetLastError() == elevationRequired) {
        // A program that asks for uiAccess: SYSTEM may grant it on a token of its own (it holds
        // the right to act as part of the system), as the Application Information service does.
        Handle granted(primaryCopy(token));
        DWORD uiAccess = 1;
        if (granted.get() && calls().setTokenInformation(granted.get(), TokenUIAccess, &uiAccess, sizeof uiAccess))
            ok = create(granted.get());
    }
    return finish(ok, started);
}

// An elevated program in a desktop session, with the shell's token: the token paths that are
// left when Explorer would not start the program. Each stops at ERROR_ELEVATION_REQUIRED, which
// every start with a token gives a program that asks for uiAccess.
bool startWithShellToken(const Found &found, Start start)
{
    const Environment environment(found.token.get());
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    wchar_t desktop[] = L"winsta0\\default";
    startup.lpDesktop = desktop;
    PROCESS_INFORMATION started = {};
    const DWORD flags = CREATE_UNICODE_ENVIRONMENT | CREATE_NEW_PROCESS_GROUP;
    // Through the Secondary Logon service, which security baselines disable.
    BOOL ok = calls().createProcessWithTokenW(found.token.get(), 0, start.application.c_str(), start.commandLine.data(), flags,
                                              environment.get(), start.folder.c_str(), &startup, &started);
    if (ok)
        return finish(ok, started);
    if (GetLastError() == elevationRequired)
        return false;
    // Needs the privilege to assign a token, which administrators do not hold (1314), unless the
    // token is a restricted one of this program's own.
    enablePrivilege(SE_INCREASE_QUOTA_NAME);
    ok = calls().createProcessAsUserW(found.token.get(), start.application.c_str(), start.commandLine.data(), nullptr, nullptr, FALSE,
                                      flags | DETACHED_PROCESS, environment.get(), start.folder.c_str(), &startup, &started);
    if (ok)
        return finish(ok, started);
    if (GetLastError() == elevationRequired)
        return false;
    // The shell as the parent needs neither the service nor a privilege; the token comes from the
    // parent, the environment from the user's token.
    return found.shellCanParent && environment.get() && startAsChildOf(found.shell.get(), start, environment.get());
}

} // namespace

UserSessionCalls &userSessionCalls()
{
    static UserSessionCalls inUse = systemCalls();
    return inUse;
}

const UserSessionCalls &systemUserSessionCalls()
{
    static const UserSessionCalls system = systemCalls();
    return system;
}

QString knownFolderPath(REFKNOWNFOLDERID folder, HANDLE token, DWORD flags)
{
    PWSTR path = nullptr;
    QString result;
    if (SUCCEEDED(calls().shGetKnownFolderPath(folder, flags, token, &path)) && path)
        result = QString::fromWCharArray(path);
    CoTaskMemFree(path);
    return result;
}

InteractiveUser interactiveUser()
{
    InteractiveUser user;
    Found found;
    findInteractiveUser(found);
    switch (found.whose) {
    case Found::Whose::Token:
    case Found::Whose::Own:
        user.found = true;
        user.name = tokenAccountName(found.token.get());
        user.appDataFolder = knownFolderPath(FOLDERID_RoamingAppData, found.token.get());
        return user;
    case Found::Whose::ShellOnly: {
        const UserProfile profile = sessionUser();
        if (!profile.name.isEmpty() && !profile.appDataFolder.isEmpty()) {
            user.found = true;
            user.name = profile.name;
            user.appDataFolder = profile.appDataFolder;
            return user;
        }
        // Their folder cannot be told: the installer's own stands in, and the report names the
        // installer's account, whose settings are the ones that change.
        break;
    }
    case Found::Whose::Nobody:
        break;
    }
    Handle own;
    if (calls().openProcessToken(GetCurrentProcess(), TOKEN_QUERY, own.out()))
        user.name = tokenAccountName(own.get());
    user.appDataFolder = knownFolderPath(FOLDERID_RoamingAppData);
    return user;
}

bool startAsInteractiveUser(const QString &program, const QString &workingFolder)
{
    Found found;
    findInteractiveUser(found);
    Start start;
    start.application = QDir::toNativeSeparators(program).toStdWString();
    start.folder = QDir::toNativeSeparators(workingFolder).toStdWString();
    // The program's own path, quoted, as its first argument: what the program expects to find.
    start.commandLine = L"\"" + start.application + L"\"";

    if (found.system)
        return found.whose == Found::Whose::Token && startAsSessionUser(found.token.get(), start);

    if (!found.elevated) {
        // This program runs as the session's user without administrator rights: its own start
        // is the user's, and ShellExecute grants uiAccess where the program asks for it.
        SHELLEXECUTEINFOW execute = {};
        execute.cbSize = sizeof execute;
        execute.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
        execute.lpVerb = L"open";
        execute.lpFile = start.application.c_str();
        execute.lpDirectory = start.folder.c_str();
        execute.nShow = SW_SHOWNORMAL;
        return calls().shellExecuteExW(&execute);
    }

    // Elevated: never a start of our own, which would run JAWS elevated. Explorer first, the only
    // way that gives uiAccess, then the shell's token. Explorer is asked even when no shell window
    // was found: its window list is reached through COM, and a session whose desktop Explorer
    // does not run (a replaced shell) answers with an error.
    if (SUCCEEDED(calls().shellExecuteThroughDesktop(start.application.c_str(), start.folder.c_str())))
        return true;
    switch (found.whose) {
    case Found::Whose::Token:
        return startWithShellToken(found, start);
    case Found::Whose::ShellOnly: {
        // The user's token was refused (another account's shell): the shell itself is the parent,
        // with an environment made of the user's places, never the installer's own.
        if (!found.shellCanParent)
            return false;
        const UserProfile user = sessionUser();
        if (user.profileFolder.isEmpty() || user.appDataFolder.isEmpty())
            return false;
        std::wstring environment = environmentOf(user);
        return startAsChildOf(found.shell.get(), start, environment.data());
    }
    case Found::Whose::Own:
    case Found::Whose::Nobody:
        break;
    }
    return false;
}

bool sessionReachable(quint64 processId)
{
    QHash<DWORD, DWORD> sessions;
    // A list that cannot be read could hide a JAWS of another session: out of reach.
    if (!processSessions(&sessions))
        return false;
    // A process that is not listed ended meanwhile: it stands in nobody's way.
    const auto session = sessions.constFind(DWORD(processId));
    if (session == sessions.constEnd())
        return true;
    return session.value() == ownSession();
}

bool onVisibleDesktop()
{
    if (ownSession() == 0)
        return false;
    USEROBJECTFLAGS flags = {};
    DWORD size = 0;
    const HWINSTA station = calls().getProcessWindowStation();
    if (!station || !calls().getUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, &size))
        return true; // Windows did not say: the window may be seen
    if (flags.dwFlags & WSF_VISIBLE)
        return true;
    // The interactive window station is WinSta0, whose flag Wine leaves unset; a service's own
    // station ("Service-0x0-3e7$") has neither.
    wchar_t name[64] = {};
    return calls().getUserObjectInformationW(station, UOI_NAME, name, sizeof name - sizeof(wchar_t), &size)
        && QString::fromWCharArray(name).compare(QLatin1String("WinSta0"), Qt::CaseInsensitive) == 0;
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
        profile.loggedOn = profileLoaded(profile.sid);
        profile.appDataFolder = redirectedAppData(profile.sid, profile.profileFolder);
        if (profile.appDataFolder.isEmpty())
            profile.appDataFolder = profile.profileFolder + QStringLiteral("\\AppData\\Roaming");
        profiles.append(profile);
    }
    RegCloseKey(list);
    return profiles;
}

} // namespace Platform
