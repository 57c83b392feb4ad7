#include "filecopy.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <memory>
#include <cstdio>
#include <unistd.h>
#if defined(Q_OS_LINUX)
#include <sys/syscall.h>
#endif

namespace Platform {

namespace {

// Copies every byte from one open file to another: in the kernel where it can (no copy through
// user space, as cp does), else through a buffer of 1 MiB.
bool copyContents(int from, int to, qint64 size)
{
#if defined(Q_OS_LINUX) && defined(SYS_copy_file_range)
    qint64 total = 0;
    for (;;) {
        const ssize_t copied = ::syscall(SYS_copy_file_range, from, nullptr, to, nullptr, size_t(1) << 30, 0u);
        // Some file systems answer 0 at once without copying: then the buffer below.
        if (copied == 0 && total == size)
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
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QFileInfo target(destination);
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX.iqotmp"));
    if (!temporary.open())
        return false; // the folder is missing or takes no file; the temporary object removes nothing
    bool ok = copyContents(in.handle(), temporary.handle(), in.size());
    ok = ok && temporary.setPermissions(in.permissions());
    temporary.close();
    if (!ok)
        return false; // the temporary file removes itself
    // rename() swaps the whole file in at once, or fails (a folder in the way) and changes nothing.
    if (::rename(QFile::encodeName(temporary.fileName()).constData(),
                 QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return false;
    temporary.setAutoRemove(false);
    return true;
}

} // namespace Platform
