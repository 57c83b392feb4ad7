#pragma once

#include <QString>

// The Windows special folders, read once when the object is built. A folder the system cannot
// tell stays empty.
class ShellFolders
{
public:
    ShellFolders();

    QString windowsFolder;
    QString systemFolder;
    QString commonStartupFolder;
    QString desktopFolder;
    QString documentsFolder;
    QString programFilesFolder;
    QString appDataFolder;       // the user's, roaming
    QString commonAppDataFolder; // all users'
};
