#pragma once

#include "platform/toolhelp.h"
#include "platform/windowsystem.h"

#include <QString>
#include <QStringList>

// Controls the JAWS screen reader: its installed folders (from the registry), whether it runs
// and from which folder, closing it by answering its own dialogs, and starting it again. One
// object lives for the whole process and is built before the installer.
class Jaws
{
public:
    Jaws();
    Jaws(const Jaws &) = delete;
    Jaws &operator=(const Jaws &) = delete;

    // The installed JAWS program folders, in the registry's order, read once at construction.
    QStringList jawsFolders() const;
    // JAWS's main window; 0 when JAWS is not running.
    Platform::WindowHandle getJawsHwnd() const;
    // The folder of the running JAWS, as the process list gives it (upper case), or empty.
    QString runningJawsFolder();
    bool findRunningJawsFolder(QString &folder);
    bool loadToolhelp();
    bool containsJawsExecutable(const QString &folder) const;
    bool setCurrentFolder(const QString &folder);
    QString currentFolderPath() const { return currentFolder; }

    // Asks JAWS to close and answers its dialogs, for up to a minute; then waits, boundedly,
    // for its braille window to go. True when the close request was sent.
    bool close();
    // Presses the first button of `dialog` that reads exactly "OK".
    void findTheButtonOkAndPressIt(Platform::WindowHandle dialog);
    // Starts JFW.EXE from the current folder; true once it has started. Starts nothing unless
    // that folder is an absolute path that holds JFW.EXE.
    bool restart();

    // The registry walk: appends the installed folders to `list`.
    void readInstalledFolders(QStringList &list);

    // One installation record of the registry: its key's name ("10.0", "2025") and its folder.
    struct InstallationRecord
    {
        QString key;
        QString folder;
    };
    // The records as the registry holds them now, in its order.
    static QList<InstallationRecord> installationRecords();
    // The name of the record whose folder is `folder`; empty when none is.
    static QString registryKeyOf(const QString &folder);

private:
    QString currentFolder;
    QString jawsExecutable;
    QStringList installedFolders;
    Platform::Toolhelp toolhelp; // KERNEL32.DLL and its three process-list entry points
};
