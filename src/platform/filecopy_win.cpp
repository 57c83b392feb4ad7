#include "filecopy.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

#include <string>

namespace Platform {

namespace {

// The path in the form that the file functions take beyond MAX_PATH characters: "\\?\C:\..."
// or "\\?\UNC\server\share\...". That form is taken literally (no "." or "..", no forward
// slashes), so the path is made absolute and clean first.
std::wstring longPath(const QString &path)
{
    QString native = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (native.startsWith(QLatin1String("\\\\?\\")))
        return native.toStdWString();
    if (native.startsWith(QLatin1String("\\\\")))
        native = QStringLiteral("\\\\?\\UNC\\") + native.mid(2);
    else if (native.size() >= 2 && native.at(1) == QLatin1Char(':'))
        native = QStringLiteral("\\\\?\\") + native;
    return native.toStdWString();
}

// Removes a file whatever its attributes: a temporary copy of a read-only source is read-only.
bool removeFile(const std::wstring &path)
{
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

} // namespace

bool copyFileReplacing(const QString &source, const QString &destination)
{
    const std::wstring from = longPath(source);
    const std::wstring to = longPath(destination);
    const std::wstring folder = longPath(temporaryCopyFolder(destination));
    const std::wstring temporary = longPath(temporaryCopyPath(destination));
    // The folder may be there already, left by a run that was killed, with its temporary file;
    // that file goes first. If it cannot go, the copy below fails and says so.
    if (CreateDirectoryW(folder.c_str(), nullptr))
        // Hidden, as its dot hides it elsewhere: should a killed run leave it, no listing of
        // language folders takes it for one.
        SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_HIDDEN);
    else if (GetLastError() != ERROR_ALREADY_EXISTS)
        return false; // the destination's folder is missing or takes nothing
    // Only a plain folder: a link or junction planted under that name by someone who may write
    // in the destination's folder would lead this elevated program to files elsewhere.
    const DWORD folderAttributes = GetFileAttributesW(folder.c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY)
        || (folderAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    const DWORD leftover = GetFileAttributesW(temporary.c_str());
    if (leftover != INVALID_FILE_ATTRIBUTES && !(leftover & FILE_ATTRIBUTE_DIRECTORY))
        removeFile(temporary);
    // CopyFileW keeps the source's attributes and is the system's fastest copy; the rename
    // then swaps the whole file in, or fails and leaves the old one (held open by a running
    // program, a folder in the way).
    bool ok = CopyFileW(from.c_str(), temporary.c_str(), TRUE);
    if (ok) {
        SetFileAttributesW(temporary.c_str(), GetFileAttributesW(temporary.c_str()) & ~FILE_ATTRIBUTE_READONLY);
        ok = MoveFileExW(temporary.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING);
        if (!ok)
            removeFile(temporary);
    }
    // Only when empty: another copy may be under way in it.
    RemoveDirectoryW(folder.c_str());
    return ok;
}

} // namespace Platform
