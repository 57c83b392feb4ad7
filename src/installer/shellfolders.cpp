#include "shellfolders.h"

#include "platform/knownfolders.h"

using Platform::SpecialFolder;
using Platform::specialFolderPath;

ShellFolders::ShellFolders()
    : windowsFolder(specialFolderPath(SpecialFolder::Windows))
    , systemFolder(specialFolderPath(SpecialFolder::System))
    , commonStartupFolder(specialFolderPath(SpecialFolder::CommonStartup))
    , desktopFolder(specialFolderPath(SpecialFolder::Desktop))
    , documentsFolder(specialFolderPath(SpecialFolder::Documents))
    , programFilesFolder(specialFolderPath(SpecialFolder::ProgramFiles))
    , appDataFolder(specialFolderPath(SpecialFolder::AppData))
    , commonAppDataFolder(specialFolderPath(SpecialFolder::CommonAppData))
{
}
