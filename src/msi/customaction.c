/* The custom action of the driver's Windows Installer package (resources/msi/InstallQuorOlma.wxs).
 *
 * Windows Installer runs it deferred and not impersonated (as SYSTEM), for the installation, a
 * repair or an upgrade, and for a removal. It starts the installed InstallQuorOlma.exe unattended, with the package's public properties
 * turned into the program's switches, writes each line the program prints and then the run's
 * report into the MSI log (msiexec /l*v), and turns the program's exit code into the answer
 * Windows Installer understands: success, or a failure that rolls the package back.
 *
 * Plain C on kernel32 and msi.dll alone: it is loaded into Windows Installer's own process,
 * where none of the program's DLLs are. */
#include "common/exitcodes.h"

#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

enum { FieldCount = 6 };

/* One line into the MSI log. The text becomes the message's template with each bracket and
 * brace escaped ([\[] is a "["), so that it is written as it is: Windows Installer formats a
 * template, and Wine also the fields. */
static void logLine(MSIHANDLE install, const wchar_t *prefix, const wchar_t *text)
{
    const size_t length = wcslen(prefix) + wcslen(text);
    wchar_t *escaped = calloc(length * 5 + 1, sizeof *escaped);
    if (!escaped)
        return;
    wchar_t *out = escaped;
    for (int part = 0; part < 2; ++part) {
        for (const wchar_t *in = part ? text : prefix; *in; ++in) {
            if (*in == L'[' || *in == L']' || *in == L'{' || *in == L'}') {
                *out++ = L'[';
                *out++ = L'\\';
                *out++ = *in;
                *out++ = L']';
            } else {
                *out++ = *in;
            }
        }
    }
    MSIHANDLE record = MsiCreateRecord(0);
    if (record) {
        MsiRecordSetStringW(record, 0, escaped);
        MsiProcessMessage(install, INSTALLMESSAGE_INFO, record);
        MsiCloseHandle(record);
    }
    free(escaped);
}

static void logFormatted(MSIHANDLE install, const wchar_t *format, ...)
{
    wchar_t text[1024];
    va_list arguments;
    va_start(arguments, format);
    _vsnwprintf(text, sizeof text / sizeof *text - 1, format, arguments);
    va_end(arguments);
    text[sizeof text / sizeof *text - 1] = 0;
    logLine(install, L"InstallQuorOlma: ", text);
}

/* Bytes to UTF-16: UTF-8 when they are valid UTF-8 (what the program prints into a pipe), else
 * the system's code page (a report of an older program). The caller frees the result. */
static wchar_t *decode(const char *bytes, int size)
{
    UINT codePage = CP_UTF8;
    if (size >= 3 && (unsigned char)bytes[0] == 0xEF && (unsigned char)bytes[1] == 0xBB && (unsigned char)bytes[2] == 0xBF) {
        bytes += 3;
        size -= 3;
    }
    int length = size ? MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, size, NULL, 0) : 0;
    if (size && !length) {
        codePage = CP_ACP;
        length = MultiByteToWideChar(CP_ACP, 0, bytes, size, NULL, 0);
    }
    wchar_t *text = calloc((size_t)length + 1, sizeof *text);
    if (text && length)
        MultiByteToWideChar(codePage, 0, bytes, size, text, length);
    return text;
}

/* Every whole line in `buffer` into the log; what follows the last line break stays (or all of
 * it when `all`). Returns the number of bytes kept. */
static int logLines(MSIHANDLE install, const wchar_t *prefix, char *buffer, int size, BOOL all)
{
    int start = 0;
    for (int i = 0; i <= size; ++i) {
        const BOOL end = i == size;
        if ((!end && buffer[i] != '\n') || (end && (!all || i == start)))
            continue;
        int length = i - start;
        if (length > 0 && buffer[start + length - 1] == '\r')
            --length;
        wchar_t *line = decode(buffer + start, length);
        if (line) {
            logLine(install, prefix, line);
            free(line);
        }
        start = i + 1;
    }
    if (start > size)
        start = size;
    memmove(buffer, buffer + start, (size_t)(size - start));
    return size - start;
}

/* One argument in quotes as every Windows program reads it back: backslashes before the closing
 * quote doubled. */
