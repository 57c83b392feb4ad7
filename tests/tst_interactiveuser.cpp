// The Windows build's own decisions on who the user is and how JAWS is started for them, run
// with the answers a real Windows gives where Wine cannot play them (accounts, elevation,
// sessions, uiAccess, the Secondary Logon service): the Win32 calls are scripted at the
// boundary, the code that decides is the shipped code.
#include "installer/installation.h"
#include "installer/jawsinstaller.h"
#include "jaws/jaws.h"
#include "platform/interactiveuser.h"
#include "platform/usersessioncalls_win.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <sddl.h>

namespace {

struct Account
{
    QString name; // DOMAIN\name
    QString sid;
    QString shortName() const { return name.mid(name.indexOf(QLatin1Char('\\')) + 1); }
};

const Account admin{ QStringLiteral("PC\\admin"), QStringLiteral("S-1-5-21-7-7-7-500") };
const Account alice{ QStringLiteral("PC\\alice"), QStringLiteral("S-1-5-21-7-7-7-1001") };
const Account bob{ QStringLiteral("PC\\bob"), QStringLiteral("S-1-5-21-7-7-7-1002") };
const Account carol{ QStringLiteral("PC\\carol"), QStringLiteral("S-1-5-21-7-7-7-1003") };
const Account localSystem{ QStringLiteral("NT AUTHORITY\\SYSTEM"), QStringLiteral("S-1-5-18") };
const QList<Account> accounts{ admin, alice, bob, carol, localSystem };

// Error codes Windows gives on these paths.
constexpr DWORD accessDenied = ERROR_ACCESS_DENIED;           // 5
constexpr DWORD serviceDisabled = ERROR_SERVICE_DISABLED;     // 1058: Secondary Logon disabled
constexpr DWORD privilegeNotHeld = ERROR_PRIVILEGE_NOT_HELD;  // 1314
constexpr DWORD noToken = ERROR_NO_TOKEN;                     // 1008: nobody logged on in that session
constexpr DWORD elevationRequired = 740;

// The machine as Windows would answer for it.
struct World
{
    Account own = admin; // the account that runs the installer
    bool ownElevated = true;
    DWORD ownSession = 1;
    bool shellWindow = true;
    DWORD shellSession = 1;
    Account shellUser = alice;
    bool shellTokenRefused = false;  // another account's shell (a password typed over the shoulder)
    bool shellParentRefused = false; // the shell cannot be opened to be a parent
    HRESULT explorer = S_OK;         // what Explorer answers to ShellExecute
    DWORD withTokenError = 0;
    bool uiAccessProgram = true; // JAWS asks for uiAccess: every start with a token fails with 740
    DWORD console = 1;
    QMap<DWORD, Account> loggedOn{ { 1, alice } }; // session -> its user
    QList<QPair<DWORD, WTS_CONNECTSTATE_CLASS>> sessions{ { 0, WTSDisconnected }, { 1, WTSActive } };
    bool processListRefused = false;
    QMap<DWORD, DWORD> processSessions; // process -> session, besides this program and the shell
    bool visibleStation = true;
    bool stationFlagged = true; // Wine leaves WSF_VISIBLE unset on WinSta0
    bool wine = false;
};

struct Token
{
    Account user;
    DWORD session = 0;
    bool elevated = false;
    bool uiAccess = false;
};

// What was started, as whom, where.
struct Started
{
    QString how; // "Explorer", "ShellExecuteEx", "with token", "as user", "shell as parent", "own"
    QString user;
    DWORD session = 0;
    bool elevated = false;
    QString desktop;
    QString folder;
    QString environmentOf; // whose USERPROFILE the environment block holds; "installer's" for none
};

constexpr DWORD ownProcess = 100;
constexpr DWORD shellProcess = 4000;
const HWND shellWindowHandle = reinterpret_cast<HWND>(0x3000);
const HANDLE shellHandle = reinterpret_cast<HANDLE>(0x2000);
const HANDLE shellHandleLimited = reinterpret_cast<HANDLE>(0x2004);

World world;
QMap<HANDLE, Token> tokens;
quintptr nextToken = 0x10000;
HANDLE parentGiven = nullptr;
QList<Started> started;
QStringList refusedCalls; // per-process questions that need rights on other processes

HANDLE newToken(const Token &token)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(nextToken);
    nextToken += 4;
    tokens.insert(handle, token);
    return handle;
}

Account accountOfSid(const QString &sid)
{
    for (const Account &account : accounts) {
        if (account.sid == sid)
            return account;
    }
    return {};
}

