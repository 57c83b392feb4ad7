#include "folderremoval.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

#include <windows.h>

namespace Platform {

namespace {

const wchar_t *wide(const QString &path)
{
    return reinterpret_cast<const wchar_t *>(path.utf16());
}

// The volume that holds `path` ("C:\\", or a folder a volume is mounted in); empty when it cannot
// be told.
QString volumeOf(const QString &path)
{
    wchar_t volume[MAX_PATH + 1] = {};
    return GetVolumePathNameW(wide(QDir::toNativeSeparators(path)), volume, MAX_PATH) ? QString::fromWCharArray(volume) : QString();
}

// Moves a file Windows will not delete now (a running program, a DLL it loaded) out of the folder
// under a name of its own, and deletes it under that name when Windows next starts: never under
// the path it had, which a later installation may fill with a new program before that restart.
// The temporary folder when it lies on the same volume (a move to another would be a copy, which
// a running program refuses), else `beside`, the folder that held the removed one.
//
// The alternative, a second process started from a copy in the temporary folder that waits for
// this one and then deletes the folder, would either end before the removal has (and a
// deployment tool would take its exit code) or need this process to wait for it.
void putAsideUntilRestart(const QString &path, const QString &beside)
{
    wchar_t temporaryFolder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temporaryFolder);
    QStringList places;
    const QString volume = volumeOf(path);
    if (length > 0 && length <= MAX_PATH && !volume.isEmpty()
        && volumeOf(QString::fromWCharArray(temporaryFolder)).compare(volume, Qt::CaseInsensitive) == 0)
        places << QString::fromWCharArray(temporaryFolder);
    places << QDir::toNativeSeparators(beside);
    for (const QString &place : std::as_const(places)) {
        wchar_t aside[MAX_PATH] = {};
        // GetTempFileNameW makes an empty file of a name no one else uses, which the move replaces.
        if (GetTempFileNameW(wide(place), L"iqo", 0, aside) == 0)
            continue;
        if (MoveFileExW(wide(path), aside, MOVEFILE_REPLACE_EXISTING)) {
            MoveFileExW(aside, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
            return;
        }
        DeleteFileW(aside);
    }
    // Not moved: it stays, and so does its folder; the removal says the folder is not gone.
}

} // namespace

bool removeFolderInUse(const QString &folder)
{
    if (!QFileInfo::exists(folder))
        return true;
    QStringList folders{ QDir::toNativeSeparators(folder) };
    QDirIterator entries(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = QDir::toNativeSeparators(entries.next());
        const QFileInfo info = entries.fileInfo();
        if (info.isDir() && !info.isSymLink()) {
            folders << path;
            continue;
        }
        // A read-only file is deleted too: the folder is ours.
        SetFileAttributesW(wide(path), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileW(wide(path)))
            putAsideUntilRestart(path, QFileInfo(folder).absolutePath());
    }
    // The deepest first. A folder that still holds a file that could not be moved stays: deleted
    // at the restart under its own name, it could take a folder made there since with it.
    std::sort(folders.begin(), folders.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &path : folders)
        RemoveDirectoryW(wide(path));
    return !QFileInfo::exists(folder);
}

} // namespace Platform
