#pragma once

#include <QString>

namespace Platform {

// Removes `folder` with everything in it, also when a program runs from it: the program's copy
// that removes the last of the driver's entries is such a program. Windows refuses to delete a
// running program and the DLLs it loaded, but lets them be renamed: they are moved out of the
// folder, under names of their own, into the temporary folder (or, where that lies on another
// volume and a move would be a copy, into the folder that holds `folder`), and deleted under
// those names when Windows next starts, so that the folder goes at once. Never is a path of the
// folder itself left to be deleted at the restart: a later installation may put a new program
// there before it. True when the folder is gone now (also when it never was). Natively a running
// program's file can be deleted like any other.
bool removeFolderInUse(const QString &folder);

} // namespace Platform