static void appendQuoted(wchar_t *commandLine, size_t capacity, const wchar_t *argument)
{
    size_t trailing = 0;
    const size_t length = wcslen(argument);
    while (trailing < length && argument[length - 1 - trailing] == L'\\')
        ++trailing;
    wcsncat(commandLine, L"\"", capacity - wcslen(commandLine) - 1);
    wcsncat(commandLine, argument, capacity - wcslen(commandLine) - 1);
    for (size_t i = 0; i < trailing; ++i)
        wcsncat(commandLine, L"\\", capacity - wcslen(commandLine) - 1);
    wcsncat(commandLine, L"\"", capacity - wcslen(commandLine) - 1);
}

static void append(wchar_t *commandLine, size_t capacity, const wchar_t *text)
{
    wcsncat(commandLine, text, capacity - wcslen(commandLine) - 1);
}

/* "1" is on; empty or "0" is off; anything else is wrong. */
static BOOL switchValue(const wchar_t *value, BOOL *on)
{
    if (!*value || !wcscmp(value, L"0")) {
        *on = FALSE;
        return TRUE;
    }
    if (!wcscmp(value, L"1")) {
        *on = TRUE;
        return TRUE;
    }
    return FALSE;
}

/* The program's run: its output into the log as it comes, its exit code. FALSE when it could
 * not be started. */
static BOOL runProgram(MSIHANDLE install, wchar_t *commandLine, DWORD *exitCode)
{
    SECURITY_ATTRIBUTES inheritable = { sizeof inheritable, NULL, TRUE };
    HANDLE reading = NULL;
    HANDLE writing = NULL;
    if (!CreatePipe(&reading, &writing, &inheritable, 0))
        return FALSE;
    SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    HANDLE input = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, NULL);

    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = input;
    startup.hStdOutput = writing;
    startup.hStdError = writing;
    PROCESS_INFORMATION process;
    const BOOL started = CreateProcessW(NULL, commandLine, NULL, NULL, TRUE, CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, NULL,
                                        NULL, &startup, &process);
    const DWORD startError = GetLastError();
    CloseHandle(writing);
    if (input != INVALID_HANDLE_VALUE)
        CloseHandle(input);
    if (!started) {
        CloseHandle(reading);
        SetLastError(startError);
        return FALSE;
    }
    CloseHandle(process.hThread);

    /* Read while it runs, never waiting for the pipe's end: a JAWS it starts again could hold the
     * pipe open long after the program ended. */
    char buffer[8192];
    int kept = 0;
    for (;;) {
        const BOOL ended = WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0;
        DWORD available = 0;
        while (PeekNamedPipe(reading, NULL, 0, NULL, &available, NULL) && available > 0) {
            DWORD wanted = (DWORD)(sizeof buffer - (size_t)kept);
            if (wanted > available)
                wanted = available;
            DWORD got = 0;
            if (!ReadFile(reading, buffer + kept, wanted, &got, NULL) || got == 0)
                break;
            kept += (int)got;
            kept = logLines(install, L"InstallQuorOlma: ", buffer, kept, kept == (int)sizeof buffer);
        }
        if (ended)
            break;
    }
    logLines(install, L"InstallQuorOlma: ", buffer, kept, TRUE);
    GetExitCodeProcess(process.hProcess, exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(reading);
    return TRUE;
}

/* The report the program wrote to --log, into the MSI log; the file is deleted. */
static void logReport(MSIHANDLE install, const wchar_t *path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileW(path);
        return;
    }
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < 16 * 1024 * 1024) {
        char *bytes = malloc((size_t)size.QuadPart + 1);
        DWORD got = 0;
        if (bytes && ReadFile(file, bytes, (DWORD)size.QuadPart, &got, NULL)) {
            logFormatted(install, L"The report of this run:");
            /* The whole report decoded at once: its code page is told by all of it. */
            wchar_t *text = decode(bytes, (int)got);
            if (text) {
                wchar_t *line = text;
                while (line && *line) {
                    wchar_t *end = wcschr(line, L'\n');
                    if (end) {
                        *end = 0;
                        if (end > line && end[-1] == L'\r')
                            end[-1] = 0;
                    }
                    logLine(install, L"InstallQuorOlma report: ", line);
                    line = end ? end + 1 : NULL;
                }
                free(text);
            }
        }
        free(bytes);
    }
    CloseHandle(file);
}

