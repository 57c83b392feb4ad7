#include "filecopy.h"

#include "platform/longpath_win.h"
#include "platform/safefiles.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace Platform {

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

namespace {

// Removes a file whatever its attributes: a temporary copy of a read-only source is read-only.
bool removeFile(const std::wstring &path)
{
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

// Writes out what the system still holds in memory of a file, or of a folder's entries
// (FlushFileBuffers needs a handle with write access; a folder opens only with backup semantics).
bool flushPath(const std::wstring &path)
{
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = FlushFileBuffers(handle);
    CloseHandle(handle);
    return ok;
}

// The device of the volume that holds `path` ("\\?\Volume{...}", no trailing backslash),
// as a volume flush opens it; empty when it cannot be told. A volume mounted in a folder is
// told apart from the drive that holds the folder.
std::wstring volumeDevice(const QString &path)
{
    const std::wstring plain = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdWString();
    wchar_t mountPoint[MAX_PATH + 1] = {};
    wchar_t volume[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(plain.c_str(), mountPoint, MAX_PATH)
        || !GetVolumeNameForVolumeMountPointW(mountPoint, volume, MAX_PATH))
        return std::wstring();
    std::wstring device(volume);
    if (!device.empty() && device.back() == L'\\')
        device.pop_back(); // with it, the name is the volume's root folder, not the volume
    return device;
}

// Flushes a whole volume: every file written on it, their names and folders, in one request.
bool flushVolume(const std::wstring &device)
{
    HANDLE handle = CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = FlushFileBuffers(handle);
    CloseHandle(handle);
    return ok;
}

} // namespace

bool copyFileReplacing(const QString &source, const QString &destination)
{
    // The source, reached through no link, stays open without FILE_SHARE_DELETE until the copy
    // is made: neither it nor a folder above it can be swapped for a link meanwhile, so the copy
    // below, which opens it by name, reads that very file. The package folder is often one that
    // others may write.
    QFile pinned;
    if (SafeFiles::openSource(source, pinned) != SafeFiles::Outcome::Done)
        return false;
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
    // in the destination's folder would lead this elevated program to files elsewhere. It is
    // judged by a handle that stays open, without FILE_SHARE_DELETE, until the copy is in
    // place: nobody can swap it for a junction between the check and its use.
    // (FILE_LIST_DIRECTORY, so that the share mode counts: a handle for its attributes alone
    // would let it be renamed.)
    HANDLE held = CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (held == INVALID_HANDLE_VALUE)
        return false;
    FILE_ATTRIBUTE_TAG_INFO folderInfo = {};
    const bool plainFolder = GetFileInformationByHandleEx(held, FileAttributeTagInfo, &folderInfo, sizeof folderInfo)
        && (folderInfo.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(folderInfo.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    struct Release
    {
        HANDLE handle;
        ~Release() { CloseHandle(handle); }
    } release{ held };
    if (!plainFolder)
        return false;
    const DWORD leftover = GetFileAttributesW(temporary.c_str());
    if (leftover != INVALID_FILE_ATTRIBUTES && !(leftover & FILE_ATTRIBUTE_DIRECTORY))
        removeFile(temporary);
    // CopyFileW keeps the source's attributes and is the system's fastest copy; the rename
    // then swaps the whole file in, or fails and leaves the old one (held open by a running
    // program, a folder in the way).
    bool ok = CopyFileW(from.c_str(), temporary.c_str(), TRUE);
    if (ok) {
        DeleteFileW((temporary + L":Zone.Identifier").c_str()); // a package from the web marks its files
        SetFileAttributesW(temporary.c_str(), GetFileAttributesW(temporary.c_str()) & ~FILE_ATTRIBUTE_READONLY);
        // A file that takes another's place is on the disk before its name is, and the rename
        // is written through: after a power cut the name holds the old content or the new,
        // never an empty or half-written file.
        DWORD moveFlags = MOVEFILE_REPLACE_EXISTING;
        if (GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES) {
            ok = flushPath(temporary);
            moveFlags |= MOVEFILE_WRITE_THROUGH;
        }
        ok = ok && MoveFileExW(temporary.c_str(), to.c_str(), moveFlags);
        if (!ok)
            removeFile(temporary);
    }
    return ok;
}

bool flushFile(const QString &path)
{
    return flushPath(longPath(path)) && flushPath(longPath(QFileInfo(path).absolutePath()));
}

void forgetWebOrigin(const QString &path)
{
    DeleteFileW((longPath(path) + L":Zone.Identifier").c_str());
}

bool isNamedPipe(const QString &)
{
    return false;
}

bool flushToDisk(const QStringList &paths)
{
    std::vector<std::wstring> flushed;
    for (const QString &path : paths) {
        const std::wstring name = longPath(path);
        if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES)
            return false; // what is not there cannot be on the disk
        const std::wstring device = volumeDevice(path);
        if (!device.empty() && std::find(flushed.begin(), flushed.end(), device) != flushed.end())
            continue;
        if (!device.empty() && flushVolume(device)) {
            flushed.push_back(device);
            continue;
        }
        // Without the right to flush the volume: the file, and the folder that holds its name.
        if (!flushPath(name) || !flushPath(longPath(QFileInfo(path).absolutePath())))
            return false;
    }
    return true;
}

} // namespace Platform
