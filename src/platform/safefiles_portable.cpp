#include "safefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
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

// A folder made where the program runs as root in someone else's folder is theirs, as the
// folder's rights would make it on Windows: the user must still be able to change their settings.
void takeOwnerOf(int fd, const char *name, const struct stat &like)
{
    if (::geteuid() == 0)
        (void)::fchownat(fd, name, like.st_uid, like.st_gid, AT_SYMLINK_NOFOLLOW);
}

// Opens, from the path's trusted root down, every folder but the last name's (or every one,
// `allFolders`) with O_NOFOLLOW; `create` makes the missing ones.
Walk walk(const QString &path, bool allFolders, bool create, Fd *folder, QByteArray *leaf, SafeFiles::Refusal *refusal,
          QStringList *made = nullptr)
{
    const QString clean = cleanAbsolute(path);
    const qsizetype rootLength = trustedRootLength(clean, !allFolders);
    const QString root = rootLength > 0 ? clean.left(rootLength) : QStringLiteral("/");
    folder->reset(::open(QFile::encodeName(root).constData(), (folderFlags & ~O_NOFOLLOW)));
    if (folder->get() < 0)
        return errno == ENOENT ? Walk::Missing : Walk::Failed;
    const QStringList names = clean.mid(rootLength).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!allFolders && names.isEmpty())
        return Walk::Failed; // a root is never a file to work on
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
                return Walk::Failed;
            }
            next = ::openat(folder->get(), name.constData(), folderFlags);
        }
        if (next < 0) {
            const int error = errno;
            struct stat status;
            if (error == ELOOP || error == ENOTDIR) {
                const bool link = ::fstatat(folder->get(), name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode);
                refuse(refusal, walked, link || error == ELOOP);
                return Walk::Refused;
            }
            return error == ENOENT ? Walk::Missing : Walk::Failed;
        }
        folder->reset(next);
    }
    if (leaf && !allFolders)
        *leaf = QFile::encodeName(names.constLast());
    return Walk::Ok;
}

SafeFiles::Outcome outcomeOf(Walk walked)
{
    return walked == Walk::Refused ? SafeFiles::Outcome::Refused : SafeFiles::Outcome::Failed;
}

