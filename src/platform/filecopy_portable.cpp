#include "filecopy.h"

#include "platform/safefiles.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <memory>
#include <cstdio>
#include <unistd.h>
#if defined(Q_OS_LINUX)
#include <sys/syscall.h>
#endif

namespace Platform {

namespace {

// Copies every byte from one open file to another: in the kernel where it can (no copy through
// user space, as cp does), else through a buffer of 1 MiB. A source that is no plain file (a
// named pipe) is read until its writer closes it, whatever size it claims.
bool copyContents(int from, int to)
{
    struct stat status;
    if (::fstat(from, &status) != 0)
        return false;
#if defined(Q_OS_LINUX) && defined(SYS_copy_file_range)
    if (S_ISREG(status.st_mode)) {
        qint64 total = 0;
        for (;;) {
            const ssize_t copied = ::syscall(SYS_copy_file_range, from, nullptr, to, nullptr, size_t(1) << 30, 0u);
            // Some file systems answer 0 at once without copying: then the buffer below.
            if (copied == 0 && total == status.st_size)
                return true;
            if (copied == 0)
                break;
            if (copied > 0)
                total += copied;
            if (copied < 0) {
                if (errno == EINTR)
                    continue;
                if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)
                    break; // not between these two files: the buffer below
                return false;
            }
        }
        // The buffer starts again from the beginning, whatever the kernel copied before it gave up.
        if (::lseek(from, 0, SEEK_SET) < 0 || ::lseek(to, 0, SEEK_SET) < 0 || ::ftruncate(to, 0) < 0)
            return false;
    }
#endif
    static constexpr size_t bufferSize = size_t(1) << 20;
    std::unique_ptr<char[]> buffer(new char[bufferSize]);
    for (;;) {
        const ssize_t read = ::read(from, buffer.get(), bufferSize);
        if (read == 0)
            return true;
        if (read < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        for (ssize_t written = 0; written < read;) {
            const ssize_t n = ::write(to, buffer.get() + written, size_t(read - written));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            written += n;
        }
    }
}

} // namespace

// The copy as this system makes it; copyFileReplacing (filecopy.cpp) takes away what a failed one
// leaves.
SafeFiles::Result copyReplacing(const QString &source, const QString &destination)
{
    // Read through no link: the package folder is often one that others may write.
    QFile in;
    SafeFiles::Result result = SafeFiles::openSource(source, in);
    if (result != SafeFiles::Status::Done)
        return result;
    // The folder may be there already, left by a run that was killed, with its temporary file;
    // that file goes first. The file is then made anew, never through a link put in its place.
    const QString temporary = temporaryCopyPath(destination);
    result = SafeFiles::makeOwnFolder(temporaryCopyFolder(destination));
    if (result != SafeFiles::Status::Done)
        return result; // the destination's folder is missing or takes nothing
    result = SafeFiles::remove(temporary);
    if (result == SafeFiles::Status::Refused || (result == SafeFiles::Status::Failed && result.error() != ENOENT))
        return result;
    QFile out;
    result = SafeFiles::open(temporary, out, QIODevice::WriteOnly | QIODevice::NewOnly);
    if (result != SafeFiles::Status::Done)
        return result;
    // A step that failed always counts as failed, whatever errno holds by then.
    const auto systemError = [] { return errno ? errno : EIO; };
    int error = copyContents(in.handle(), out.handle()) ? 0 : systemError();
    // The source's permissions, as a copy with cp keeps them. Never a set-user or set-group bit:
    // a user's file copied by root would become root's program.
    struct stat status;
    if (!error && (::fstat(in.handle(), &status) != 0 || ::fchmod(out.handle(), status.st_mode & 0777) != 0))
        error = systemError();
    // A file that takes another's place is on the disk before its name is: after a power cut
    // the name holds the old content or the new, never an empty or half-written file.
    if (!error && SafeFiles::nameTaken(destination) && ::fsync(out.handle()) != 0)
        error = systemError();
    out.close();
    if (!error && out.error() != QFileDevice::NoError)
        error = systemError();
    // The rename swaps the whole file in at once, or fails (a folder in the way) and changes
    // nothing.
    return error ? SafeFiles::Result(SafeFiles::Status::Failed, error) : SafeFiles::rename(temporary, destination);
}

bool isNamedPipe(const QString &path)
{
    // A look at the name only; the copy itself opens it through SafeFiles, which tells a pipe
    // from a link.
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

bool flushToDisk(const QStringList &paths)
{
    // One syncfs per file system: it writes out everything written there (data, names, folders)
    // in one go, where a flush per file would wait for the disk once for each.
    QList<dev_t> flushed;
    QStringList oneByOne;
    for (const QString &path : paths) {
        // Not through SafeFiles: opened only to be flushed, nothing is read or written through
        // the name, so a link on the way could only flush another file system.
        const QByteArray name = QFile::encodeName(path);
        const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return false; // what is not there cannot be on the disk
        struct stat status;
        bool ok = ::fstat(fd, &status) == 0;
        if (ok && !flushed.contains(status.st_dev)) {
#if defined(Q_OS_LINUX)
            ok = ::syncfs(fd) == 0;
#else
            ::sync();
#endif
            if (ok)
                flushed.append(status.st_dev);
        }
        ::close(fd);
        if (!ok)
            oneByOne.append(path);
    }
    // Where the file system could not be flushed as a whole: each path, and the folder that holds
    // its name.
    for (const QString &path : std::as_const(oneByOne)) {
        for (const QString &each : { path, QFileInfo(path).absolutePath() }) {
            const int fd = ::open(QFile::encodeName(each).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            const bool ok = fd >= 0 && ::fsync(fd) == 0;
            if (fd >= 0)
                ::close(fd);
            if (!ok)
                return false;
        }
    }
    return true;
}

bool flushFile(const QString &path)
{
    // Opened only to be flushed, as in flushToDisk: nothing goes through the name.
    for (const QString &each : { path, QFileInfo(path).absolutePath() }) {
        const int fd = ::open(QFile::encodeName(each).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        const bool ok = fd >= 0 && ::fsync(fd) == 0;
        if (fd >= 0)
            ::close(fd);
        if (!ok)
            return false;
    }
    return true;
}

void forgetWebOrigin(const QString &)
{
}

} // namespace Platform
