#include "appslistentry.h"

#include "installer/copyplan.h"
#include "installer/installpackage.h"
#include "installer/jawstarget.h"
#include "paths/windowspath.h"
#include "platform/loadedmodules.h"
#include "platform/filecopy.h"
#include "platform/folderremoval.h"
#include "platform/knownfolders.h"
#include "platform/registry.h"
#include "platform/safefiles.h"
#include "report/report.h"
#include "version/fileversionreader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QVersionNumber>

using Platform::RegistryKey;
using Platform::RegistryView;
using Platform::SafeFiles;

namespace {

// The Settings app and the deployment tools read the 64-bit view, whatever the program's bitness.
constexpr RegistryView listView = RegistryView::Default;

bool runByWindowsInstaller = false;

QString keyPrefix()
{
    return QStringLiteral("QuorOlma JAWS ");
}

// The copy's program has the name the package gives it, whatever the running file is called.
QString programFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("InstallQuorOlma.exe");
#else
    return QStringLiteral("InstallQuorOlma");
#endif
}

// The program's version, written into the copy once the rest of it is there: a copy without it
// was broken off and is made again.
QString versionFileName()
{
    return QStringLiteral("version.txt");
}

// The program's runtime as the package lays it out: the program, the DLLs beside it and Qt's
// plugin folders. Source path -> path within the copy.
QList<QPair<QString, QString>> runtimeFiles(const QString &programFile)
{
    // Named, never a pattern: the program, the libraries it loaded from its own folder and the
    // plugins Qt loads for a window. Anything else beside the program (a DLL someone put in the
    // Downloads folder it runs from) would run elevated from Program Files later.
    QList<QPair<QString, QString>> files{ { programFile, programFileName() } };
    const QDir folder = QFileInfo(programFile).absoluteDir();
    for (const QString &module : Platform::loadedModulesIn(folder.absolutePath())) {
        if (!WindowsPath::samePath(module, programFile))
            files.append({ module, QFileInfo(module).fileName() });
    }
    for (const QString &plugin : { QStringLiteral("platforms/qwindows.dll"), QStringLiteral("styles/qwindowsvistastyle.dll") }) {
        if (QFileInfo(folder.filePath(plugin)).isFile())
            files.append({ folder.filePath(plugin), plugin });
    }
    return files;
}

// A command-line argument in quotes, read back whole by every Windows program: backslashes
// before the closing quote are doubled, or "C:\JAWS\" would swallow the quote.
QString quotedArgument(const QString &text)
{
    qsizetype trailing = 0;
    while (trailing < text.size() && text.at(text.size() - 1 - trailing) == QLatin1Char('\\'))
        ++trailing;
    return QLatin1Char('"') + text + QString(trailing, QLatin1Char('\\')) + QLatin1Char('"');
}

QString entryPath(const QString &keyName)
{
    return AppsListEntry::uninstallKeyPath() + QLatin1Char('\\') + keyName;
}

// The size in KB of what the installation put on the machine, each file once, for the list's
// size column.
quint32 estimatedSizeKb(const QStringList &files)
{
    QSet<QString> counted;
    qint64 bytes = 0;
    for (const QString &file : files) {
        if (!counted.contains(WindowsPath::key(file))) {
            counted.insert(WindowsPath::key(file));
            bytes += QFileInfo(file).size();
        }
    }
    return quint32((bytes + 1023) / 1024);
}

// The version of the driver as installed, else as in the package.
QString driverVersion(const JawsTarget &target, const InstallPackage &package)
{
    for (const QString &folder : { target.driverFolder(), package.folder() }) {
        const QString version = FileVersionReader::dottedFileVersion(folder + QLatin1Char('/') + InstallPackage::driverFileName(),
                                                                     QStringLiteral("000004b0"));
        if (!version.isEmpty())
            return version;
    }
    return QString();
}

} // namespace

AppsListEntry::AppsListEntry(const QString &programFile)
    : m_programFile(programFile)
{
}

