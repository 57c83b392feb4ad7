#include "console.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <windows.h>
#include <shellapi.h>

namespace Platform {

QStringList commandLineArguments(int argc, char **argv)
{
    int count = 0;
    LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        return arguments;
    }
    QStringList arguments;
    for (int i = 0; i < count; ++i)
        arguments << QString::fromWCharArray(wide[i]);
    LocalFree(wide);
    return arguments;
}

namespace {

// The console of the parent's prompt, attached once. Attaching resets the console's control
// handlers, so watchInterrupts attaches first and sets its handler after.
bool attachedToParentConsole()
{
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    return attached;
}

// The handle for DWORD `which` (STD_OUTPUT_HANDLE or STD_ERROR_HANDLE): the one inherited from
// the parent, else the console of the parent's prompt.
HANDLE streamHandle(DWORD which)
{
    HANDLE handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE)
        return handle;
    if (!attachedToParentConsole())
        return nullptr;
    static HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
    return console != INVALID_HANDLE_VALUE ? console : nullptr;
}

void write(DWORD which, const QString &text)
{
    HANDLE handle = streamHandle(which);
    if (!handle)
        return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        // A console shows UTF-16 whatever its code page.
        WriteConsoleW(handle, reinterpret_cast<const wchar_t *>(text.utf16()), DWORD(text.size()), &written, nullptr);
        return;
    }
    // A pipe or a file: the bytes a script reads, in UTF-8.
    const QByteArray bytes = text.toUtf8();
    WriteFile(handle, bytes.constData(), DWORD(bytes.size()), &written, nullptr);
}

} // namespace

void writeStandardOutput(const QString &text)
{
    write(STD_OUTPUT_HANDLE, text);
}

void writeStandardError(const QString &text)
{
    write(STD_ERROR_HANDLE, text);
}

namespace {
QPointer<QObject> interruptContext;
std::function<void()> onInterrupt;

// Runs on a thread of the system's: the run is handed over to the main thread. For the closing
// of the console, logoff and shutdown, the process is ended as soon as this returns (or after
// the system's few seconds), so it waits: the main thread ends the process itself once the
// cancel is done, with its own exit code.
BOOL WINAPI onConsoleControl(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        break;
    default:
        return FALSE;
    }
    if (!interruptContext)
        return FALSE;
    QMetaObject::invokeMethod(interruptContext.data(), [] { onInterrupt(); }, Qt::QueuedConnection);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        Sleep(INFINITE);
    return TRUE;
}
} // namespace

void watchInterrupts(QObject *context, const std::function<void()> &interrupted)
{
    if (interruptContext)
        return;
    interruptContext = context;
    onInterrupt = interrupted;
    attachedToParentConsole();
    // A process started in a new process group has Ctrl+C turned off: turned on again, so that
    // it reaches the handler.
    SetConsoleCtrlHandler(nullptr, FALSE);
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

} // namespace Platform