QString profileOf(const Account &account)
{
    return QStringLiteral("C:\\Users\\") + account.shortName();
}

// The account whose profile an environment block names.
QString environmentUser(const void *block)
{
    if (!block)
        return QStringLiteral("installer's");
    for (auto *entry = static_cast<const wchar_t *>(block); *entry; entry += wcslen(entry) + 1) {
        const QString line = QString::fromWCharArray(entry);
        if (line.startsWith(QLatin1String("USERPROFILE="), Qt::CaseInsensitive))
            return line.mid(line.lastIndexOf(QLatin1Char('\\')) + 1);
    }
    return QStringLiteral("none");
}

HWND WINAPI getShellWindow()
{
    return world.shellWindow ? shellWindowHandle : nullptr;
}

DWORD WINAPI getWindowThreadProcessId(HWND window, LPDWORD process)
{
    *process = window == shellWindowHandle ? shellProcess : 0;
    return 1;
}

DWORD WINAPI getCurrentProcessId()
{
    return ownProcess;
}

BOOL WINAPI processIdToSessionId(DWORD process, DWORD *session)
{
    if (process == ownProcess) {
        *session = world.ownSession;
        return TRUE;
    }
    // Needs PROCESS_QUERY_INFORMATION on the process, which another account's is not granted.
    refusedCalls << QStringLiteral("ProcessIdToSessionId");
    SetLastError(accessDenied);
    return FALSE;
}

HANDLE WINAPI openProcess(DWORD access, BOOL, DWORD process)
{
    if (process != shellProcess) {
        SetLastError(accessDenied);
        return nullptr;
    }
    if ((access & PROCESS_CREATE_PROCESS) && world.shellParentRefused) {
        SetLastError(accessDenied);
        return nullptr;
    }
    return (access & PROCESS_CREATE_PROCESS) ? shellHandle : shellHandleLimited;
}

BOOL WINAPI closeHandle(HANDLE handle)
{
    tokens.remove(handle);
    return TRUE;
}

HWINSTA WINAPI getProcessWindowStation()
{
    return reinterpret_cast<HWINSTA>(0x5000);
}

BOOL WINAPI getUserObjectInformationW(HANDLE, int index, PVOID data, DWORD size, LPDWORD needed)
{
    if (index == UOI_NAME) {
        const QString name = world.visibleStation ? QStringLiteral("WinSta0") : QStringLiteral("Service-0x0-3e7$");
        if (size < (name.size() + 1) * sizeof(wchar_t))
            return FALSE;
        static_cast<wchar_t *>(data)[name.toWCharArray(static_cast<wchar_t *>(data))] = 0;
        *needed = DWORD((name.size() + 1) * sizeof(wchar_t));
        return TRUE;
    }
    if (index != UOI_FLAGS || size < sizeof(USEROBJECTFLAGS))
        return FALSE;
    USEROBJECTFLAGS flags = {};
    flags.dwFlags = world.visibleStation && world.stationFlagged ? WSF_VISIBLE : 0;
    memcpy(data, &flags, sizeof flags);
    *needed = sizeof flags;
    return TRUE;
}

BOOL WINAPI wtsEnumerateProcessesW(HANDLE, DWORD, DWORD, PWTS_PROCESS_INFOW *list, DWORD *count)
{
    if (world.processListRefused) {
        SetLastError(accessDenied);
        return FALSE;
    }
    QMap<DWORD, DWORD> all = world.processSessions;
    all.insert(ownProcess, world.ownSession);
    if (world.shellWindow)
        all.insert(shellProcess, world.shellSession);
    auto *processes = static_cast<PWTS_PROCESS_INFOW>(LocalAlloc(LPTR, sizeof(WTS_PROCESS_INFOW) * all.size()));
    DWORD i = 0;
    for (auto it = all.cbegin(); it != all.cend(); ++it, ++i) {
        processes[i].ProcessId = it.key();
        processes[i].SessionId = it.value();
    }
    *list = processes;
    *count = DWORD(all.size());
    return TRUE;
}

BOOL WINAPI wtsEnumerateSessionsW(HANDLE, DWORD, DWORD, PWTS_SESSION_INFOW *list, DWORD *count)
{
    auto *sessions = static_cast<PWTS_SESSION_INFOW>(LocalAlloc(LPTR, sizeof(WTS_SESSION_INFOW) * world.sessions.size()));
    for (qsizetype i = 0; i < world.sessions.size(); ++i) {
        sessions[i].SessionId = world.sessions.at(i).first;
        sessions[i].State = world.sessions.at(i).second;
    }
    *list = sessions;
    *count = DWORD(world.sessions.size());
    return TRUE;
}