QString AppsListEntry::uninstallKeyPath()
{
    return QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
}

QString AppsListEntry::keyName(const QString &jawsFolder)
{
    // The folder's digest, never the folder itself: PowerShell's registry provider mishandles a
    // "/" in a key's name and DSC a ":", which would break the usual inventory and detection
    // scripts. The digest is the one the earlier names gave folders too deep to be spelt out.
    return keyPrefix() + QString::fromLatin1(QCryptographicHash::hash(WindowsPath::key(jawsFolder).toUtf8(), QCryptographicHash::Sha1).toHex());
}

QString AppsListEntry::earlierKeyName(const QString &jawsFolder)
{
    const QString name = keyPrefix() + WindowsPath::key(jawsFolder);
    return name.size() <= 255 ? name : keyName(jawsFolder);
}

QString AppsListEntry::copyFolder()
{
    const QString programFiles = Platform::programFiles64Path();
    if (programFiles.isEmpty())
        return QString();
    return QDir::toNativeSeparators(QDir(programFiles).filePath(QStringLiteral("Korvalis/InstallQuorOlma")));
}

void AppsListEntry::setUnderWindowsInstaller(bool under)
{
    runByWindowsInstaller = under;
}

bool AppsListEntry::underWindowsInstaller()
{
    return runByWindowsInstaller;
}

bool AppsListEntry::isRegistered(const QString &jawsFolder)
{
    return RegistryKey::openLocalMachine(entryPath(keyName(jawsFolder)), listView).isOpen()
        || RegistryKey::openLocalMachine(entryPath(earlierKeyName(jawsFolder)), listView).isOpen();
}

QStringList AppsListEntry::registeredKeyNames()
{
    QStringList names;
    const RegistryKey list = RegistryKey::openLocalMachine(uninstallKeyPath(), listView);
    QString name;
    for (quint32 index = 0;; ++index) {
        const RegistryKey::Enumeration answer = list.enumerateSubKey(index, &name);
        if (answer == RegistryKey::Enumeration::NoMoreItems)
            break;
        if (answer == RegistryKey::Enumeration::Item && name.startsWith(keyPrefix(), Qt::CaseInsensitive))
            names << name;
    }
    return names;
}

