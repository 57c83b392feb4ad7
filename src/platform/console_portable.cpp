#include "console.h"

#include <QObject>
#include <QSocketNotifier>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>

#include <pthread.h>

#include <fcntl.h>
#include <unistd.h>

namespace Platform {

QStringList commandLineArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

namespace {
void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}
} // namespace

void writeStandardOutput(const QString &text)
{
    write(stdout, text);
}

void writeStandardError(const QString &text)
{
    write(stderr, text);
}

namespace {
// The signal handler may only do what is safe in a signal handler: a flag, and one write to
// each pipe, read on the main thread and by the deadline's thread.
int interruptPipe[2] = { -1, -1 };
int deadlinePipe[2] = { -1, -1 };
std::atomic_bool interruptFlag = false;
std::atomic_bool answered = false;
QByteArray lastWordsBytes;
int deadlineExitCode = 1;

// The threads whose blocked calls an interrupt cuts short; a signal without SA_RESTART makes
// such a call fail with EINTR.
const int unblockSignal = SIGUSR2;
std::mutex threadsMutex;
std::array<std::optional<pthread_t>, 8> threads;

extern "C" void onInterruptSignal(int)
{
    const int saved = errno;
    interruptFlag = true;
    const char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(interruptPipe[1], &byte, 1);
    written = ::write(deadlinePipe[1], &byte, 1);
    errno = saved;
}

extern "C" void onUnblockSignal(int)
{
}

int registerThread(pthread_t thread)
{
    const std::lock_guard<std::mutex> lock(threadsMutex);
    for (size_t i = 0; i < threads.size(); ++i) {
        if (!threads[i]) {
            threads[i] = thread;
            return int(i);
        }
    }
    return -1;
}

void unblockThreads()
{
    const std::lock_guard<std::mutex> lock(threadsMutex);
    for (const auto &thread : threads) {
        if (thread)
            pthread_kill(*thread, unblockSignal);
    }
}

void watchDeadline()
{
    char byte;
    while (::read(deadlinePipe[0], &byte, 1) < 0 && errno == EINTR) {
    }
    for (int second = 1;; ++second) {
        ::sleep(1);
        unblockThreads();
        if (second == 9 && !answered) {
            [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, lastWordsBytes.constData(), size_t(lastWordsBytes.size()));
            ::_exit(deadlineExitCode);
        }
    }
}
} // namespace

void watchInterrupts(QObject *context, const std::function<void()> &interrupted, const QString &lastWords, int exitCode)
{
    if (interruptPipe[0] >= 0 || ::pipe(interruptPipe) != 0 || ::pipe(deadlinePipe) != 0)
        return;
    for (int fd : { interruptPipe[0], interruptPipe[1], deadlinePipe[0], deadlinePipe[1] })
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    for (int fd : interruptPipe)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(deadlinePipe[1], F_SETFL, ::fcntl(deadlinePipe[1], F_GETFL) | O_NONBLOCK);
    lastWordsBytes = lastWords.toLocal8Bit();
    deadlineExitCode = exitCode;
    auto *notifier = new QSocketNotifier(interruptPipe[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [interrupted] {
        char bytes[16];
        while (::read(interruptPipe[0], bytes, sizeof bytes) > 0) {
        }
        answered = true;
        interrupted();
    });
    struct sigaction unblock = {};
    unblock.sa_handler = onUnblockSignal;
    sigemptyset(&unblock.sa_mask);
    unblock.sa_flags = 0; // no SA_RESTART: the blocked call returns
    sigaction(unblockSignal, &unblock, nullptr);
    registerThread(pthread_self());
    std::thread(watchDeadline).detach();
    struct sigaction action = {};
    action.sa_handler = onInterruptSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool interruptRequested()
{
    return interruptFlag;
}

FileWorkThread::FileWorkThread()
    : slot(registerThread(pthread_self()))
{
}

FileWorkThread::~FileWorkThread()
{
    if (slot < 0)
        return;
    const std::lock_guard<std::mutex> lock(threadsMutex);
    threads[size_t(slot)].reset();
}

} // namespace Platform
