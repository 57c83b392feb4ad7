#pragma once

#include <QString>
#include <QStringList>

namespace Platform {

// The program's arguments as the system passed them: on Windows the wide command line, so that a
// folder named outside the ANSI code page arrives whole; elsewhere argv in the locale's encoding.
QStringList commandLineArguments(int argc, char **argv);

// Writes `text` to the standard output or error stream as is, without a line end added. The
// Windows program has no console of its own: it writes to the handles its parent gave it (a
// script's pipe or file), else to the console of the prompt it was started from, if any.
void writeStandardOutput(const QString &text);
void writeStandardError(const QString &text);

} // namespace Platform