void WINAPI wtsFreeMemory(PVOID memory)
{
    LocalFree(memory);
}

DWORD WINAPI wtsGetActiveConsoleSessionId()
{
    return world.console;
}

BOOL WINAPI wtsQueryUserToken(ULONG session, PHANDLE token)
{
    // Only a program of the local system may ask.
    if (world.own.sid != localSystem.sid) {
        SetLastError(privilegeNotHeld);
        return FALSE;
    }
    if (!world.loggedOn.contains(session)) {
        SetLastError(noToken);
        return FALSE;
    }
    *token = newToken({ world.loggedOn.value(session), session, false, false });
    return TRUE;
}

BOOL WINAPI wtsQuerySessionInformationW(HANDLE, DWORD session, WTS_INFO_CLASS what, LPWSTR *text, DWORD *bytes)
{
    const DWORD which = session == WTS_CURRENT_SESSION ? world.ownSession : session;
    const Account user = world.loggedOn.value(which);
    const QString value = what == WTSUserName ? user.shortName()
        : what == WTSDomainName ? user.name.left(qMax<qsizetype>(0, user.name.indexOf(QLatin1Char('\\'))))
                                : QString();
    auto *copy = static_cast<wchar_t *>(LocalAlloc(LPTR, (value.size() + 1) * sizeof(wchar_t)));
    value.toWCharArray(copy);
    *text = copy;
    *bytes = DWORD((value.size() + 1) * sizeof(wchar_t));
    return TRUE;
}

BOOL WINAPI openProcessToken(HANDLE process, DWORD, PHANDLE token)
{
    if (process == GetCurrentProcess()) {
        *token = newToken({ world.own, world.ownSession, world.ownElevated, false });
        return TRUE;
    }
    if ((process == shellHandle || process == shellHandleLimited) && !world.shellTokenRefused) {
        *token = newToken({ world.shellUser, world.shellSession, false, false });
        return TRUE;
    }
    SetLastError(accessDenied);
    return FALSE;
}

