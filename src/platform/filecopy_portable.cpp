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

bool copyFileReplacing(const QString &source, const QString &destination)
{
    // Read through no link: the package folder is often one that others may write.
    QFile in;
    if (SafeFiles::openSource(source, in) != SafeFiles::Outcome::Done)
        return false;
    const QByteArray target = QFile::encodeName(QFileInfo(destination).absoluteFilePath());
    const QByteArray folder = QFile::encodeName(temporaryCopyFolder(destination));
    // The folder may be there already, left by a run that was killed, with its temporary file;
    // that file goes first. The file is then made anew, never through a link put in its place.
    if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return false; // the destination's folder is missing or takes nothing
    // Only a plain folder, never a link planted under its name that leads elsewhere; the file is
    // made and renamed relative to the folder as opened, so that it cannot be swapped meanwhile.
    const int held = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (held < 0)
        return false;
    const QByteArray name = QFile::encodeName(QFileInfo(destination).fileName());
    bool ok = ::unlinkat(held, name.constData(), 0) == 0 || errno == ENOENT;
    const int out = ok ? ::openat(held, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600) : -1;
    ok = out >= 0;
    if (ok) {
        ok = copyContents(in.handle(), out);
        // The source's permissions, as a copy with cp keeps them.
        struct stat status;
        // Never a set-user or set-group bit: a user's file copied by root would become root's program.
        ok = ok && ::fstat(in.handle(), &status) == 0 && ::fchmod(out, status.st_mode & 0777) == 0;
        // A file that takes another's place is on the disk before its name is: after a power
        // cut the name holds the old content or the new, never an empty or half-written file.
        struct stat existing;
        if (ok && ::stat(target.constData(), &existing) == 0)
            ok = ::fsync(out) == 0;
        ok = ::close(out) == 0 && ok;
        // rename() swaps the whole file in at once, or fails (a folder in the way) and changes
        // nothing.
        ok = ok && ::renameat(held, name.constData(), AT_FDCWD, target.constData()) == 0;
        if (!ok)
            ::unlinkat(held, name.constData(), 0);
    }
    ::close(held);
    return ok;
}

bool isNamedPipe(const QString &path)
{
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