bool AppsListEntry::refreshCopy(const QString &folder, QString *problem) const
{
    const QDir copy(folder);
    // The program that runs from the copy (a removal wizard) is the copy already.
    if (WindowsPath::isInside(m_programFile, folder))
        return true;
    QByteArray keptVersion;
    const QVersionNumber running = QVersionNumber::fromString(QCoreApplication::applicationVersion());
    const QVersionNumber kept = SafeFiles::read(copy.filePath(versionFileName()), &keptVersion) == SafeFiles::Status::Done
        ? QVersionNumber::fromString(QString::fromUtf8(keptVersion).trimmed())
        : QVersionNumber();
    if (!kept.isNull() && QVersionNumber::compare(kept, running) >= 0 && QFileInfo::exists(copy.filePath(programFileName())))
        return true;

    // The new copy is made beside the old one and takes its place whole: a copy is never a mix of
    // two programs' files, and one that runs (a removal under way) is left as it is.
    const QString staged = folder + QStringLiteral(".new");
    const QString retired = folder + QStringLiteral(".old");
    // Left by a run that was stopped. Not through SafeFiles: a folder whose program still runs
    // is emptied by moving its files aside, which SafeFiles does not do; the copy lies in Program
    // Files, where only administrators write.
    Platform::removeFolderInUse(staged);
    Platform::removeFolderInUse(retired);
    QStringList destinations;
    for (const auto &[source, relative] : runtimeFiles(m_programFile)) {
        const QString destination = QDir(staged).filePath(relative);
        // Read through no link: the program's folder is often one that others may write.
        QString reason;
        const SafeFiles::Result folderMade = SafeFiles::makeFolders(QFileInfo(destination).absolutePath());
        if (folderMade != SafeFiles::Status::Done)
            reason = folderMade.reason();
        if (folderMade != SafeFiles::Status::Done || !Platform::copyFileReplacing(source, destination, &reason)) {
            Platform::removeFolderInUse(staged);
            *problem = Report::withReason(tr("%1 could not be copied to %2").arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(destination)),
                                          reason);
            return false;
        }
        Platform::forgetWebOrigin(destination); // Program Files' copy carries no mark of the web
        destinations << destination;
    }
    Platform::removeTemporaryCopyFolders(destinations);
    const QString version = QDir(staged).filePath(versionFileName());
    const SafeFiles::Result versionWritten = SafeFiles::createNew(version, QCoreApplication::applicationVersion().toUtf8());
    if (versionWritten != SafeFiles::Status::Done) {
        Platform::removeFolderInUse(staged);
        *problem = Report::withReason(tr("%1 could not be written").arg(QDir::toNativeSeparators(version)), versionWritten.reason());
        return false;
    }
    Platform::flushToDisk(destinations << version);
    if (QFileInfo::exists(folder) && SafeFiles::rename(folder, retired) != SafeFiles::Status::Done) {
        // Windows does not move a folder whose program runs: the old copy serves until a later
        // installation.
        Platform::removeFolderInUse(staged);
        return true;
    }
    const SafeFiles::Result moved = SafeFiles::rename(staged, folder);
    if (moved != SafeFiles::Status::Done) {
        (void)SafeFiles::rename(retired, folder); // the old copy serves on; when it cannot, the next run makes one
        Platform::removeFolderInUse(staged);
        *problem = Report::withReason(tr("%1 could not be written").arg(QDir::toNativeSeparators(folder)), moved.reason());
        return false;
    }
    Platform::removeFolderInUse(retired);
    return true;
}

bool AppsListEntry::registerInstallation(const JawsTarget &target, const CopyPlan &plan, const InstallPackage &package, QString *reportLine)
{
    if (runByWindowsInstaller) {
        // An entry of an installation made before without the package gives way to the package's.
        const bool listed = isRegistered(target.jawsFolder());
        if (listed && !unregisterInstallation(target.jawsFolder(), reportLine))
            return false;
        *reportLine = listed ? tr("OK : The driver's own entry in Windows' list of apps gave way to its Windows Installer package's.")
                             : tr("OK : Windows' list of apps lists the driver by its Windows Installer package.");
        return true;
    }
    const JawsVersion version = target.jawsVersion();
    const QString jawsFolder = QDir::toNativeSeparators(QDir::cleanPath(target.jawsFolder()));
    const QString displayName = tr("QuorOlma braille driver for JAWS %1")
                                    .arg(version.isKnown() ? version.settingsFolderName() : QFileInfo(target.jawsFolder()).fileName());
    const QString folder = copyFolder();
    QString problem;
    if (folder.isEmpty())
        problem = tr("the Program Files folder is unknown");
    else
        refreshCopy(folder, &problem);
    if (problem.isEmpty()) {
        const QString program = QDir::toNativeSeparators(QDir(folder).filePath(programFileName()));
        const QString uninstall = quotedArgument(program) + QStringLiteral(" /remove /jaws ") + quotedArgument(jawsFolder);
        // A run into every JAWS lists the files of all its installations: this one's lie in its
        // JAWS folder.
        QStringList installed;
        for (const QString &file : plan.destinationFiles()) {
            if (WindowsPath::isInside(file, target.jawsFolder()))
                installed << file;
        }
        // The copy is laid out as the package is.
        for (const auto &file : runtimeFiles(program))
            installed << file.first;
        const QString path = entryPath(keyName(target.jawsFolder()));
        RegistryKey key = RegistryKey::createLocalMachine(path, listView);
        const bool written = key.isOpen() && key.setStringValue(QStringLiteral("DisplayName"), displayName)
            && key.setStringValue(QStringLiteral("DisplayVersion"), driverVersion(target, package))
            && key.setStringValue(QStringLiteral("Publisher"), QStringLiteral("Korvalis"))
            && key.setStringValue(QStringLiteral("InstallLocation"), QDir::toNativeSeparators(QDir::cleanPath(target.driverFolder())))
            && key.setStringValue(QStringLiteral("DisplayIcon"), program)
            && key.setStringValue(QStringLiteral("UninstallString"), uninstall)
            && key.setStringValue(QStringLiteral("QuietUninstallString"), uninstall + QStringLiteral(" /unattended"))
            && key.setDwordValue(QStringLiteral("NoModify"), 1) && key.setDwordValue(QStringLiteral("NoRepair"), 1)
            && key.setDwordValue(QStringLiteral("EstimatedSize"), estimatedSizeKb(installed));
        if (!written) {
            // Half an entry would offer a removal it cannot start.
            RegistryKey::deleteLocalMachineKey(path, listView);
            problem = tr("the registry key HKEY_LOCAL_MACHINE\\%1 could not be written").arg(path);
        } else if (earlierKeyName(target.jawsFolder()) != keyName(target.jawsFolder())) {
            // The entry under the earlier name is this one now: two would list the driver twice.
            RegistryKey::deleteLocalMachineKey(entryPath(earlierKeyName(target.jawsFolder())), listView);
        }
    }
    if (!problem.isEmpty()) {
        *reportLine = tr("NOTE : The driver could not be added to Windows' list of apps (%1). It works all the same.").arg(problem);
        return false;
    }
    *reportLine = tr("OK : \"%1\" added to Windows' list of apps.").arg(displayName);
    return true;
}