BOOL WINAPI duplicateTokenEx(HANDLE token, DWORD, LPSECURITY_ATTRIBUTES, SECURITY_IMPERSONATION_LEVEL, TOKEN_TYPE, PHANDLE copy)
{
    if (!tokens.contains(token)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *copy = newToken(tokens.value(token));
    return TRUE;
}

BOOL WINAPI getTokenInformation(HANDLE handle, TOKEN_INFORMATION_CLASS what, LPVOID data, DWORD size, PDWORD needed)
{
    if (!tokens.contains(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const Token token = tokens.value(handle);
    if (what == TokenElevation) {
        TOKEN_ELEVATION elevation{ DWORD(token.elevated) };
        memcpy(data, &elevation, sizeof elevation);
        *needed = sizeof elevation;
        return TRUE;
    }
    if (what != TokenUser)
        return FALSE;
    PSID sid = nullptr;
    const std::wstring text = token.user.sid.toStdWString();
    if (!ConvertStringSidToSidW(text.c_str(), &sid))
        return FALSE;
    const DWORD sidSize = GetLengthSid(sid);
    *needed = DWORD(sizeof(TOKEN_USER)) + sidSize;
    if (size < *needed) {
        LocalFree(sid);
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    auto *user = static_cast<TOKEN_USER *>(data);
    user->User.Sid = static_cast<BYTE *>(data) + sizeof(TOKEN_USER);
    user->User.Attributes = 0;
    CopySid(sidSize, user->User.Sid, sid);
    LocalFree(sid);
    return TRUE;
}

BOOL WINAPI setTokenInformation(HANDLE handle, TOKEN_INFORMATION_CLASS what, LPVOID data, DWORD)
{
    // Granting uiAccess takes the right to act as part of the system.
    if (what != TokenUIAccess || world.own.sid != localSystem.sid || !tokens.contains(handle)) {
        SetLastError(privilegeNotHeld);
        return FALSE;
    }
    tokens[handle].uiAccess = *static_cast<DWORD *>(data) != 0;
    return TRUE;
}

BOOL WINAPI adjustTokenPrivileges(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD)
{
    return TRUE;
}

BOOL WINAPI lookupAccountSidW(LPCWSTR, PSID sid, LPWSTR name, LPDWORD nameSize, LPWSTR domain, LPDWORD domainSize, PSID_NAME_USE use)
{
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text))
        return FALSE;
    const Account account = accountOfSid(QString::fromWCharArray(text));
    LocalFree(text);
    if (account.name.isEmpty()) {
        SetLastError(ERROR_NONE_MAPPED);
        return FALSE;
    }
    const QString shortName = account.shortName();
    const QString domainName = account.name.left(account.name.indexOf(QLatin1Char('\\')));
    name[shortName.toWCharArray(name)] = 0;
    *nameSize = DWORD(shortName.size());
    domain[domainName.toWCharArray(domain)] = 0;
    *domainSize = DWORD(domainName.size());
    *use = SidTypeUser;
    return TRUE;
}

BOOL WINAPI lookupAccountNameW(LPCWSTR, LPCWSTR name, PSID sid, LPDWORD sidSize, LPWSTR, LPDWORD domainSize, PSID_NAME_USE use)
{
    for (const Account &account : accounts) {
        if (account.name.compare(QString::fromWCharArray(name), Qt::CaseInsensitive) != 0)
            continue;
        PSID binary = nullptr;
        const std::wstring text = account.sid.toStdWString();
        if (!ConvertStringSidToSidW(text.c_str(), &binary))
            return FALSE;
        CopySid(*sidSize, sid, binary);
        LocalFree(binary);
        *domainSize = 0;
        *use = SidTypeUser;
        return TRUE;
    }
    SetLastError(ERROR_NONE_MAPPED);
    return FALSE;
}

BOOL WINAPI createEnvironmentBlock(LPVOID *block, HANDLE token, BOOL)
{
    if (!tokens.contains(token))
        return FALSE;
    const QString text = QStringLiteral("USERPROFILE=") + profileOf(tokens.value(token).user);
    auto *copy = static_cast<wchar_t *>(LocalAlloc(LPTR, (text.size() + 2) * sizeof(wchar_t)));
    text.toWCharArray(copy);
    *block = copy;
    return TRUE;
}

BOOL WINAPI destroyEnvironmentBlock(LPVOID block)
{
    LocalFree(block);
    return TRUE;
}

HRESULT WINAPI shGetKnownFolderPath(REFKNOWNFOLDERID, DWORD, HANDLE token, PWSTR *path)
{
    const Account user = token ? tokens.value(token).user : world.own;
    const QString folder = profileOf(user) + QStringLiteral("\\AppData\\Roaming");
    *path = static_cast<PWSTR>(CoTaskMemAlloc((folder.size() + 1) * sizeof(wchar_t)));
    (*path)[folder.toWCharArray(*path)] = 0;
    return S_OK;
}

Started startOf(const QString &how, const Token &token, LPCWSTR folder, const void *environment, LPWSTR desktop)
{
    return { how, token.user.name, token.session, token.elevated, desktop ? QString::fromWCharArray(desktop) : QString(),
             QString::fromWCharArray(folder), environmentUser(environment) };
}

BOOL WINAPI createProcessWithTokenW(HANDLE token, DWORD, LPCWSTR, LPWSTR, DWORD, LPVOID environment, LPCWSTR folder, LPSTARTUPINFOW startup,
                                    LPPROCESS_INFORMATION)
{
    if (world.withTokenError || world.uiAccessProgram) {
        SetLastError(world.withTokenError ? world.withTokenError : elevationRequired);
        return FALSE;
    }
    // The Secondary Logon service starts it in the caller's session, whatever the token's.
    Token as = tokens.value(token);
    as.session = world.ownSession;
    started << startOf(QStringLiteral("with token"), as, folder, environment, startup->lpDesktop);
    return TRUE;
}

BOOL WINAPI createProcessAsUserW(HANDLE token, LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID environment,
                                 LPCWSTR folder, LPSTARTUPINFOW startup, LPPROCESS_INFORMATION)
{
    // Assigning another account's token is for the local system (administrators lack the privilege).
    if (world.own.sid != localSystem.sid) {
        SetLastError(privilegeNotHeld);
        return FALSE;
    }
    const Token as = tokens.value(token);
    if (world.uiAccessProgram && !as.uiAccess) {
        SetLastError(elevationRequired);
        return FALSE;
    }
    started << startOf(QStringLiteral("as user"), as, folder, environment, startup->lpDesktop);
    return TRUE;
}

BOOL WINAPI createProcessW(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD flags, LPVOID environment, LPCWSTR folder,
                           LPSTARTUPINFOW startup, LPPROCESS_INFORMATION)
{
    const bool asChildOfShell = (flags & EXTENDED_STARTUPINFO_PRESENT) && parentGiven == shellHandle;
    if (world.uiAccessProgram) {
        SetLastError(elevationRequired);
        return FALSE;
    }
    if (asChildOfShell)
        started << startOf(QStringLiteral("shell as parent"), { world.shellUser, world.shellSession, false, false }, folder, environment,
                           startup->lpDesktop);
    else
        started << startOf(QStringLiteral("own"), { world.own, world.ownSession, world.ownElevated, false }, folder, environment,
                           startup->lpDesktop);
    return TRUE;
}

BOOL WINAPI updateProcThreadAttribute(LPPROC_THREAD_ATTRIBUTE_LIST list, DWORD flags, DWORD_PTR attribute, PVOID value, SIZE_T size, PVOID previous,
                                      PSIZE_T returned)
{
    if (attribute == PROC_THREAD_ATTRIBUTE_PARENT_PROCESS)
        parentGiven = *static_cast<HANDLE *>(value);
    return Platform::systemUserSessionCalls().updateProcThreadAttribute(list, flags, attribute, value, size, previous, returned);
}

BOOL WINAPI shellExecuteExW(SHELLEXECUTEINFOW *execute)
{
    started << startOf(QStringLiteral("ShellExecuteEx"), { world.own, world.ownSession, world.ownElevated && !world.wine, false },
                       execute->lpDirectory, nullptr, nullptr);
    return TRUE;
}

HRESULT shellExecuteThroughDesktop(const wchar_t *, const wchar_t *folder)
{
    if (SUCCEEDED(world.explorer))
        started << startOf(QStringLiteral("Explorer"), { world.shellUser, world.shellSession, false, false }, folder, nullptr, nullptr);
    return world.explorer;
}

const char *wineVersion()
{
    return world.wine ? "8.0" : nullptr;
}

void script(const World &scripted)
{
    world = scripted;
    tokens.clear();
    started.clear();
    refusedCalls.clear();
    parentGiven = nullptr;
    Platform::UserSessionCalls &calls = Platform::userSessionCalls();
    calls.getShellWindow = getShellWindow;
    calls.getWindowThreadProcessId = getWindowThreadProcessId;
    calls.getCurrentProcessId = getCurrentProcessId;
    calls.processIdToSessionId = processIdToSessionId;
    calls.openProcess = openProcess;
    calls.closeHandle = closeHandle;
    calls.getProcessWindowStation = getProcessWindowStation;
    calls.getUserObjectInformationW = getUserObjectInformationW;
    calls.wtsEnumerateProcessesW = wtsEnumerateProcessesW;
    calls.wtsEnumerateSessionsW = wtsEnumerateSessionsW;
    calls.wtsFreeMemory = wtsFreeMemory;
    calls.wtsGetActiveConsoleSessionId = wtsGetActiveConsoleSessionId;
    calls.wtsQueryUserToken = wtsQueryUserToken;
    calls.wtsQuerySessionInformationW = wtsQuerySessionInformationW;
    calls.openProcessToken = openProcessToken;
    calls.duplicateTokenEx = duplicateTokenEx;
    calls.getTokenInformation = getTokenInformation;
    calls.setTokenInformation = setTokenInformation;
    calls.adjustTokenPrivileges = adjustTokenPrivileges;
    calls.lookupAccountSidW = lookupAccountSidW;
    calls.lookupAccountNameW = lookupAccountNameW;
    calls.createEnvironmentBlock = createEnvironmentBlock;
    calls.destroyEnvironmentBlock = destroyEnvironmentBlock;
    calls.shGetKnownFolderPath = shGetKnownFolderPath;
    calls.createProcessWithTokenW = createProcessWithTokenW;
    calls.createProcessAsUserW = createProcessAsUserW;
    calls.createProcessW = createProcessW;
    calls.updateProcThreadAttribute = updateProcThreadAttribute;
    calls.shellExecuteExW = shellExecuteExW;
    calls.shellExecuteThroughDesktop = shellExecuteThroughDesktop;
    calls.wineVersion = wineVersion;
}

// The worlds of the rows, each a change from the usual one: an administrator, elevated, in the
// session of alice, who runs JAWS.
World overTheShoulder()
{
    World w;
    w.shellTokenRefused = true;
    w.explorer = E_ACCESSDENIED;
    return w;
}

World asSystem()
{
    World w;
    w.own = localSystem;
    w.ownSession = 0;
    w.shellWindow = false;
    return w;
}

// The profile list entries the over-the-shoulder path reads for the user's folders: alice's
// plain, carol's redirected to her home share, written with variables of her own logon.
const wchar_t profileListKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-21-7-7-7-1001";
const wchar_t carolProfileKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-21-7-7-7-1003";
const wchar_t carolHive[] = L"S-1-5-21-7-7-7-1003";

bool writeString(HKEY root, const wchar_t *path, const wchar_t *name, const QString &value, DWORD type = REG_SZ)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_64KEY, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring text = value.toStdWString();
    const bool ok = RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE *>(text.c_str()), DWORD((text.size() + 1) * sizeof(wchar_t)))
        == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

} // namespace

