#include "filecopy.h"

#include "platform/longpath_win.h"
#include "platform/safefiles.h"

#include <QDir>
#include <QFile>
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

// The copy as this system makes it; copyFileReplacing (filecopy.cpp) takes away what a failed one
// leaves.
SafeFiles::Result copyReplacing(const QString &source, const QString &destination)
{
    // The source, reached through no link, stays open without FILE_SHARE_DELETE until the copy
    // is made: neither it nor a folder above it can be swapped for a link meanwhile, so the copy
    // below, which opens it by name, reads that very file. The package folder is often one that
    // others may write.
    QFile pinned;
    SafeFiles::Result result = SafeFiles::openSource(source, pinned);
    if (result != SafeFiles::Status::Done)
        return result;
    const QString folder = temporaryCopyFolder(destination);
    const QString temporary = temporaryCopyPath(destination);
    // Made, or taken when a run that was killed left it, as a plain folder only: a link or
    // junction planted under that name by someone who may write in the destination's folder
    // would lead this elevated program to files elsewhere.
    result = SafeFiles::makeOwnFolder(folder);
    if (result != SafeFiles::Status::Done)
        return result; // the destination's folder is missing or takes nothing
    // CopyFileW takes names, not handles, so SafeFiles cannot make the copy itself. The folder
    // it writes into is held here, without FILE_SHARE_DELETE, as SafeFiles holds the folders it
    // walks, until the copy is in place: nobody can swap it for a junction between the check
    // above and the copy's use of its name. (FILE_LIST_DIRECTORY, so that the share mode
    // counts: a handle for its attributes alone would let it be renamed.)
    HANDLE held = CreateFileW(longPath(folder).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (held == INVALID_HANDLE_VALUE)
        return SafeFiles::Result(SafeFiles::Status::Failed, int(GetLastError()));
    struct Release
    {
        HANDLE handle;
        ~Release() { CloseHandle(handle); }
    } release{ held };
    FILE_ATTRIBUTE_TAG_INFO folderInfo = {};
    if (!GetFileInformationByHandleEx(held, FileAttributeTagInfo, &folderInfo, sizeof folderInfo)
        || !(folderInfo.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (folderInfo.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return SafeFiles::Result(SafeFiles::Status::Refused); // swapped since it was checked
    // A file left by a run that was killed goes first. If it cannot go, the copy below fails
    // and says why.
    (void)SafeFiles::remove(temporary);
    const std::wstring to = longPath(temporary);
    // CopyFileW keeps the source's attributes and is the system's fastest copy; it fails on a
    // name that exists, a link included. The rename then swaps the whole file in, or fails and
    // leaves the old one (held open by a running program, a folder in the way).
    if (!CopyFileW(longPath(source).c_str(), to.c_str(), TRUE))
        return SafeFiles::Result(SafeFiles::Status::Failed, int(GetLastError()));
    // Attributes of the program's own new file, in the folder held above.
    DeleteFileW((to + L":Zone.Identifier").c_str()); // a package from the web marks its files
    SetFileAttributesW(to.c_str(), GetFileAttributesW(to.c_str()) & ~FILE_ATTRIBUTE_READONLY);
    // A file that takes another's place is on the disk before its name is, and the rename is
    // written through: after a power cut the name holds the old content or the new, never an
    // empty or half-written one.
    if (SafeFiles::nameTaken(destination) && !flushPath(to))
        return SafeFiles::Result(SafeFiles::Status::Failed, int(GetLastError()));
    return SafeFiles::rename(temporary, destination);
}

bool flushFile(const QString &path)
{
    // Not through SafeFiles: opened only to be flushed, nothing is read or written through the
    // name, so a link on the way could only flush another file.
    return flushPath(longPath(path)) && flushPath(longPath(QFileInfo(path).absolutePath()));
}

void forgetWebOrigin(const QString &path)
{
    // The stream of a file the program has just made in a folder of its own choosing, named by
    // the system's stream syntax, which SafeFiles does not take.
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
