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
    // The folder of the running JAWS, from the full path of its program (upper case), or empty.
    QString runningJawsFolder();
    bool findRunningJawsFolder(QString &folder);
    bool loadToolhelp();
    bool containsJawsExecutable(const QString &folder) const;
    // The JAWS that runs now, by its installation's folder as the registry lists it (else as
    // found); empty when JAWS does not run or its folder cannot be told. The one to start again
    // after closing it, whichever JAWS is installed into.
    QString runningInstallationFolder();
    bool setCurrentFolder(const QString &folder);
    QString currentFolderPath() const { return currentFolder; }

    // Asks JAWS to close and answers its dialogs (only those of the JAWS process), for up to a
    // minute, pausing between looks and never waiting on a busy JAWS past that minute; then
    // waits, boundedly, for its braille window to go. True when the close request was sent.
    bool close();
    // Presses the first button of `dialog` that reads exactly "OK".
    void findTheButtonOkAndPressIt(Platform::WindowHandle dialog);
    // Starts JFW.EXE from the current folder, in that folder and detached from the installer, as
    // the interactive user, without the installer's administrator rights, in that user's
    // session; true once it has started. Starts nothing unless that folder is an absolute path
    // that holds JFW.EXE.
    bool restart();
    // A JAWS runs in a session this program cannot reach (it runs as SYSTEM while a user works):
    // its windows cannot be found, so it could neither be closed nor be told anything.
    bool runsOutOfReach();

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
    // The path of JAWS's program in `folder`, its name in whatever case the folder has it; empty
    // when there is none.
    QString jawsProgramIn(const QString &folder) const;
    // The first dialog of that title that belongs to the JAWS process; 0 when there is none.
    Platform::WindowHandle jawsDialog(quint64 jawsProcess, const QString &title);
    // How long one message to a JAWS dialog may wait: within close(), never past its limit.
    quint32 messageLimit();

    QString currentFolder;
    QString jawsExecutable;
    QStringList installedFolders;
    Platform::Toolhelp toolhelp; // KERNEL32.DLL and its process-list entry points
    bool closing = false;        // within close(): its messages share its time limit
    quint32 closeStart = 0;
};