Q_DECLARE_METATYPE(World)

class tst_InteractiveUser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void startsJaws_data();
    void startsJaws();
    void findsTheUser_data();
    void findsTheUser();
    void sessionReachable_data();
    void sessionReachable();
    void visibleDesktop_data();
    void visibleDesktop();
};

void tst_InteractiveUser::initTestCase()
{
    QVERIFY(writeString(HKEY_LOCAL_MACHINE, profileListKey, L"ProfileImagePath", QStringLiteral("C:\\Users\\alice")));
    QVERIFY(writeString(HKEY_LOCAL_MACHINE, carolProfileKey, L"ProfileImagePath", QStringLiteral("C:\\Users\\carol")));
    // Her registry, loaded while she is logged on: the folder as her policy writes it, and her
    // logon's variables, which are not the installer's.
    const std::wstring hive = carolHive;
    QVERIFY(writeString(HKEY_USERS, (hive + L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders").c_str(), L"AppData",
                        QStringLiteral("%HOMESHARE%\\%USERNAME%\\AppData\\Roaming"), REG_EXPAND_SZ));
    QVERIFY(writeString(HKEY_USERS, (hive + L"\\Volatile Environment").c_str(), L"HOMESHARE", QStringLiteral("\\\\server\\homes")));
    QVERIFY(writeString(HKEY_USERS, (hive + L"\\Volatile Environment").c_str(), L"USERNAME", QStringLiteral("carol")));
}

void tst_InteractiveUser::cleanupTestCase()
{
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, profileListKey, KEY_WOW64_64KEY, 0);
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, carolProfileKey, KEY_WOW64_64KEY, 0);
    RegDeleteTreeW(HKEY_USERS, carolHive);
}

