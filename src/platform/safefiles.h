#pragma once

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <functional>

namespace Platform {

// The one way the program touches a file where others can write: the users' settings, the
// shared settings under ProgramData, the package folder, a log file it was told to write. The
// program runs as an administrator or SYSTEM, so a link (a symbolic link, a junction, any
// reparse point) that a user planted there would let them read, write or delete through the
// program what they may not themselves.
//
// Every path is reached from its trusted root: the longest of the roots set here that holds it
// (the JAWS program folder, ProgramData, the package folder: folders no standard user can
// change), or the root of its volume. The root is taken as it is named; below it no name is
// followed: not the file, not a folder between. A user's AppData is no root: the user may point it
// anywhere, so it is walked from its volume's root like any folder. What is refused is left as
// it is, and the refusal names it.
//
// Natively each folder is opened from the root down with O_NOFOLLOW and the file opened, made,
// renamed or deleted relative to the last one (openat and its kin), so that nothing can be
// swapped between a check and its use. On Windows each name is opened with
// FILE_FLAG_OPEN_REPARSE_POINT and refused when its handle is a reparse point; the folder that
// holds the file is kept open without FILE_SHARE_DELETE while the file is worked on, so that
// neither it nor a folder above it can be renamed or replaced meanwhile, and the final path of
// each handle is compared with the path asked for.
class SafeFiles
{
public:
    enum class Outcome {
        Done,
        Failed,  // the system refused, or the file is missing
        Refused, // a link, or not a plain file or folder where one must be: left as it is
    };
    struct Refusal
    {
        QString path; // the name that was refused, as the system writes it
        bool link = true; // else: a name that is not what it must be (a pipe, a device, a folder)
    };

    // The roots trusted as they are named; they replace the earlier ones.
    static void setTrustedRoots(const QStringList &roots);
    static void addTrustedRoot(const QString &root);
    static QStringList trustedRoots();

    // The first name below the path's root that is a link or not a folder where a folder must
    // be, or the path itself when it is a link: what would be refused. Empty when nothing is;
    // a missing name ends the look.
    static QString linkOnTheWay(const QString &path);
    // Whether anything has that name, a link (dangling or not) included.
    static bool nameTaken(const QString &path);

    // The whole content of a plain file. Failed for a file that is missing or cannot be read.
    static Outcome read(const QString &path, QByteArray *bytes, Refusal *refusal = nullptr);
    // Makes `path`, which must not exist under any form, a link least of all, with `bytes`,
    // flushed to the disk before this returns. `modeOf`, when given, is a file whose access
    // rights the new one takes (a backup is no more readable than its original).
    static Outcome createNew(const QString &path, QByteArrayView bytes, const QString &modeOf = QString(),
                             Refusal *refusal = nullptr);
    // Replaces `path` (or makes it) with what `write` puts in the device: a new file beside it,
    // flushed, then renamed over it. Natively a file that was there keeps its access rights and
    // owner; on Windows the new file takes the rights its folder gives, as every file made there.
    // The old file stays whole when anything fails.
    static Outcome replace(const QString &path, const std::function<bool(QIODevice &)> &write, Refusal *refusal = nullptr);
    static Outcome replace(const QString &path, QByteArrayView bytes, Refusal *refusal = nullptr);
    // Deletes the file (or the link) by that name; never a folder.
    static Outcome remove(const QString &path, Refusal *refusal = nullptr);
    // Makes the missing folders of `path`; the names of those it made, parents first.
    static Outcome makeFolders(const QString &path, QStringList *made = nullptr, Refusal *refusal = nullptr);
    // Removes an empty folder; a link in its place is refused.
    static Outcome removeEmptyFolder(const QString &path, Refusal *refusal = nullptr);
    // Opens a file to be copied, for reading: a plain file, or natively a named pipe, read until
    // its writer closes it (what a pipe sends is its writer's, so no one else's file leaks).
    static Outcome openSource(const QString &path, QFile &file, Refusal *refusal = nullptr);
    // Opens a plain file into `file`, which then owns it: to read (QIODevice::ReadOnly), to read
    // and add to its end (ReadWrite | Append, made when missing), or to write it anew in place
    // (WriteOnly | Truncate, an existing file only). QIODevice::Text may be added.
    static Outcome open(const QString &path, QFile &file, QIODevice::OpenMode mode, Refusal *refusal = nullptr);
};

} // namespace Platform
