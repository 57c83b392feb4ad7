#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class CopyPlan;
class InstallPackage;
class JawsTarget;

// The driver's entries in Windows' list of apps: one uninstall key per JAWS installation that
// has the driver, under HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall in the 64-bit
// view, where the Settings app and the deployment tools read them. Each names a copy of the
// program and its runtime files, kept once in a folder of its own under the 64-bit Program
// Files: the list's "Uninstall" and a deployment tool's uninstall command start that copy, since
// the package folder the installation ran from may be gone or read-only. The copy is refreshed
// when a newer program registers, and removed with the last entry.
//
// Nothing here fails an installation or a removal: each call says what it achieved in one
// report line, and returns whether it succeeded.
class AppsListEntry
{
    Q_DECLARE_TR_FUNCTIONS(AppsListEntry)

public:
    // `programFile` is the program to keep a copy of; the DLLs beside it and its Qt plugin
    // folders go with it. The running program by default; tests name a folder of their own.
    explicit AppsListEntry(const QString &programFile = QCoreApplication::applicationFilePath());

    // The key under HKEY_LOCAL_MACHINE that holds every program's entry.
    static QString uninstallKeyPath();
    // The name of the entry of the JAWS installation in `jawsFolder`: "QuorOlma JAWS " and the
    // SHA-1, in lower-case hex, of the UTF-8 of the folder as WindowsPath::key gives it (the same
    // for every spelling of that folder), so that the name holds no "/" and no ":".
    static QString keyName(const QString &jawsFolder);
    // The name earlier programs gave that entry: "QuorOlma JAWS " and the folder as
    // WindowsPath::key gives it, or keyName's when that passed 255 characters. Such an entry is
    // found, and replaced by the next installation.
    static QString earlierKeyName(const QString &jawsFolder);
    // The folder under Program Files that holds the program's copy; empty when the system does
    // not tell where Program Files is.
    static QString copyFolder();

    // Registers the installation that `installer` has just made (its JAWS folder, version and
    // driver folder): the program's copy made or refreshed first, then the entry written.
    bool registerInstallation(const JawsTarget &target, const CopyPlan &plan, const InstallPackage &package, QString *reportLine);
    // Deletes the entry of the JAWS installation in `jawsFolder`, and the program's copy with the
    // last entry. Succeeds, changing nothing and with an empty line, when there is no such entry.
    bool unregisterInstallation(const QString &jawsFolder, QString *reportLine);
    // Run by the driver's Windows Installer package (the program's --msi): the package's own
    // entry in the list stands for the driver, its files for the program's copy. Then
    // registerInstallation writes neither and deletes an entry this program wrote for that JAWS
    // before (with the last such entry, the copy): users see one entry, the package's.
    static void setUnderWindowsInstaller(bool under);
    static bool underWindowsInstaller();

    // The entry of the JAWS installation in `jawsFolder`, when there is one, names the version
    // of the driver now in `driverFolder`: after an update was taken back, the earlier one's.
    static bool showDriverVersion(const QString &jawsFolder, const QString &driverFolder);
    // Whether the JAWS installation in `jawsFolder` has an entry.
    static bool isRegistered(const QString &jawsFolder);
    // The names of the driver's entries, one per JAWS installation.
    static QStringList registeredKeyNames();

private:
    // Makes the copy in `folder`, or brings it up to this program's version; `problem` says
    // what failed.
    bool refreshCopy(const QString &folder, QString *problem) const;

    QString m_programFile;
};