void tst_InteractiveUser::cleanup()
{
    Platform::userSessionCalls() = Platform::systemUserSessionCalls();
}

void tst_InteractiveUser::startsJaws_data()
{
    QTest::addColumn<World>("world");
    QTest::addColumn<QString>("how"); // empty: nothing started, and the report says so
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("session");
    QTest::addColumn<QString>("environmentOf");

    // Explorer starts it as the desktop's user: their token, environment, session and uiAccess.
    QTest::newRow("elevated administrator: Explorer starts it") << World() << "Explorer" << alice.name << 1 << "";
    World secondaryLogon;
    secondaryLogon.explorer = E_FAIL;
    secondaryLogon.uiAccessProgram = false;
    QTest::newRow("Explorer refuses: the shell's token through Secondary Logon") << secondaryLogon << "with token" << alice.name << 1 << "alice";
    World disabled = secondaryLogon;
    disabled.withTokenError = serviceDisabled;
    QTest::newRow("Secondary Logon disabled, 1314: the shell as parent, the user's environment") << disabled << "shell as parent" << alice.name
                                                                                                 << 1 << "alice";
    World uiAccess = secondaryLogon;
    uiAccess.uiAccessProgram = true;
    QTest::newRow("Explorer refuses, 740 for a uiAccess program: nothing elevated instead") << uiAccess << "" << "" << 0 << "";
    QTest::newRow("over the shoulder: Explorer") << []{ World w = overTheShoulder(); w.explorer = S_OK; return w; }() << "Explorer" << alice.name << 1 << "";
    World shoulder = overTheShoulder();
    shoulder.uiAccessProgram = false;
    QTest::newRow("over the shoulder, the shell's token refused: its child, with her places") << shoulder << "shell as parent" << alice.name << 1
                                                                                             << "alice";
    World shoulderNoParent = shoulder;
    shoulderNoParent.shellParentRefused = true;
    QTest::newRow("over the shoulder, the shell refused as parent: nothing") << shoulderNoParent << "" << "" << 0 << "";
    World noShell;
    noShell.shellWindow = false;
    noShell.uiAccessProgram = false;
    noShell.explorer = REGDB_E_CLASSNOTREG; // no Explorer answers for the desktop
    QTest::newRow("no shell window: never the installer's elevated start") << noShell << "" << "" << 0 << "";
    World explorerOnly = noShell;
    explorerOnly.explorer = S_OK;
    QTest::newRow("no shell window, Explorer's desktop answers") << explorerOnly << "Explorer" << alice.name << 1 << "";
    // Wine calls its one account's token elevated; there is no other to start with.
    World wine = noShell;
    wine.own = alice;
    wine.wine = true;
    QTest::newRow("Wine: the one account's own start") << wine << "ShellExecuteEx" << alice.name << 1 << "installer's";
    World shellElsewhere;
    shellElsewhere.shellSession = 2;
    shellElsewhere.uiAccessProgram = false;
    shellElsewhere.explorer = REGDB_E_CLASSNOTREG;
    QTest::newRow("a shell of another session is not this session's") << shellElsewhere << "" << "" << 0 << "";
    World unelevated;
    unelevated.own = alice;
    unelevated.ownElevated = false;
    QTest::newRow("run by the user without elevation: ShellExecuteEx") << unelevated << "ShellExecuteEx" << alice.name << 1 << "installer's";
    QTest::newRow("SYSTEM in session 0: into the console user's session") << []{ World w = asSystem(); w.uiAccessProgram = false; return w; }()
                                                                          << "as user" << alice.name << 1 << "alice";
    QTest::newRow("SYSTEM, a uiAccess program: granted on the token") << asSystem() << "as user" << alice.name << 1 << "alice";
    World remote = asSystem();
    remote.console = 1;
    remote.loggedOn = { { 3, bob } };
    remote.sessions = { { 0, WTSDisconnected }, { 1, WTSConnected }, { 2, WTSDisconnected }, { 3, WTSActive } };
    QTest::newRow("SYSTEM, the user on Remote Desktop") << remote << "as user" << bob.name << 3 << "bob";
    World nobody = asSystem();
    nobody.loggedOn.clear();
    nobody.sessions = { { 0, WTSDisconnected }, { 1, WTSConnected } };
    QTest::newRow("SYSTEM, nobody logged on: nothing, not as SYSTEM") << nobody << "" << "" << 0 << "";
}

