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
void watchInterrupts(QObject *context, const std::function<void()> &interrupted);

} // namespace Platform
