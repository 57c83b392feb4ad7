// The copy worker against cp on the same files, same disk, same run: 2,000 files of 4-64 KiB,
// and three files of 1 GiB; then the worker's peak resident memory while it copies a 3 GiB
// file. Alternates the contenders over several rounds and prints medians. The worker is timed
// without a flush, with the one flush the installation makes before the package's clean-up
// (flushToDisk: one syncfs), with a flush of every file instead (fsync each), and over files
// that exist already (each then written through before its rename), with the one flush after.
// Usage: copy_benchmark FOLDER [ROUNDS]   (FOLDER on the disk to measure; about 10 GiB free)
#include "copy/copythread.h"
#include "platform/filecopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

void makeFile(const QString &path, qint64 size, QRandomGenerator &random)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (qint64 written = 0; written < size;) {
        for (qsizetype i = 0; i < chunk.size(); i += 4)
            *reinterpret_cast<quint32 *>(chunk.data() + i) = random.generate();
        const qint64 n = qMin<qint64>(chunk.size(), size - written);
        file.write(chunk.constData(), n);
        written += n;
    }
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

double timeWorker(const QStringList &from, const QStringList &to)
{
    CopyThread worker;
    worker.setLists(from, to);
    QElapsedTimer timer;
    timer.start();
    worker.start();
    worker.wait();
    return timer.nsecsElapsed() / 1e6;
}

// The worker, then what it copied put on the disk: by the installation's one flush, or by a
// flush of each file.
double timeWorkerFlushed(const QStringList &from, const QStringList &to, bool eachFile)
{
    QElapsedTimer timer;
    timer.start();
    CopyThread worker;
    worker.setLists(from, to);
    worker.start();
    worker.wait();
    if (eachFile) {
        for (const QString &file : to) {
            const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY);
            ::fsync(fd);
            ::close(fd);
        }
    } else {
        Platform::flushToDisk({ QFileInfo(to.first()).absolutePath() });
    }
    return timer.nsecsElapsed() / 1e6;
}

double timeQFileCopy(const QStringList &from, const QStringList &to)
{
    QElapsedTimer timer;
    timer.start();
    for (qsizetype i = 0; i < from.size(); ++i)
        QFile::copy(from.at(i), to.at(i));
    return timer.nsecsElapsed() / 1e6;
}

// cp alone, or cp with what it wrote then put on the disk (sync), as the flushed worker does.
double timeCp(const QStringList &from, const QString &toFolder, bool synced = false)
{
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(QStringLiteral("cp"), QStringList(from) << toFolder);
    if (synced)
        QProcess::execute(QStringLiteral("sync"), { QStringLiteral("-f"), toFolder });
    return timer.nsecsElapsed() / 1e6;
}

void clear(const QString &folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QProcess::execute(QStringLiteral("sync"), {});
}

void compare(const char *what, const QStringList &from, const QString &toFolder, int rounds, bool everyContender)
{
    QStringList to;
    for (const QString &source : from)
        to << toFolder + QLatin1Char('/') + QFileInfo(source).fileName();
    QList<double> cp, cpSynced, worker, flushed, eachFlushed, replacing, plain;
    for (int round = 0; round < rounds; ++round) {
        clear(toFolder);
        cp << timeCp(from, toFolder);
        clear(toFolder);
        cpSynced << timeCp(from, toFolder, true);
        clear(toFolder);
        worker << timeWorker(from, to);
        clear(toFolder);
        flushed << timeWorkerFlushed(from, to, false);
        // The same files once more over those copies: each replaces a file.
        QProcess::execute(QStringLiteral("sync"), {});
        replacing << timeWorkerFlushed(from, to, false);
        if (everyContender) {
            clear(toFolder);
            eachFlushed << timeWorkerFlushed(from, to, true);
            clear(toFolder);
            plain << timeQFileCopy(from, to);
        }
    }
    const double c = median(cp);
    std::printf("%s, medians of %d rounds:\n", what, rounds);
    const auto line = [c](const char *who, const QList<double> &times) {
        if (!times.isEmpty())
            std::printf("  %-40s %9.1f ms  %.2fx cp\n", who, median(times), median(times) / c);
    };
    line("cp", cp);
    line("cp + sync -f (one syncfs)", cpSynced);
    line("worker, no flush", worker);
    line("worker + one flush (syncfs)", flushed);
    line("worker over existing files + one flush", replacing);
    line("worker + fsync of each file", eachFlushed);
    line("QFile::copy loop, no flush", plain);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: copy_benchmark FOLDER [ROUNDS]\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/copy-benchmark");
    const int rounds = argc > 2 ? atoi(argv[2]) : 5;
    QRandomGenerator random(1);
    clear(root + QStringLiteral("/small"));
    QStringList small;
    for (int i = 0; i < 2000; ++i) {
        small << root + QStringLiteral("/small/file%1.bin").arg(i);
        makeFile(small.last(), random.bounded(4, 65) * 1024, random);
    }
    compare("2,000 files of 4-64 KiB", small, root + QStringLiteral("/out"), rounds, true);
    clear(root + QStringLiteral("/small"));

    clear(root + QStringLiteral("/large"));
    QStringList large;
    for (int i = 0; i < 3; ++i) {
        large << root + QStringLiteral("/large/big%1.bin").arg(i);
        makeFile(large.last(), qint64(1) << 30, random);
    }
    compare("three files of 1 GiB", large, root + QStringLiteral("/out"), rounds, false);
    clear(root + QStringLiteral("/large"));
    clear(root + QStringLiteral("/out"));

    const QString huge = root + QStringLiteral("/huge.bin");
    makeFile(huge, qint64(3) << 30, random);
    struct rusage before;
    getrusage(RUSAGE_SELF, &before);
    timeWorker({ huge }, { root + QStringLiteral("/out/huge.bin") });
    struct rusage after;
    getrusage(RUSAGE_SELF, &after);
    std::printf("peak resident memory: %.1f MiB before the 3 GiB copy, %.1f MiB after it\n", before.ru_maxrss / 1024.0,
                after.ru_maxrss / 1024.0);
    QDir(root).removeRecursively();
    return 0;
}
