#pragma once

#include <QString>
#include <QStringList>

namespace Platform {

// Copies `source` over `destination` without ever leaving a partial file there: the data goes
// to a temporary file beside the destination, which then takes the destination's place in one
// rename. False when any step fails; the destination is then exactly as it was, and no
// temporary file is left. Where a file already exists, the new content reaches the disk
// before the rename, so that a power cut leaves the old file or the new one, never an empty
// or half-written one. A new file is not flushed on its own: its source stays in the package
// until flushToDisk has put the whole copy on the disk. A source that is a named pipe is read
// until its writer closes it. Full paths longer than MAX_PATH work on Windows. Every name is
// reached through SafeFiles, never through a link. `reason`, when given, takes the system's
// reason for a failure (empty when it gave none, as for a link refused).
bool copyFileReplacing(const QString &source, const QString &destination, QString *reason = nullptr);

// Puts on the disk what has been written to `paths` (files or folders) and their names: one
// flush of each volume that holds them (natively syncfs; on Windows a flush of the volume,
// which needs the administrator's rights the program runs with), else each path on its own.
// False when a path is missing or could not be flushed.
bool flushToDisk(const QStringList &paths);

// Puts one file on the disk, and the folder entry that names it, without flushing the whole
// volume: what must be there before something else changes (a backup before the file it keeps
// is replaced), where flushToDisk would write out every file of the volume each time. False when
// the file is missing or could not be flushed.
bool flushFile(const QString &path);

// Removes the mark Windows keeps on a file that came from the web (its Zone.Identifier stream,
// which CopyFileW carries to the copy): help files would show blank pages, and programs would
// carry the web's warning. Nothing on other systems.
void forgetWebOrigin(const QString &path);

// The temporary file that copyFileReplacing uses for `destination`: the destination's own name
// in a folder of the copy's own within the destination's folder. The name is never longer than
// the destination's, so a name near the file-name limit still has one; it is always the same
// for the same destination, so that the file left by a run that was killed is taken over and
// removed by the next copy of that file; and it cannot be the name of anyone else's file.
QString temporaryCopyPath(const QString &destination);
// That folder, for `destination`; it exists only while a copy is under way. It is kept from one
// file to the next (making and removing a folder for each file costs the disk two more changes
// per file than the copy itself), so whoever copies removes it at the end.
QString temporaryCopyFolder(const QString &destination);
// Removes the temporary folders of copies into `destinations` that are empty: once the copies
// into them have ended, whichever way.
void removeTemporaryCopyFolders(const QStringList &destinations);

// Whether `path` is a named pipe (a FIFO), whose content is what its writer sends; never on
// Windows, where no folder holds one.
bool isNamedPipe(const QString &path);

} // namespace Platform
