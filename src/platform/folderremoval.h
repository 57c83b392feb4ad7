#pragma once

#include <QString>

namespace Platform {

// Removes `folder` with everything in it, also when a program runs from it: the program's copy
// that removes the last of the driver's entries is such a program. Windows refuses to delete a
// running program and the DLLs it loaded, but lets them be renamed: they are moved out of the
// folder into the temporary folder and deleted when Windows next starts, so that the folder
// goes at once. Where the temporary folder lies on another volume (a move would be a copy), they
// and their folders are left for that start to delete. True when the folder is gone now (also
// when it never was). Natively a running program's file can be deleted like any other.
bool removeFolderInUse(const QString &folder);

} // namespace Platform
