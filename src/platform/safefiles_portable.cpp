#include "safefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {

qsizetype trustedRootLength(const QString &path, bool below);

namespace {

class Fd
{
public:
    explicit Fd(int fd = -1)
        : m_fd(fd)
    {
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    ~Fd() { reset(); }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

enum class Walk { Ok, Missing, Refused, Failed };

// What a walk came to, and the system's error when it failed or found a name missing.
struct Walked
{
    Walk walk = Walk::Ok;
    int error = 0;
};

Walked failedWith(int error)
{
    return { error == ENOENT ? Walk::Missing : Walk::Failed, error };
}

// Folders are opened only to be walked through: no right to list them is needed.
#ifdef O_PATH
constexpr int folderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#else
constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#endif

QString cleanAbsolute(const QString &path)
{
    return QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath());
}

void refuse(SafeFiles::Refusal *refusal, const QString &path, bool link)
{
    if (refusal)
        *refusal = { QDir::toNativeSeparators(path), link };
}

SafeFiles::Result done()
{
    return SafeFiles::Result(SafeFiles::Status::Done);
}

SafeFiles::Result refused()
{
    return SafeFiles::Result(SafeFiles::Status::Refused);
}

// A failure the system gave, with its reason: taken right after the call that failed, before
// anything else can change errno.
SafeFiles::Result failed(int error = errno)
{
    return SafeFiles::Result(SafeFiles::Status::Failed, error);
}

SafeFiles::Result resultOf(const Walked &walked)
{
    return walked.walk == Walk::Refused ? refused() : failed(walked.error);
}

// A folder made where the program runs as root in someone else's folder is theirs, as the
// folder's rights would make it on Windows: the user must still be able to change their settings.
void takeOwnerOf(int fd, const char *name, const struct stat &like)
{
    if (::geteuid() == 0)
        (void)::fchownat(fd, name, like.st_uid, like.st_gid, AT_SYMLINK_NOFOLLOW);
}

// Opens, from the path's trusted root down, every folder but the last name's (or every one,
// `allFolders`) with O_NOFOLLOW; `create` makes the missing ones.
Walked walk(const QString &path, bool allFolders, bool create, Fd *folder, QByteArray *leaf, SafeFiles::Refusal *refusal,
            QStringList *made = nullptr)
{
    const QString clean = cleanAbsolute(path);
    const qsizetype rootLength = trustedRootLength(clean, !allFolders);
    const QString root = rootLength > 0 ? clean.left(rootLength) : QStringLiteral("/");
    folder->reset(::open(QFile::encodeName(root).constData(), (folderFlags & ~O_NOFOLLOW)));
    if (folder->get() < 0)
        return failedWith(errno);
    const QStringList names = clean.mid(rootLength).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!allFolders && names.isEmpty())
        return { Walk::Failed, EISDIR }; // a root is never a file to work on
    QString walked = root;
    const qsizetype folders = allFolders ? names.size() : names.size() - 1;
    for (qsizetype i = 0; i < folders; ++i) {
        if (!walked.endsWith(QLatin1Char('/')))
            walked += QLatin1Char('/');
        walked += names.at(i);
        const QByteArray name = QFile::encodeName(names.at(i));
        int next = ::openat(folder->get(), name.constData(), folderFlags);
        if (next < 0 && errno == ENOENT && create) {
            struct stat parent;
            if (::mkdirat(folder->get(), name.constData(), 0755) == 0) {
                if (::fstat(folder->get(), &parent) == 0)
                    takeOwnerOf(folder->get(), name.constData(), parent);
                if (made)
                    *made << QDir::toNativeSeparators(walked);
            } else if (errno != EEXIST) {
                return failedWith(errno);
            }
            next = ::openat(folder->get(), name.constData(), folderFlags);
        }
        if (next < 0) {
            const int error = errno;
            struct stat status;
            if (error == ELOOP || error == ENOTDIR) {
                const bool link = ::fstatat(folder->get(), name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode);
                refuse(refusal, walked, link || error == ELOOP);
                return { Walk::Refused, 0 };
            }
            return failedWith(error);
        }
        folder->reset(next);
    }
    if (leaf && !allFolders)
        *leaf = QFile::encodeName(names.constLast());
    return {};
}

// Sets errno when it fails.
bool writeAll(int fd, QByteArrayView bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = EIO;
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

// Opens a name of `folder` that must be a plain file, never through a link. Not blocking, so
// that a named pipe put in its place is refused instead of holding the run; a plain file that
// another program holds under a lease (a file server's) is then waited for, as any open would.
int openPlain(int folder, const QByteArray &leaf, int flags, mode_t mode = 0644)
{
    const int fd = ::openat(folder, leaf.constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode);
    if (fd >= 0 || (errno != EWOULDBLOCK && errno != EAGAIN))
        return fd;
    const int error = errno;
    struct stat status;
    if (::fstatat(folder, leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(status.st_mode)) {
        errno = error;
        return -1;
    }
    return ::openat(folder, leaf.constData(), flags | O_NOFOLLOW | O_CLOEXEC, mode);
}

// Walks to `path` and opens it, a plain file only, never through a link (openPlain); blocking
// reads afterwards.
SafeFiles::Result openPlainFile(const QString &path, int flags, Fd *opened, struct stat *status, SafeFiles::Refusal *refusal,
                                mode_t mode = 0644)
{
    Fd folder;
    QByteArray leaf;
    const Walked walked = walk(path, false, false, &folder, &leaf, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    opened->reset(openPlain(folder.get(), leaf, flags, mode));
    if (opened->get() < 0) {
        if (errno == ELOOP) {
            refuse(refusal, cleanAbsolute(path), true);
            return refused();
        }
        return failed();
    }
    if (::fstat(opened->get(), status) != 0)
        return failed();
    if (!S_ISREG(status->st_mode)) {
        refuse(refusal, cleanAbsolute(path), false);
        return refused();
    }
    const int statusFlags = ::fcntl(opened->get(), F_GETFL);
    if (statusFlags >= 0)
        ::fcntl(opened->get(), F_SETFL, statusFlags & ~O_NONBLOCK);
    return done();
}

// A name of the program's own beside the file: short enough for any folder, never a user's.
QByteArray temporaryName()
{
    return QByteArrayLiteral(".iqo") + QByteArray::number(QRandomGenerator::system()->generate64(), 16) + QByteArrayLiteral(".tmp");
}

// strerror_r comes in two forms; each overload takes the text from where its form puts it.
[[maybe_unused]] const char *textOf(int answer, const char *buffer)
{
    return answer == 0 ? buffer : nullptr;
}
[[maybe_unused]] const char *textOf(const char *answer, const char *)
{
    return answer;
}

} // namespace

QString SafeFiles::errorText(int error)
{
    char buffer[256] = {};
    const char *text = textOf(::strerror_r(error, buffer, sizeof buffer), buffer);
    return text ? QString::fromLocal8Bit(text) : QStringLiteral("error %1").arg(error);
}

QString SafeFiles::linkOnTheWay(const QString &path)
{
    Fd folder;
    QByteArray leaf;
    Refusal refusal;
    const Walked walked = walk(path, false, false, &folder, &leaf, &refusal);
    if (walked.walk == Walk::Refused)
        return refusal.path;
    struct stat status;
    if (walked.walk == Walk::Ok && ::fstatat(folder.get(), leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode))
        return QDir::toNativeSeparators(cleanAbsolute(path));
    return QString();
}

bool SafeFiles::nameTaken(const QString &path)
{
    Fd folder;
    QByteArray leaf;
    struct stat status;
    const Walked walked = walk(path, false, false, &folder, &leaf, nullptr);
    // A name behind a link is taken as far as the program is concerned: it writes nothing there.
    return walked.walk == Walk::Refused
        || (walked.walk == Walk::Ok && ::fstatat(folder.get(), leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0);
}

SafeFiles::Result SafeFiles::read(const QString &path, QByteArray *bytes, Refusal *refusal)
{
    // Not blocking: a named pipe in a settings folder must not hold the run before it is refused.
    Fd file;
    struct stat status;
    const Result opened = openPlainFile(path, O_RDONLY, &file, &status, refusal);
    if (opened != Status::Done)
        return opened;
    QByteArray content(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype total = 0;
    for (;;) {
        if (total == content.size())
            content.resize(content.size() * 2);
        const ssize_t n = ::read(file.get(), content.data() + total, size_t(content.size() - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed();
        if (n == 0)
            break;
        total += n;
    }
    content.resize(total);
    *bytes = content;
    return done();
}

SafeFiles::Result SafeFiles::createNew(const QString &path, QByteArrayView bytes, const QString &modeOf, Refusal *refusal)
{
    Fd folder;
    QByteArray leaf;
    const Walked walked = walk(path, false, false, &folder, &leaf, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    struct stat like;
    const bool hasModel = !modeOf.isEmpty() && ::lstat(QFile::encodeName(cleanAbsolute(modeOf)).constData(), &like) == 0 && S_ISREG(like.st_mode);
    if (!hasModel && ::fstat(folder.get(), &like) != 0)
        return failed();
    // O_EXCL: a name that exists, a dangling link included, is never written through.
    Fd file(::openat(folder.get(), leaf.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     hasModel ? (like.st_mode & 0777) : 0644));
    if (file.get() < 0)
        return failed();
    bool ok = writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    if (ok && hasModel)
        ok = ::fchmod(file.get(), like.st_mode & 0777) == 0; // whatever the umask
    const int error = ok ? 0 : errno;
    if (ok && ::geteuid() == 0)
        (void)::fchown(file.get(), like.st_uid, like.st_gid);
    file.reset();
    if (!ok) {
        ::unlinkat(folder.get(), leaf.constData(), 0);
        return failed(error);
    }
    return done();
}

SafeFiles::Result SafeFiles::replace(const QString &path, const std::function<bool(QIODevice &)> &write, Refusal *refusal)
{
    Fd folder;
    QByteArray leaf;
    const Walked walked = walk(path, false, false, &folder, &leaf, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    struct stat old;
    const bool existed = ::fstatat(folder.get(), leaf.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (existed && !S_ISREG(old.st_mode)) {
        refuse(refusal, cleanAbsolute(path), S_ISLNK(old.st_mode));
        return refused();
    }
    struct stat like = old;
    if (!existed) {
        if (::fstat(folder.get(), &like) != 0)
            return failed();
        like.st_mode = 0644;
    }
    QByteArray temporary;
    Fd file;
    for (int attempt = 0; attempt < 16 && file.get() < 0; ++attempt) {
        temporary = temporaryName();
        file.reset(::openat(folder.get(), temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (file.get() < 0 && errno != EEXIST)
            return failed();
    }
    if (file.get() < 0)
        return failed(EEXIST);
    bool ok;
    // What the writer failed on is the device's to say, not the system's: no code then.
    int error = 0;
    {
        QFile device;
        ok = device.open(file.get(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle) && write(device) && device.flush();
    }
    if (ok) {
        ok = ::fchmod(file.get(), like.st_mode & 07777) == 0 && ::fsync(file.get()) == 0;
        error = ok ? 0 : errno;
    }
    if (ok && ::geteuid() == 0)
        (void)::fchown(file.get(), like.st_uid, like.st_gid);
    file.reset();
    if (ok) {
        ok = ::renameat(folder.get(), temporary.constData(), folder.get(), leaf.constData()) == 0;
        error = ok ? 0 : errno;
    }
    if (!ok) {
        ::unlinkat(folder.get(), temporary.constData(), 0);
        return failed(error);
    }
    return done();
}

SafeFiles::Result SafeFiles::remove(const QString &path, Refusal *refusal)
{
    Fd folder;
    QByteArray leaf;
    const Walked walked = walk(path, false, false, &folder, &leaf, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    struct stat status;
    if (::fstatat(folder.get(), leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return failed();
    if (!S_ISREG(status.st_mode)) {
        refuse(refusal, cleanAbsolute(path), S_ISLNK(status.st_mode));
        return refused();
    }
    return ::unlinkat(folder.get(), leaf.constData(), 0) == 0 ? done() : failed();
}

SafeFiles::Result SafeFiles::makeFolders(const QString &path, QStringList *made, Refusal *refusal)
{
    Fd folder;
    const Walked walked = walk(path, true, true, &folder, nullptr, refusal, made);
    return walked.walk == Walk::Ok ? done() : resultOf(walked);
}

SafeFiles::Result SafeFiles::makeOwnFolder(const QString &path, Refusal *refusal)
{
    Fd folder;
    QByteArray leaf;
    const Walked walked = walk(path, false, false, &folder, &leaf, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    if (::mkdirat(folder.get(), leaf.constData(), 0700) != 0 && errno != EEXIST)
        return failed();
    // Only a plain folder, never a link planted under its name that leads elsewhere.
    Fd made(::openat(folder.get(), leaf.constData(), folderFlags));
    if (made.get() < 0) {
        if (errno == ELOOP || errno == ENOTDIR) {
            struct stat status;
            const bool link = errno == ELOOP
                || (::fstatat(folder.get(), leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode));
            refuse(refusal, cleanAbsolute(path), link);
            return refused();
        }
        return failed();
    }
    return done();
}

SafeFiles::Result SafeFiles::removeEmptyFolder(const QString &path, Refusal *refusal)
{
    Fd folder;
    QByteArray leaf;
    const Walked walked = walk(path, false, false, &folder, &leaf, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    struct stat status;
    if (::fstatat(folder.get(), leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return failed();
    if (!S_ISDIR(status.st_mode)) {
        refuse(refusal, cleanAbsolute(path), S_ISLNK(status.st_mode));
        return refused();
    }
    return ::unlinkat(folder.get(), leaf.constData(), AT_REMOVEDIR) == 0 ? done() : failed();
}

SafeFiles::Result SafeFiles::rename(const QString &from, const QString &to, Refusal *refusal)
{
    Fd fromFolder;
    QByteArray fromLeaf;
    Walked walked = walk(from, false, false, &fromFolder, &fromLeaf, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    Fd toFolder;
    QByteArray toLeaf;
    walked = walk(to, false, false, &toFolder, &toLeaf, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    // Both names relative to their folders as opened: neither walk can be redirected between
    // the checks and the rename, which moves a name, never what a link of that name points to.
    return ::renameat(fromFolder.get(), fromLeaf.constData(), toFolder.get(), toLeaf.constData()) == 0 ? done() : failed();
}

SafeFiles::Result SafeFiles::open(const QString &path, QFile &file, QIODevice::OpenMode mode, Refusal *refusal)
{
    const bool adding = mode & QIODevice::Append;
    const bool making = !adding && (mode & QIODevice::NewOnly);
    const bool rewriting = !adding && !making && (mode & QIODevice::WriteOnly);
    const int flags = adding ? O_RDWR | O_APPEND | O_CREAT
        : making             ? O_WRONLY | O_CREAT | O_EXCL
        : rewriting          ? O_WRONLY
                             : O_RDONLY;
    Fd opened;
    struct stat status;
    const Result result = openPlainFile(path, flags, &opened, &status, refusal, making ? 0600 : 0644);
    if (result != Status::Done)
        return result;
    if (rewriting && ::ftruncate(opened.get(), 0) != 0)
        return failed();
    // NewOnly has done its part in the open above; Qt would check the name again.
    if (!file.open(opened.get(), mode & ~QIODevice::NewOnly, QFileDevice::AutoCloseHandle))
        return failed(0);
    opened.release();
    return done();
}

SafeFiles::Result SafeFiles::openSource(const QString &path, QFile &file, Refusal *refusal)
{
    Fd folder;
    QByteArray leaf;
    const Walked walked = walk(path, false, false, &folder, &leaf, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    struct stat status;
    if (::fstatat(folder.get(), leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return failed();
    // A pipe is opened as it is meant to be, waiting for its writer; anything else must be plain.
    const bool pipe = S_ISFIFO(status.st_mode);
    Fd opened(pipe ? ::openat(folder.get(), leaf.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC) : openPlain(folder.get(), leaf, O_RDONLY));
    if (opened.get() < 0) {
        if (errno == ELOOP) {
            refuse(refusal, cleanAbsolute(path), true);
            return refused();
        }
        return failed();
    }
    if (::fstat(opened.get(), &status) != 0)
        return failed();
    if (!S_ISREG(status.st_mode) && !(pipe && S_ISFIFO(status.st_mode))) {
        refuse(refusal, cleanAbsolute(path), false);
        return refused();
    }
    if (!pipe) {
        const int statusFlags = ::fcntl(opened.get(), F_GETFL);
        if (statusFlags >= 0)
            ::fcntl(opened.get(), F_SETFL, statusFlags & ~O_NONBLOCK);
    }
    if (!file.open(opened.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return failed(0);
    opened.release();
    return done();
}

} // namespace Platform
