#include "copythread.h"

#include "platform/safefiles.h"

#include "ini/settingssession.h"
#include "paths/windowspath.h"
#include "platform/console.h"
#include "platform/filecopy.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSet>

#include <climits>

CopyThread::CopyThread() = default;

CopyThread::~CopyThread()
{
    stopAndWait();
}

bool CopyThread::setLists(const QStringList &from, const QStringList &to)
{
    if (from.size() != to.size())
        return false;
    fromFiles = from;
    toFiles = to;
    qDebug() << "fromFiles :" << fromFiles;
    qDebug() << "toFiles :" << toFiles;
    return true;
}

qint64 CopyThread::totalSize() const
{
    qint64 total = 0;
    for (const QString &source : fromFiles) {
        if (QFile::exists(source))
            total += QFileInfo(source).size();
    }
    return total;
}

bool CopyThread::isStopped()
{
    QMutexLocker locker(&mutex);
    return stopped || abandoned;
}

void CopyThread::setStopped(bool value)
{
    QMutexLocker locker(&mutex);
    stopped = value;
}

void CopyThread::stop()
{
    setStopped(true);
}

void CopyThread::stopAndWait()
{
    {
        // run() clears the stop request when it begins; an owner that is letting the worker
        // go must be heard even if the thread has not got that far yet.
        QMutexLocker locker(&mutex);
        abandoned = true;
    }
    stop();
    wait();
    // Pairs with the hand-over at the end of run(): a thread checker cannot see inside
    // QThread::wait(), but sees that the worker's last use of the lists came before this.
    QMutexLocker handOver(&mutex);
}

qint64 CopyThread::progressUnit(qint64 total)
{
    qint64 unit = 1;
    while (total / unit > INT_MAX)
        unit *= 2;
    return unit;
}

bool CopyThread::sameContent(const QString &a, const QString &b)
{
    using Platform::SafeFiles;
    QFile first;
    QFile second;
    if (SafeFiles::open(a, first, QIODevice::ReadOnly) != SafeFiles::Status::Done
        || SafeFiles::open(b, second, QIODevice::ReadOnly) != SafeFiles::Status::Done || first.size() != second.size())
        return false;
    while (!first.atEnd()) {
        if (first.read(1 << 16) != second.read(1 << 16))
            return false;
    }
    return true;
}

namespace {
// Keeps the file that `source` would replace under its numbered backup name, unless it holds
// the same bytes already. False when the file is there and could not be kept; `reason` then
// takes the system's reason, when it gave one.
bool backUpReplaced(const QString &source, const QString &destination, QString *backup, QString *reason)
{
    if (!QFileInfo(destination).isFile())
        return true;
    // A named pipe's content is read once, by the copy itself: the file it replaces is kept.
    if (!Platform::isNamedPipe(source) && CopyThread::sameContent(source, destination))
        return true;
    // Copied the way the file itself is, which works wherever its name does (a name near the
    // limit, a path beyond MAX_PATH), and on the disk before the file is replaced.
    *backup = SettingsSession::backupFileName(destination);
    if (Platform::SafeFiles::nameTaken(*backup))
        return false; // every numbered name is taken: the file stays as it is
    // The backup alone reaches the disk before its file is replaced, not the whole volume once per
    // file: the installation flushes the volume once, at its end.
    return Platform::copyFileReplacing(destination, *backup, reason) && Platform::flushFile(*backup);
}
} // namespace

void CopyThread::run()
{
    const Platform::FileWorkThread blockedCallsCutShort;
    setStopped(false);
    if (fromFiles.size() == toFiles.size()) {
        qint64 handled = 0;
        emit setMinimum(0);
        const qint64 total = totalSize();
        // Past 2 GiB the bar counts in a larger unit, so that it never wraps or goes negative.
        const qint64 unit = progressUnit(total);
        emit setMaximum(int(total / unit));
        // The same file listed twice for the same place (JAWS 5 keeps its driver where the other
        // files go) is copied once: copying it again would replace the file while the owner,
        // told of the first copy, reads it for the install record, which Windows refuses.
        QSet<QString> copied;
        for (qsizetype i = 0; i < fromFiles.size() && i < toFiles.size() && !isStopped(); ++i) {
            const QString &source = fromFiles.at(i);
            const QString &destination = toFiles.at(i);
            if (!QFile::exists(source))
                continue;
            const QString pair = WindowsPath::key(source) + QLatin1Char('|') + WindowsPath::key(destination);
            if (copied.contains(pair)) {
                emit copyFileSuccess(QDir::toNativeSeparators(destination));
                handled += QFileInfo(source).size();
                emit setValue(int(qMin(handled / unit, qint64(INT_MAX))));
                continue;
            }
            emit setCurrentFile(QDir::toNativeSeparators(destination));
            // The package folder is often one that others may write (Downloads): a link planted
            // there would copy, into JAWS and readable by all, whatever it points at.
            const QString link = Platform::SafeFiles::linkOnTheWay(source);
            if (!link.isEmpty()) {
                emit copySourceRefused(link);
                emit copyFileFails(QDir::toNativeSeparators(destination), QString());
                continue;
            }
            const QString folder = QFileInfo(destination).absolutePath();
            if (!QFile::exists(folder)) {
                // Through no link: the settings folders are the users' own.
                const Platform::SafeFiles::Result made = Platform::SafeFiles::makeFolders(folder);
                if (made == Platform::SafeFiles::Status::Done)
                    emit createDirectoryPathSuccess(QDir::toNativeSeparators(folder));
                else
                    emit createDirectoryPathFails(QDir::toNativeSeparators(folder), made.reason());
            }
            QString backup;
            QString reason;
            if (!backUpReplaced(source, destination, &backup, &reason)) {
                // Without its backup the file stays as it is.
                emit copyFileFails(QDir::toNativeSeparators(destination), reason);
            } else {
                if (!backup.isEmpty())
                    emit copyFileBackedUp(QDir::toNativeSeparators(destination), QDir::toNativeSeparators(backup));
                if (Platform::copyFileReplacing(source, destination, &reason)) {
                    copied.insert(pair);
                    emit copyFileSuccess(QDir::toNativeSeparators(destination));
                } else
                    emit copyFileFails(QDir::toNativeSeparators(destination), reason);
            }
            handled += QFileInfo(source).size();
            emit setValue(int(qMin(handled / unit, qint64(INT_MAX))));
        }
    }
    Platform::removeTemporaryCopyFolders(toFiles);
    // The last thing the worker does, its signal included (emitting reads the object): the owner
    // may delete it as soon as the thread has ended.
    emit copyDone();
    { QMutexLocker handOver(&mutex); }
}
