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

// The alternative, a second process started from a copy in the temporary folder that waits for
// this one and then deletes the folder, would either end before the removal has (and a
// deployment tool would take its exit code) or need this process to wait for it.
void putAsideUntilRestart(const QString &path)
{
    wchar_t temporaryFolder[MAX_PATH + 1] = {};
    wchar_t aside[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temporaryFolder);
    // GetTempFileNameW makes an empty file of a name no one else uses, which the move replaces.
    if (length > 0 && length <= MAX_PATH && GetTempFileNameW(temporaryFolder, L"iqo", 0, aside) != 0) {
        if (MoveFileExW(wide(path), aside, MOVEFILE_REPLACE_EXISTING)) {
            MoveFileExW(aside, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
            return;
        }
        DeleteFileW(aside);
    }
    MoveFileExW(wide(path), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
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
            putAsideUntilRestart(path);
    }
    // The deepest first; a folder that still holds a file left for the restart is deleted then,
    // after its files, in the order the deletions were asked for.
    std::sort(folders.begin(), folders.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &path : folders) {
        if (!RemoveDirectoryW(wide(path)))
            MoveFileExW(wide(path), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    return !QFileInfo::exists(folder);
}

} // namespace Platform
