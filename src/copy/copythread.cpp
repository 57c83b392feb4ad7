#include "copythread.h"

#include "platform/filecopy.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>

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

void CopyThread::run()
{
    setStopped(false);
    QDir dir;
    if (fromFiles.size() == toFiles.size()) {
        qint64 handled = 0;
        emit setMinimum(0);
        const qint64 total = totalSize();
        // Past 2 GiB the bar counts in a larger unit, so that it never wraps or goes negative.
        const qint64 unit = progressUnit(total);
        emit setMaximum(int(total / unit));
        for (qsizetype i = 0; i < fromFiles.size() && i < toFiles.size() && !isStopped(); ++i) {
            const QString &source = fromFiles.at(i);
            const QString &destination = toFiles.at(i);
            if (!QFile::exists(source))
                continue;
            emit setCurrentFile(QDir::toNativeSeparators(destination));
            const QString folder = QFileInfo(destination).absolutePath();
            if (!QFile::exists(folder)) {
                if (dir.mkpath(folder))
                    emit createDirectoryPathSuccess(QDir::toNativeSeparators(folder));
                else
                    emit createDirectoryPathFails(QDir::toNativeSeparators(folder));
            }
            if (Platform::copyFileReplacing(source, destination))
                emit copyFileSuccess(QDir::toNativeSeparators(destination));
            else
                emit copyFileFails(QDir::toNativeSeparators(destination));
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
