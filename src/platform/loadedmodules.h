#pragma once

#include <QStringList>

namespace Platform {

// The files of the running program's own code that lie directly in `folder`: the program and
// every library it has loaded from there (on Windows the DLLs it imports, as loaded). What a copy
// of the program must take along, and nothing that merely lies beside it: a DLL that someone put
// in a Downloads folder is not among them.
QStringList loadedModulesIn(const QString &folder);

} // namespace Platform