static const wchar_t *meaning(BOOL removing, DWORD code)
{
    switch (code) {
    case ExitSucceeded:
        return removing ? L"removed, or nothing of the driver to remove" : L"installed";
    case ExitEndedWithErrors:
        return removing ? L"removed with remarks: the report's ERROR and NOTE lines say which (what could not be removed stays, with its record)"
                        : L"installed with remarks: the report's ERROR and NOTE lines say which";
    case ExitWrongUsage:
        return L"wrong usage: nothing was done (a property has a value the program does not know)";
    case ExitNoSuchJaws:
        return L"no such JAWS installation: nothing was done";
    case ExitPackageIncomplete:
        return L"the package's driver files are incomplete: nothing was installed";
    case ExitJawsNotClosed:
        return L"JAWS could not be closed, or runs where the program cannot reach it: try again when JAWS is not running";
    case ExitCancelled:
        return L"interrupted: try again";
    case ExitAnotherRunInProgress:
        return L"another installation or removal of the driver runs on this computer: nothing was done, try again later";
    default:
        return L"ended unexpectedly";
    }
}

/* Whether a failed installation may have changed something: the codes that say "nothing was
 * done" leave nothing to undo. */
static BOOL mayHaveChanged(DWORD code)
{
    return code != ExitSucceeded && code != ExitEndedWithErrors && code != ExitWrongUsage && code != ExitNoSuchJaws && code != ExitPackageIncomplete
        && code != ExitAnotherRunInProgress;
}

/* One run of the program: "install" with the properties, or "remove" from every JAWS it
 * installed into (those without the driver's record say so and are left as they are). Its
 * output, then its report, go into the log. FALSE when it could not be started. */
static BOOL run(MSIHANDLE install, const wchar_t *program, BOOL removing, const wchar_t *jaws, const wchar_t *display, BOOL allUsers,
                BOOL noRestart, DWORD *code)
{
    /* The report of this run, into a file of its own in the temporary folder (SYSTEM's). */
    wchar_t temporary[MAX_PATH + 1];
    wchar_t report[MAX_PATH + 1] = L"";
    const DWORD folderLength = GetTempPathW(MAX_PATH + 1, temporary);
    if (folderLength == 0 || folderLength > MAX_PATH || !GetTempFileNameW(temporary, L"iqo", 0, report))
        report[0] = 0;

    wchar_t commandLine[8192] = L"";
    const size_t capacity = sizeof commandLine / sizeof *commandLine;
    appendQuoted(commandLine, capacity, program);
    append(commandLine, capacity, L" /unattended /msi");
    if (removing) {
        append(commandLine, capacity, L" /remove /jaws all");
    } else {
        append(commandLine, capacity, L" /jaws ");
        appendQuoted(commandLine, capacity, jaws);
        append(commandLine, capacity, L" /display ");
        append(commandLine, capacity, display);
        if (allUsers)
            append(commandLine, capacity, L" /allusers");
    }
    if (noRestart)
        append(commandLine, capacity, L" /norestart");
    if (*report) {
        append(commandLine, capacity, L" /log ");
        appendQuoted(commandLine, capacity, report);
    }
    logLine(install, L"InstallQuorOlma: running ", commandLine);
    if (!runProgram(install, commandLine, code)) {
        const DWORD error = GetLastError();
        if (*report)
            DeleteFileW(report);
        logFormatted(install, L"%ls could not be started (Windows error %lu).", program, (unsigned long)error);
        return FALSE;
    }
    if (*report)
        logReport(install, report);
    logFormatted(install, L"InstallQuorOlma ended with exit code %lu: %ls.", (unsigned long)*code, meaning(removing, *code));
    return TRUE;
}

/* The program's exit codes 0 and 1 are success: remarks never roll the package back. Anything
 * else is a failure, which Windows Installer reports as 1603 after its rollback (a custom action
 * cannot make msiexec answer 1618); 5, 6 and 1618 are those worth trying again. */
