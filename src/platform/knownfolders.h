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

} // namespace Platform