bool AppsListEntry::unregisterInstallation(const QString &jawsFolder, QString *reportLine)
{
    reportLine->clear();
    // Under this program's name, or under the name earlier programs gave it.
    QString path = entryPath(keyName(jawsFolder));
    if (!RegistryKey::openLocalMachine(path, listView).isOpen())
        path = entryPath(earlierKeyName(jawsFolder));
    const bool listed = RegistryKey::openLocalMachine(path, listView).isOpen();
    if (listed && !RegistryKey::deleteLocalMachineKey(path, listView)) {
        *reportLine = tr("ERROR : The entry of %1 in Windows' list of apps could not be deleted.").arg(QDir::toNativeSeparators(jawsFolder));
        return false;
    }
    const QString folder = copyFolder();
    if (registeredKeyNames().isEmpty() && !folder.isEmpty() && QFileInfo::exists(folder)) {
        // Not through SafeFiles: see refreshCopy.
        if (!Platform::removeFolderInUse(folder)) {
            *reportLine = tr("ERROR : The program's copy in %1 could not be deleted.").arg(folder);
            return false;
        }
        // The maker's folder goes too once nothing of its own is left in it.
        SafeFiles::removeEmptyFolder(QFileInfo(folder).absolutePath());
    }
    if (listed)
        *reportLine = tr("OK : The driver's entry for %1 deleted from Windows' list of apps.").arg(QDir::toNativeSeparators(jawsFolder));
    return true;
}

bool AppsListEntry::showDriverVersion(const QString &jawsFolder, const QString &driverFolder)
{
    // Only an entry that is there: a version alone would list a driver nobody can remove.
    if (runByWindowsInstaller || !RegistryKey::openLocalMachine(entryPath(keyName(jawsFolder)), listView).isOpen())
        return true;
    const QString version = FileVersionReader::dottedFileVersion(driverFolder + QLatin1Char('/') + InstallPackage::driverFileName(),
                                                                 QStringLiteral("000004b0"));
    if (version.isEmpty())
        return true;
    RegistryKey key = RegistryKey::createLocalMachine(entryPath(keyName(jawsFolder)), listView);
    return key.isOpen() && key.setStringValue(QStringLiteral("DisplayVersion"), version);
}