static UINT answer(MSIHANDLE install, BOOL removing, DWORD code)
{
    if (code == ExitSucceeded) {
        logFormatted(install, L"Result: success.");
        return ERROR_SUCCESS;
    }
    if (code == ExitEndedWithErrors) {
        logFormatted(install, L"Result: success with remarks (exit code 1); the package stays %ls.", removing ? L"removed" : L"installed");
        return ERROR_SUCCESS;
    }
    const BOOL retry = code == ExitJawsNotClosed || code == ExitCancelled || code == ExitAnotherRunInProgress;
    logFormatted(install, L"Result: failure (exit code %lu)%ls; Windows Installer rolls the package back and ends with 1603.",
                 (unsigned long)code, retry ? L", worth retrying" : L"");
    return ERROR_INSTALL_FAILURE;
}

/* The deferred action. CustomActionData: ACTION|PROGRAM|JAWS|DISPLAY|ALLUSERS_SETTINGS|NORESTART,
 * ACTION being "first" (an installation where the package was not installed: a failure that
 * may have changed something is undone by the program's removal, so that the rollback leaves the
 * machine as before), "again" (a repair, or an upgrade of an older package: what was installed
 * stays) or "remove". */
__declspec(dllexport) UINT __stdcall RunInstallQuorOlma(MSIHANDLE install)
{
    wchar_t data[4096] = L"";
    DWORD size = sizeof data / sizeof *data;
    if (MsiGetPropertyW(install, L"CustomActionData", data, &size) != ERROR_SUCCESS) {
        logFormatted(install, L"The custom action's data could not be read.");
        return ERROR_INSTALL_FAILURE;
    }
    wchar_t *fields[FieldCount];
    int count = 0;
    for (wchar_t *field = data; count < FieldCount;) {
        fields[count++] = field;
        wchar_t *bar = wcschr(field, L'|');
        if (!bar)
            break;
        *bar = 0;
        field = bar + 1;
    }
    if (count != FieldCount) {
        logFormatted(install, L"The custom action's data has %d fields instead of %d.", count, FieldCount);
        return ERROR_INSTALL_FAILURE;
    }
    const wchar_t *action = fields[0];
    const wchar_t *program = fields[1];
    const wchar_t *jaws = *fields[2] ? fields[2] : L"all";
    const wchar_t *display = fields[3];
    const BOOL first = !wcscmp(action, L"first");
    const BOOL removing = !wcscmp(action, L"remove");
    if (!first && !removing && wcscmp(action, L"again")) {
        logFormatted(install, L"Unknown action in the custom action's data: %ls.", action);
        return ERROR_INSTALL_FAILURE;
    }
    BOOL allUsers = FALSE;
    BOOL noRestart = FALSE;
    if (!switchValue(fields[4], &allUsers)) {
        logFormatted(install, L"ALLUSERS_SETTINGS=%ls: give 1 for every user's settings, 0 or nothing for the user's at the machine.", fields[4]);
        return ERROR_INSTALL_FAILURE;
    }
    if (!switchValue(fields[5], &noRestart)) {
        logFormatted(install, L"NORESTART=%ls: give 1 to leave a JAWS closed by the installation closed, or leave it out.", fields[5]);
        return ERROR_INSTALL_FAILURE;
    }
    if (!removing && !*display) {
        logFormatted(install, L"DISPLAY is not set: give DISPLAY=QUOR or DISPLAY=OLMA.");
        return ERROR_INSTALL_FAILURE;
    }
    if (wcschr(jaws, L'"') || wcspbrk(display, L"\" \t")) {
        logFormatted(install, L"JAWS or DISPLAY holds a character that no folder or display name has.");
        return ERROR_INSTALL_FAILURE;
    }

    DWORD code = 0;
    if (!run(install, program, removing, jaws, display, allUsers, noRestart, &code))
        return ERROR_INSTALL_FAILURE;
    const UINT result = answer(install, removing, code);
    if (result != ERROR_SUCCESS && first && mayHaveChanged(code)) {
        DWORD undone = 0;
        logFormatted(install, L"Undoing what this first installation may have changed:");
        run(install, program, TRUE, jaws, display, FALSE, noRestart, &undone);
    }
    return result;
}
