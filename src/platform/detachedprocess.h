#pragma once

#include <QString>

namespace Platform {

// Starts `program` (a full path, no arguments) with `workingFolder` as its working folder, as a
// process of its own: it outlives the caller, and inherits none of the caller's handles, its
// standard input, output and error included. True once the process exists.
bool startDetachedProcess(const QString &program, const QString &workingFolder);

} // namespace Platform
