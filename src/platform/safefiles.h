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
    enum class Status {
        Done,
        Failed,  // the system refused, or the file is missing
        Refused, // a link, or not a plain file or folder where one must be: left as it is
    };
    // What a step came to, and, when the system failed it, the system's reason. It stands for
    // its status wherever one is taken (compared, switched on, kept), so a caller that only
    // tells Done from the rest need not know it is more. It is made from a status only on
    // purpose, so that `done ? SafeFiles::remove(path) : SafeFiles::Status::Failed` is a Status.
    class Result
    {
    public:
        explicit Result(Status status = Status::Done, int error = 0)
            : m_status(status)
            , m_error(error)
        {
        }
        operator Status() const { return m_status; }
        Status status() const { return m_status; }
        // The system's error code (errno natively, GetLastError on Windows); 0 when the step
        // was done, refused by the program, or failed for a reason the system did not give.
        int error() const { return m_error; }
        // The system's text for that code, as it words it (English on Windows where the system
        // has it); empty without a code.
        QString reason() const { return m_error ? errorText(m_error) : QString(); }

    private:
        Status m_status;
        int m_error;
    };
    struct Refusal
    {
        QString path; // the name that was refused, as the system writes it
        bool link = true; // else: a name that is not what it must be (a pipe, a device, a folder)
    };

    // The system's text for an error code of its own (errno natively, GetLastError on Windows),
    // without the line end Windows gives it.
    static QString errorText(int error);

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
    [[nodiscard]] static Result read(const QString &path, QByteArray *bytes, Refusal *refusal = nullptr);
    // Makes `path`, which must not exist under any form, a link least of all, with `bytes`,
    // flushed to the disk before this returns. `modeOf`, when given, is a file whose access
    // rights the new one takes (a backup is no more readable than its original).
    [[nodiscard]] static Result createNew(const QString &path, QByteArrayView bytes, const QString &modeOf = QString(),
                             Refusal *refusal = nullptr);
    // Replaces `path` (or makes it) with what `write` puts in the device: a new file beside it,
    // flushed, then renamed over it. Natively a file that was there keeps its access rights and
    // owner; on Windows the new file takes the rights its folder gives, as every file made there.
    // The old file stays whole when anything fails.
    [[nodiscard]] static Result replace(const QString &path, const std::function<bool(QIODevice &)> &write, Refusal *refusal = nullptr);
    [[nodiscard]] static Result replace(const QString &path, QByteArrayView bytes, Refusal *refusal = nullptr);
    // Deletes the file (or the link) by that name; never a folder.
    [[nodiscard]] static Result remove(const QString &path, Refusal *refusal = nullptr);
    // Makes the missing folders of `path`; the names of those it made, parents first.
    [[nodiscard]] static Result makeFolders(const QString &path, QStringList *made = nullptr, Refusal *refusal = nullptr);
    // Removes an empty folder; a link in its place is refused.
    static Result removeEmptyFolder(const QString &path, Refusal *refusal = nullptr);
    // Opens a file to be copied, for reading: a plain file, or natively a named pipe, read until
    // its writer closes it (what a pipe sends is its writer's, so no one else's file leaks).
    [[nodiscard]] static Result openSource(const QString &path, QFile &file, Refusal *refusal = nullptr);
    // Opens a plain file into `file`, which then owns it: to read (QIODevice::ReadOnly), to read
    // and add to its end (ReadWrite | Append, made when missing), to write it anew in place
    // (WriteOnly | Truncate, an existing file only), or to make it (WriteOnly | NewOnly: a name
    // that exists under any form fails; natively the new file is its owner's alone until the
    // caller gives it other rights). QIODevice::Text may be added.
    [[nodiscard]] static Result open(const QString &path, QFile &file, QIODevice::OpenMode mode, Refusal *refusal = nullptr);
    // Gives the file or folder `from` the name `to` on the same volume, in one step. A file
    // replaces a file of that name (the name itself, never what a link of that name points to),
    // never a folder; on Windows that replacement reaches the disk before this returns (natively
    // the caller flushes the file first). A folder takes a name that is free.
    [[nodiscard]] static Result rename(const QString &from, const QString &to, Refusal *refusal = nullptr);
    // Makes the folder `path`, whose parent must exist, as the program's own scratch place:
    // natively only its owner may use it and it stays root's when made by root (makeFolders
    // gives a folder to its parent's owner); on Windows it is hidden. One already there is taken
    // when it is a plain folder.
    [[nodiscard]] static Result makeOwnFolder(const QString &path, Refusal *refusal = nullptr);
};

} // namespace Platform