// Each path of the launch chain: what is started, as whom, in which session, with whose
// environment, on the user's desktop; and, where no way is left, the report's error.
void tst_InteractiveUser::startsJaws()
{
    QFETCH(World, world);
    QFETCH(QString, how);
    QFETCH(QString, user);
    QFETCH(int, session);
    QFETCH(QString, environmentOf);
    QTemporaryDir jawsFolder;
    QVERIFY(jawsFolder.isValid());
    QFile program(jawsFolder.filePath(QStringLiteral("jfw.exe")));
    QVERIFY(program.open(QIODevice::WriteOnly) && program.write("MZ") == 2);
    program.close();
    script(world);

    Jaws jaws;
    JawsInstaller installer;
    const bool ok = JawsClosing::giveBack(jaws, installer.runReport(), jawsFolder.path());
    QCOMPARE(ok, !how.isEmpty());
    QVERIFY2(refusedCalls.isEmpty(), qPrintable(refusedCalls.join(QLatin1Char(' '))));
    if (how.isEmpty()) {
        QCOMPARE(started.size(), 0);
        QVERIFY(installer.hasErrors());
        QString lines;
        for (const StepResult &result : installer.results()) {
            for (const StepResult::Line &line : result.lines())
                lines += line.text;
        }
        QCOMPARE(lines, QStringLiteral("ERROR : Jaws could not be started again from %1. Please start Jaws yourself.")
                            .arg(QDir::toNativeSeparators(jawsFolder.path())));
        return;
    }
    QVERIFY(!installer.hasErrors());
    QCOMPARE(started.size(), 1);
    const Started &start = started.constFirst();
    QCOMPARE(start.how, how);
    QCOMPARE(start.user, user);
    QCOMPARE(int(start.session), session);
    QVERIFY(!start.elevated);
    QCOMPARE(QDir::fromNativeSeparators(start.folder), QDir::fromNativeSeparators(jawsFolder.path()));
    if (!environmentOf.isEmpty())
        QCOMPARE(start.environmentOf, environmentOf);
    // A start with a token names the interactive desktop, or it would land on an invisible one.
    if (how == QLatin1String("with token") || how == QLatin1String("as user"))
        QCOMPARE(start.desktop, QStringLiteral("winsta0\\default"));
}

