#include "console.h"

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

// The handle for DWORD `which` (STD_OUTPUT_HANDLE or STD_ERROR_HANDLE): the one inherited from
// the parent, else the console of the parent's prompt, attached once.
HANDLE streamHandle(DWORD which)
{
    HANDLE handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE)
        return handle;
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    if (!attached)
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

} // namespace Platform