bool writeAll(int fd, QByteArrayView bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

// Opens a name of `folder` that must be a plain file, never through a link. Not blocking, so
// that a named pipe put in its place is refused instead of holding the run; a plain file that
// another program holds under a lease (a file server's) is then waited for, as any open would.
int openPlain(int folder, const QByteArray &leaf, int flags)
{
    const int fd = ::openat(folder, leaf.constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd >= 0 || (errno != EWOULDBLOCK && errno != EAGAIN))
        return fd;
    struct stat status;
    if (::fstatat(folder, leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(status.st_mode))
        return -1;
    return ::openat(folder, leaf.constData(), flags | O_NOFOLLOW | O_CLOEXEC, 0644);
}

// Walks to `path` and opens it, a plain file only, never through a link (openPlain); blocking
// reads afterwards.
SafeFiles::Outcome openPlainFile(const QString &path, int flags, Fd *opened, struct stat *status, SafeFiles::Refusal *refusal)
{
    Fd folder;
    QByteArray leaf;
    const Walk walked = walk(path, false, false, &folder, &leaf, refusal);
    if (walked != Walk::Ok)
        return outcomeOf(walked);
    opened->reset(openPlain(folder.get(), leaf, flags));
    if (opened->get() < 0) {
        if (errno == ELOOP) {
            refuse(refusal, cleanAbsolute(path), true);
            return SafeFiles::Outcome::Refused;
        }
        return SafeFiles::Outcome::Failed;
    }
    if (::fstat(opened->get(), status) != 0)
        return SafeFiles::Outcome::Failed;
    if (!S_ISREG(status->st_mode)) {
        refuse(refusal, cleanAbsolute(path), false);
        return SafeFiles::Outcome::Refused;
    }
    const int statusFlags = ::fcntl(opened->get(), F_GETFL);
    if (statusFlags >= 0)
        ::fcntl(opened->get(), F_SETFL, statusFlags & ~O_NONBLOCK);
    return SafeFiles::Outcome::Done;
}

// A name of the program's own beside the file: short enough for any folder, never a user's.
QByteArray temporaryName()
{
    return QByteArrayLiteral(".iqo") + QByteArray::number(QRandomGenerator::system()->generate64(), 16) + QByteArrayLiteral(".tmp");
}

} // namespace

QString SafeFiles::linkOnTheWay(const QString &path)
{
    Fd folder;
    QByteArray leaf;
    Refusal refusal;
    const Walk walked = walk(path, false, false, &folder, &leaf, &refusal);
    if (walked == Walk::Refused)
        return refusal.path;
    struct stat status;
    if (walked == Walk::Ok && ::fstatat(folder.get(), leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode))
        return QDir::toNativeSeparators(cleanAbsolute(path));
    return QString();
}

bool SafeFiles::nameTaken(const QString &path)
{
    Fd folder;
    QByteArray leaf;
    struct stat status;
    const Walk walked = walk(path, false, false, &folder, &leaf, nullptr);
    // A name behind a link is taken as far as the program is concerned: it writes nothing there.
    return walked == Walk::Refused
        || (walked == Walk::Ok && ::fstatat(folder.get(), leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0);
}

SafeFiles::Outcome SafeFiles::read(const QString &path, QByteArray *bytes, Refusal *refusal)
{
    // Not blocking: a named pipe in a settings folder must not hold the run before it is refused.
    Fd file;
    struct stat status;
    const Outcome opened = openPlainFile(path, O_RDONLY, &file, &status, refusal);
    if (opened != Outcome::Done)
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
            return Outcome::Failed;
        if (n == 0)
            break;
        total += n;
    }
    content.resize(total);
    *bytes = content;
    return Outcome::Done;
}

SafeFiles::Outcome SafeFiles::createNew(const QString &path, QByteArrayView bytes, const QString &modeOf, Refusal *refusal)
{
    Fd folder;
    QByteArray leaf;
    const Walk walked = walk(path, false, false, &folder, &leaf, refusal);
    if (walked != Walk::Ok)
        return outcomeOf(walked);
    struct stat like;
    const bool hasModel = !modeOf.isEmpty() && ::lstat(QFile::encodeName(cleanAbsolute(modeOf)).constData(), &like) == 0 && S_ISREG(like.st_mode);
    if (!hasModel && ::fstat(folder.get(), &like) != 0)
        return Outcome::Failed;
    // O_EXCL: a name that exists, a dangling link included, is never written through.
    Fd file(::openat(folder.get(), leaf.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     hasModel ? (like.st_mode & 0777) : 0644));
    if (file.get() < 0)
        return Outcome::Failed;
    bool ok = writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    if (ok && hasModel)
        ok = ::fchmod(file.get(), like.st_mode & 0777) == 0; // whatever the umask
    if (ok && ::geteuid() == 0)
        (void)::fchown(file.get(), like.st_uid, like.st_gid);
    file.reset();
    if (!ok) {
        ::unlinkat(folder.get(), leaf.constData(), 0);
        return Outcome::Failed;
    }
    return Outcome::Done;
}

SafeFiles::Outcome SafeFiles::replace(const QString &path, const std::function<bool(QIODevice &)> &write, Refusal *refusal)
{
    Fd folder;
    QByteArray leaf;
    const Walk walked = walk(path, false, false, &folder, &leaf, refusal);
    if (walked != Walk::Ok)
        return outcomeOf(walked);
    struct stat old;
    const bool existed = ::fstatat(folder.get(), leaf.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (existed && !S_ISREG(old.st_mode)) {
        refuse(refusal, cleanAbsolute(path), S_ISLNK(old.st_mode));
        return Outcome::Refused;
    }
    struct stat like = old;
    if (!existed) {
        if (::fstat(folder.get(), &like) != 0)
            return Outcome::Failed;
        like.st_mode = 0644;
    }
    QByteArray temporary;
    Fd file;
    for (int attempt = 0; attempt < 16 && file.get() < 0; ++attempt) {
        temporary = temporaryName();
        file.reset(::openat(folder.get(), temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (file.get() < 0 && errno != EEXIST)
            return Outcome::Failed;
    }
    if (file.get() < 0)
        return Outcome::Failed;
    bool ok;
    {
        QFile device;
        ok = device.open(file.get(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle) && write(device) && device.flush();
    }
    ok = ok && ::fchmod(file.get(), like.st_mode & 07777) == 0 && ::fsync(file.get()) == 0;
    if (ok && ::geteuid() == 0)
        (void)::fchown(file.get(), like.st_uid, like.st_gid);
    file.reset();
    if (ok)
        ok = ::renameat(folder.get(), temporary.constData(), folder.get(), leaf.constData()) == 0;
    if (!ok) {
        ::unlinkat(folder.get(), temporary.constData(), 0);
        return Outcome::Failed;
    }
    return Outcome::Done;
}

SafeFiles::Outcome SafeFiles::remove(const QString &path, Refusal *refusal)
{
    Fd folder;
    QByteArray leaf;
    const Walk walked = walk(path, false, false, &folder, &leaf, refusal);
    if (walked != Walk::Ok)
        return outcomeOf(walked);
    struct stat status;
    if (::fstatat(folder.get(), leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return Outcome::Failed;
    if (!S_ISREG(status.st_mode)) {
        refuse(refusal, cleanAbsolute(path), S_ISLNK(status.st_mode));
        return Outcome::Refused;
    }
    return ::unlinkat(folder.get(), leaf.constData(), 0) == 0 ? Outcome::Done : Outcome::Failed;
}

SafeFiles::Outcome SafeFiles::makeFolders(const QString &path, QStringList *made, Refusal *refusal)
{
    Fd folder;
    const Walk walked = walk(path, true, true, &folder, nullptr, refusal, made);
    return walked == Walk::Ok ? Outcome::Done : outcomeOf(walked);
}

SafeFiles::Outcome SafeFiles::removeEmptyFolder(const QString &path, Refusal *refusal)
{
    Fd folder;
    QByteArray leaf;
    const Walk walked = walk(path, false, false, &folder, &leaf, refusal);
    if (walked != Walk::Ok)
        return outcomeOf(walked);
    struct stat status;
    if (::fstatat(folder.get(), leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return Outcome::Failed;
    if (!S_ISDIR(status.st_mode)) {
        refuse(refusal, cleanAbsolute(path), S_ISLNK(status.st_mode));
        return Outcome::Refused;
    }
    return ::unlinkat(folder.get(), leaf.constData(), AT_REMOVEDIR) == 0 ? Outcome::Done : Outcome::Failed;
}

SafeFiles::Outcome SafeFiles::open(const QString &path, QFile &file, QIODevice::OpenMode mode, Refusal *refusal)
{
    const bool adding = mode & QIODevice::Append;
    const bool rewriting = !adding && (mode & QIODevice::WriteOnly);
    const int flags = adding ? O_RDWR | O_APPEND | O_CREAT : rewriting ? O_WRONLY : O_RDONLY;
    Fd opened;
    struct stat status;
    const Outcome outcome = openPlainFile(path, flags, &opened, &status, refusal);
    if (outcome != Outcome::Done)
        return outcome;
    if (rewriting && ::ftruncate(opened.get(), 0) != 0)
        return Outcome::Failed;
    if (!file.open(opened.get(), mode, QFileDevice::AutoCloseHandle))
        return Outcome::Failed;
    opened.release();
    return Outcome::Done;
}

SafeFiles::Outcome SafeFiles::openSource(const QString &path, QFile &file, Refusal *refusal)
{
    Fd folder;
    QByteArray leaf;
    const Walk walked = walk(path, false, false, &folder, &leaf, refusal);
    if (walked != Walk::Ok)
        return outcomeOf(walked);
    struct stat status;
    if (::fstatat(folder.get(), leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return Outcome::Failed;
    // A pipe is opened as it is meant to be, waiting for its writer; anything else must be plain.
    const bool pipe = S_ISFIFO(status.st_mode);
    Fd opened(pipe ? ::openat(folder.get(), leaf.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC) : openPlain(folder.get(), leaf, O_RDONLY));
    if (opened.get() < 0) {
        if (errno == ELOOP) {
            refuse(refusal, cleanAbsolute(path), true);
            return Outcome::Refused;
        }
        return Outcome::Failed;
    }
    if (::fstat(opened.get(), &status) != 0)
        return Outcome::Failed;
    if (!S_ISREG(status.st_mode) && !(pipe && S_ISFIFO(status.st_mode))) {
        refuse(refusal, cleanAbsolute(path), false);
        return Outcome::Refused;
    }
    if (!pipe) {
        const int statusFlags = ::fcntl(opened.get(), F_GETFL);
        if (statusFlags >= 0)
            ::fcntl(opened.get(), F_SETFL, statusFlags & ~O_NONBLOCK);
    }
    if (!file.open(opened.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return Outcome::Failed;
    opened.release();
    return Outcome::Done;
}

} // namespace Platform
