#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QObject;

namespace Platform {

// The program's arguments as the system passed them: on Windows the wide command line, so that a
// folder named outside the ANSI code page arrives whole; elsewhere argv in the locale's encoding.
QStringList commandLineArguments(int argc, char **argv);

// Writes `text` to the standard output or error stream as is, without a line end added. The
// Windows program has no console of its own: it writes to the handles its parent gave it (a
// script's pipe or file), else to the console of the prompt it was started from, if any.
void writeStandardOutput(const QString &text);
void writeStandardError(const QString &text);

// From now on, an interrupt of the program calls `interrupted` on the thread of `context`, from
// its event loop, instead of ending the program mid-step: Ctrl+C, Ctrl+Break, the closing of its
// console, logoff or shutdown on Windows (the last two with or without a console); SIGINT or
// SIGTERM elsewhere. On Windows the closing of the console, logoff and shutdown end the program
// a few seconds later whatever it does: the handler gives it that time to finish, and the
// program ends itself once it has. Once per process.
//
// A file call can block for minutes (a file under another program's lease, a server that does
// not answer) while the run must end within seconds of an interrupt. So from the interrupt on,
// every second, such a call on a thread that watches interrupts (the one that called this, and
// each FileWorkThread) is cut short: it fails, and the run goes on to its next stop. Should the
// thread of `context` still not have answered 9 seconds after the interrupt, the program writes
// `lastWords` to the standard error stream and ends at once with `exitCode`.
void watchInterrupts(QObject *context, const std::function<void()> &interrupted, const QString &lastWords = QString(),
                     int exitCode = 1);

// Whether an interrupt has come (from any thread): for work that cannot wait for the event loop.
bool interruptRequested();

// For the time it lives, the thread that made it counts as one whose blocked file calls an
// interrupt cuts short (see watchInterrupts). Made and destroyed on that thread.
class FileWorkThread
{
public:
    FileWorkThread();
    ~FileWorkThread();
    FileWorkThread(const FileWorkThread &) = delete;
    FileWorkThread &operator=(const FileWorkThread &) = delete;

private:
    int slot;
};

} // namespace Platform
