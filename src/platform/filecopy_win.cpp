#include "filecopy.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

namespace Platform {

bool copyFileReplacing(const QString &source, const QString &destination)
{
    static long counter = 0;
    const QFileInfo target(destination);
    const std::wstring from = QDir::toNativeSeparators(source).toStdWString();
    const std::wstring to = QDir::toNativeSeparators(target.absoluteFilePath()).toStdWString();
    const std::wstring temporary = QDir::toNativeSeparators(
        target.absolutePath() + QStringLiteral("/.%1.%2-%3.iqotmp")
                                    .arg(target.fileName())
                                    .arg(GetCurrentProcessId())
                                    .arg(InterlockedIncrement(&counter))).toStdWString();
    // CopyFileW keeps the source's attributes and is the system's fastest copy; the rename
    // then swaps the whole file in, or fails and leaves the old one (held open by a running
    // program, a folder in the way).
    if (!CopyFileW(from.c_str(), temporary.c_str(), TRUE))
        return false;
    SetFileAttributesW(temporary.c_str(), GetFileAttributesW(temporary.c_str()) & ~FILE_ATTRIBUTE_READONLY);
    if (MoveFileExW(temporary.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}

} // namespace Platform