void tst_InteractiveUser::findsTheUser_data()
{
    QTest::addColumn<World>("world");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("appData");

    QTest::newRow("the owner of the session's shell") << World() << true << alice.name << "C:\\Users\\alice\\AppData\\Roaming";
    // Her token refused: the session names her, the profile list gives her folder.
    QTest::newRow("over the shoulder") << overTheShoulder() << true << alice.name << "C:\\Users\\alice\\AppData\\Roaming";
    World unknownProfile = overTheShoulder();
    unknownProfile.shellUser = bob;
    unknownProfile.loggedOn = { { 1, bob } };
    // Bob has no profile in the list: the installer's settings change, and the report names the
    // installer's account, not bob.
    QTest::newRow("over the shoulder, no profile folder: the installer's, named so") << unknownProfile << false << admin.name
                                                                                     << "C:\\Users\\admin\\AppData\\Roaming";
    World redirected = overTheShoulder();
    redirected.shellUser = carol;
    redirected.loggedOn = { { 1, carol } };
    // Expanded with her variables: the installer's %USERNAME% would name the administrator.
    QTest::newRow("over the shoulder, a redirected folder") << redirected << true << carol.name << "\\\\server\\homes\\carol\\AppData\\Roaming";
    QTest::newRow("SYSTEM: the console's user") << asSystem() << true << alice.name << "C:\\Users\\alice\\AppData\\Roaming";
    World remote = asSystem();
    remote.loggedOn = { { 2, bob } };
    remote.sessions = { { 0, WTSDisconnected }, { 1, WTSConnected }, { 2, WTSActive } };
    QTest::newRow("SYSTEM: the user on Remote Desktop") << remote << true << bob.name << "C:\\Users\\bob\\AppData\\Roaming";
    World nobody = asSystem();
    nobody.loggedOn.clear();
    QTest::newRow("SYSTEM, nobody logged on") << nobody << false << localSystem.name << "C:\\Users\\SYSTEM\\AppData\\Roaming";
}

void tst_InteractiveUser::findsTheUser()
{
    QFETCH(World, world);
    QFETCH(bool, found);
    QFETCH(QString, name);
    QFETCH(QString, appData);
    script(world);
    const Platform::InteractiveUser user = Platform::interactiveUser();
    QCOMPARE(user.found, found);
    QCOMPARE(user.name, name);
    QCOMPARE(user.appDataFolder, appData);
    QVERIFY2(refusedCalls.isEmpty(), qPrintable(refusedCalls.join(QLatin1Char(' '))));
}

void tst_InteractiveUser::sessionReachable_data()
{
    QTest::addColumn<World>("world");
    QTest::addColumn<bool>("reachable");
    constexpr DWORD jaws = 5000;
    World same;
    same.processSessions = { { jaws, 1 } };
    QTest::newRow("JAWS in this session") << same << true;
    World other;
    other.processSessions = { { jaws, 2 } };
    // Another account's JAWS, whose process this program may not even ask.
    QTest::newRow("JAWS in another session") << other << false;
    World system = asSystem();
    system.processSessions = { { jaws, 1 } };
    QTest::newRow("SYSTEM in session 0, JAWS in the user's") << system << false;
    World refused = other;
    refused.processListRefused = true;
    QTest::newRow("the process list refused: out of reach") << refused << false;
    QTest::newRow("JAWS ended meanwhile") << World() << true;
}

void tst_InteractiveUser::sessionReachable()
{
    QFETCH(World, world);
    QFETCH(bool, reachable);
    script(world);
    QCOMPARE(Platform::sessionReachable(5000), reachable);
    QVERIFY2(refusedCalls.isEmpty(), qPrintable(refusedCalls.join(QLatin1Char(' '))));
}

void tst_InteractiveUser::visibleDesktop_data()
{
    QTest::addColumn<World>("world");
    QTest::addColumn<bool>("visible");
    QTest::newRow("a user's desktop") << World() << true;
    QTest::newRow("session 0") << asSystem() << false;
    World hidden;
    hidden.visibleStation = false;
    QTest::newRow("a window station nobody sees") << hidden << false;
    World wine;
    wine.stationFlagged = false;
    QTest::newRow("WinSta0 without its flag (Wine)") << wine << true;
}

void tst_InteractiveUser::visibleDesktop()
{
    QFETCH(World, world);
    QFETCH(bool, visible);
    script(world);
    QCOMPARE(Platform::onVisibleDesktop(), visible);
}

QTEST_GUILESS_MAIN(tst_InteractiveUser)
#include "tst_interactiveuser.moc"
