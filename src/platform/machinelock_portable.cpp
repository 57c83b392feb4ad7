#include "machinelock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace Platform {

namespace {
int held = -1;
} // namespace

void giveBackMachineLock()
{
    if (held >= 0)
        ::close(held);
    held = -1;
}

MachineLock takeMachineLock()
{
    if (held >= 0)
        return MachineLock::Taken;
    // In a folder of root's own; one lock per simulated machine, so that tests on machines of
    // their own never wait for each other. Without the rights to /run, beside the machine.
    const QString root = qEnvironmentVariable("QUOROLMA_SYSTEM_ROOT");
    const QString name = QStringLiteral("InstallQuorOlma-%1.lock")
                             .arg(QString::fromLatin1(QCryptographicHash::hash(QFile::encodeName(root), QCryptographicHash::Sha1).toHex().left(16)));
    QString folder = QStringLiteral("/run/installquorolma");
    if (!QDir().mkpath(folder) || ::access(QFile::encodeName(folder).constData(), W_OK) != 0)
        folder = root.isEmpty() ? QDir::tempPath() : root + QStringLiteral("/Windows");
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    // A lock that cannot be made at all (no such folder, no rights) stops nobody: the run goes on
    // as it did before there was one.
    if (fd < 0)
        return MachineLock::Taken;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? MachineLock::Busy : MachineLock::Taken;
    }
    held = fd; // kept open until the process ends: the system then gives the lock back
    return MachineLock::Taken;
}

} // namespace Platform
