#include "console.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <windows.h>

#include <array>
#include <atomic>
#include <mutex>
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
std::atomic_bool interruptFlag = false;
std::atomic_bool answered = false;
HANDLE interruptEvent = nullptr;
QString deadlineWords;
int deadlineExitCode = 1;

// The threads whose blocked calls an interrupt cuts short (CancelSynchronousIo: the call fails
// with ERROR_OPERATION_ABORTED).
std::mutex threadsMutex;
std::array<HANDLE, 8> threads{};

int registerThread()
{
    HANDLE thread = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &thread, THREAD_TERMINATE, FALSE, 0))
        return -1;
    const std::lock_guard<std::mutex> lock(threadsMutex);
    for (size_t i = 0; i < threads.size(); ++i) {
        if (!threads[i]) {
            threads[i] = thread;
            return int(i);
        }
    }
    CloseHandle(thread);
    return -1;
}

void unblockThreads()
{
    const std::lock_guard<std::mutex> lock(threadsMutex);
    for (HANDLE thread : threads) {
        if (thread)
            CancelSynchronousIo(thread);
    }
}

DWORD WINAPI watchDeadline(LPVOID)
{
    WaitForSingleObject(interruptEvent, INFINITE);
    for (int second = 1;; ++second) {
        Sleep(1000);
        unblockThreads();
        if (second == 9 && !answered) {
            writeStandardError(deadlineWords);
            // Not ExitProcess: a thread blocked in the loader or the heap would hold it up.
            TerminateProcess(GetCurrentProcess(), UINT(deadlineExitCode));
        }
    }
}

// Hands the interrupt over to the main thread, from a thread of the system's or of the session
// window's. When `processEnds`, the process is ended as soon as the caller returns (or after
// the system's few seconds), so this waits: the main thread ends the process itself once the
// cancel is done, with its own exit code. False when nothing watches.
bool handOver(bool processEnds)
{
    if (!interruptContext)
        return false;
    interruptFlag = true;
    SetEvent(interruptEvent);
    QMetaObject::invokeMethod(interruptContext.data(), [] {
        answered = true;
        onInterrupt();
    }, Qt::QueuedConnection);
    if (processEnds)
        Sleep(INFINITE);
    return true;
}

BOOL WINAPI onConsoleControl(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        return handOver(false);
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        return handOver(true);
    default:
        return FALSE;
    }
}

LRESULT CALLBACK onSessionMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE; // the session may end: the run stops as a cancel
    case WM_ENDSESSION:
        if (wParam)
            handOver(true);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// A program that has loaded user32 (Qt does) is not sent logoff and shutdown as console events:
// they come as WM_QUERYENDSESSION and WM_ENDSESSION to its top-level windows, with or without a
// console (a deployment agent gives it none). Hence a hidden top-level window (a message-only
// one is not sent them). It lives on a thread of its own: the main thread is deep in the run,
// which it must finish (cancel, report, exit code) before WM_ENDSESSION returns; the message,
// were it handled inside the main thread's event loop, could only wait for that by returning.
DWORD WINAPI watchSessionEnd(LPVOID)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = onSessionMessage;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"InstallQuorOlmaSessionEnd";
    if (!RegisterClassW(&windowClass))
        return 1;
    // Never shown.
    if (!CreateWindowExW(0, windowClass.lpszClassName, L"InstallQuorOlma", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                         windowClass.hInstance, nullptr))
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
} // namespace

void watchInterrupts(QObject *context, const std::function<void()> &interrupted, const QString &lastWords, int exitCode)
{
    if (interruptContext)
        return;
    interruptContext = context;
    onInterrupt = interrupted;
    deadlineWords = lastWords;
    deadlineExitCode = exitCode;
    interruptEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    registerThread();
    if (HANDLE thread = CreateThread(nullptr, 0, watchDeadline, nullptr, 0, nullptr))
        CloseHandle(thread);
    attachedToParentConsole();
    // A process started in a new process group has Ctrl+C turned off: turned on again, so that
    // it reaches the handler.
    SetConsoleCtrlHandler(nullptr, FALSE);
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
    if (HANDLE thread = CreateThread(nullptr, 0, watchSessionEnd, nullptr, 0, nullptr))
        CloseHandle(thread);
}

bool interruptRequested()
{
    return interruptFlag;
}

FileWorkThread::FileWorkThread()
    : slot(registerThread())
{
}

FileWorkThread::~FileWorkThread()
{
    if (slot < 0)
        return;
    const std::lock_guard<std::mutex> lock(threadsMutex);
    CloseHandle(threads[size_t(slot)]);
    threads[size_t(slot)] = nullptr;
}

} // namespace Platform
