#pragma once

#include <QString>

namespace Platform {

// The Windows special folders the installer can ask for, by their CSIDL numbers.
enum class SpecialFolder : int {
    Windows = 36,
    System = 37,
    CommonStartup = 24,
    Desktop = 16,
    Documents = 5,
    ProgramFiles = 38,
    AppData = 26,       // the user's, roaming
    CommonAppData = 35, // all users'
};

// The folder's path, or an empty string when the system cannot tell. Missing folders are not
// created. On systems without Windows, the folders of the simulated Windows machine in
// $QUOROLMA_SYSTEM_ROOT; none when that variable is not set.
QString specialFolderPath(SpecialFolder folder);

// The Program Files folder of 64-bit programs on 64-bit Windows, whatever this program's own
// bitness (a 32-bit program is shown "Program Files (x86)" as its Program Files); on 32-bit
// Windows, the one Program Files. Empty when the system cannot tell; on systems without Windows,
// as specialFolderPath(SpecialFolder::ProgramFiles).
QString programFiles64Path();

} // namespace Platform
