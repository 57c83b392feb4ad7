#include "console.h"

#include <QObject>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>

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
// The signal handler may only do what is safe in a signal handler: one write to a pipe, read on
// the main thread.
int interruptPipe[2] = { -1, -1 };

extern "C" void onInterruptSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(interruptPipe[1], &byte, 1);
    errno = saved;
}
} // namespace

void watchInterrupts(QObject *context, const std::function<void()> &interrupted)
{
    if (interruptPipe[0] >= 0 || ::pipe(interruptPipe) != 0)
        return;
    for (int fd : interruptPipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    auto *notifier = new QSocketNotifier(interruptPipe[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [interrupted] {
        char bytes[16];
        while (::read(interruptPipe[0], bytes, sizeof bytes) > 0) {
        }
        interrupted();
    });
    struct sigaction action = {};
    action.sa_handler = onInterruptSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace Platform
