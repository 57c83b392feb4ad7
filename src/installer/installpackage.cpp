#include "installpackage.h"

#include "copyplan.h"
#include "jawstarget.h"
#include "runreport.h"

#include "ini/inifile.h"
#include "paths/windowspath.h"
#include "platform/filecopy.h"
#include "platform/safefiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

QMap<QString, QStringList> readSectionsMap(const QString &file)
{
    QMap<QString, QStringList> sectionsMap;
    IniFile ini(file);
    const QStringList sectionsNames = ini.sectionNames();
    for (const QString &name : sectionsNames)
        sectionsMap.insert(name, ini.section(name));
    return sectionsMap;
}

// A JAWS program folder (it holds jfw.exe), or any folder of JAWS's own tree.
bool isJawsFolder(const QString &path)
{
    if (!QDir(path).entryList({ QStringLiteral("jfw.exe") }, QDir::Files | QDir::Hidden | QDir::System).isEmpty())
        return true;
    for (QDir folder(QFileInfo(path).absoluteFilePath());; ) {
        if (WindowsPath::samePath(folder.dirName(), QStringLiteral("Freedom Scientific")))
            return true;
        if (!folder.cdUp())
            return false;
    }
}

} // namespace

InstallPackage::InstallPackage(RunReport &run, const QString &folder)
    : m_run(run)
    , m_folder(folder)
{
}

void InstallPackage::start(const QString &folder, FolderUse use)
{
    m_folder = folder;
    m_readOnly = use == FolderUse::ReadOnly;
    m_cleanedUp = false;
}

QString InstallPackage::manifestPath() const
{
    return m_folder + QDir::separator() + QStringLiteral("list.install");
}

// The plain, visible files (and named pipes) directly in the package folder that match one of
// the section's patterns (wildcards, without regard to case), sorted by name without regard to
// case. Section names are looked up exactly as written.
QStringList InstallPackage::matchingFiles(const QMap<QString, QStringList> &sectionsMap, const QString &section) const
{
    const auto patterns = sectionsMap.constFind(section);
    if (patterns == sectionsMap.constEnd() || patterns->isEmpty())
        return {};
    // A named pipe counts as a file: what its writer sends is its content (no Windows folder
    // holds one). Sockets, devices and dangling links do not.
    const QDir folder(m_folder);
    QStringList names = folder.entryList(*patterns, QDir::Files | QDir::System, QDir::Name | QDir::IgnoreCase);
    names.removeIf([&folder](const QString &name) {
        const QString path = folder.filePath(name);
        return !QFileInfo(path).isFile() && !Platform::isNamedPipe(path);
    });
    return names;
}

void InstallPackage::readInstallList(QStringList &toBeCopied, QStringList &driversToBeCopied,
                                     QMap<QString, QStringList> &toBeCopiedIntoManualsFolder, const QStringList &manualsLanguages) const
{
    const QMap<QString, QStringList> sectionsMap = readSectionsMap(manifestPath());
    if (sectionsMap.isEmpty())
        return;
    toBeCopied = matchingFiles(sectionsMap, QStringLiteral("COPY"));
    driversToBeCopied = matchingFiles(sectionsMap, QStringLiteral("DRIVERS_COPY"));
    for (const QString &language : manualsLanguages) {
        const QString section = QStringLiteral("%1_MANUALS_COPY").arg(language).toUpper();
        if (sectionsMap.contains(section))
            toBeCopiedIntoManualsFolder.insert(language, matchingFiles(sectionsMap, section));
    }
}

void InstallPackage::mergeFileNames(QStringList &filesNames) const
{
    const QMap<QString, QStringList> sectionsMap = readSectionsMap(manifestPath());
    if (!sectionsMap.isEmpty())
        filesNames = matchingFiles(sectionsMap, QStringLiteral("MERGE"));
}

QString InstallPackage::driverFileName()
{
    return QStringLiteral("QuorOlma.jlb");
}

QStringList InstallPackage::requiredPackageFiles()
{
    return { QStringLiteral("list.install"), driverFileName(), QStringLiteral("braille.ini") };
}

QString InstallPackage::deviceSection(const QString &deviceName) const
{
    if (deviceName.isEmpty())
        return QString();
    // Found by name, wherever the section stands in the file: the profile functions compare
    // section names without regard to case.
    const QStringList sections = IniFile(m_folder + QDir::separator() + QStringLiteral("braille.ini")).sectionNames();
    for (const QString &section : sections) {
        if (section.compare(deviceName, Qt::CaseInsensitive) == 0)
            return section;
    }
    return QString();
}

bool InstallPackage::checkPackage(const QString &deviceName)
{
    // A package folder emptied by an earlier run's clean-up, or unpacked only in part: settings
    // written from it would name a display or a table that is not there.
    bool complete = true;
    auto missing = [&](const QString &name) {
        m_run.record(StepResult::Step::Package, tr("ERROR : %1 is missing from the installation package: nothing was installed.")
                                                    .arg(QDir::toNativeSeparators(m_folder + QDir::separator() + name)),
               StepResult::Outcome::Failed);
        complete = false;
    };
    if (IniFile(manifestPath()).sectionNames().isEmpty())
        missing(QStringLiteral("list.install"));
    if (!QFileInfo(m_folder + QDir::separator() + driverFileName()).isFile())
        missing(driverFileName());
    const QString brailleIni = m_folder + QDir::separator() + QStringLiteral("braille.ini");
    if (!QFileInfo(brailleIni).isFile()) {
        missing(QStringLiteral("braille.ini"));
    } else if (deviceSection(deviceName).isEmpty()) {
        m_run.record(StepResult::Step::Package, tr("ERROR : %1 of the installation package has no [%2] section: nothing was installed.")
                                              .arg(QDir::toNativeSeparators(brailleIni), deviceName),
               StepResult::Outcome::Failed);
        complete = false;
    }
    return complete;
}

QString InstallPackage::packageKey(const QString &path)
{
    return WindowsPath::key(QFileInfo(path).fileName()); // one file, whatever the case it is named in
}

void InstallPackage::recordFileUse(const QString &sourcePath, bool ok)
{
    const QString key = packageKey(sourcePath);
    m_fileUses.insert(key, m_fileUses.value(key, true) && ok);
}

void InstallPackage::addOwnFile(const QString &path)
{
    if (!m_folder.isEmpty() && WindowsPath::samePath(QFileInfo(path).absolutePath(), QFileInfo(m_folder).absoluteFilePath()))
        m_ownFiles.insert(packageKey(path));
}

// The package folder may be a folder the user keeps other files in (Downloads): only files
// whose content now lives in the JAWS folders go, never the program, its report or a file the
// installation did not use, whatever its name.
QStringList InstallPackage::removableFiles(const JawsTarget &target) const
{
    if (m_folder.isEmpty())
        return {};
    // A package unpacked into a folder of JAWS (this one or another installed beside it) shares
    // it with JAWS's own files, and a file copied onto itself lives on nowhere else: nothing
    // goes. The program, driver and manuals folders all lie in the JAWS folder.
    for (const QString &folder : { target.jawsFolder(), target.sharedSettingsFolder(), target.userSettingsFolder() }) {
        if (!folder.isEmpty() && WindowsPath::isSameOrInsideOnDisk(m_folder, folder))
            return {};
    }
    if (isJawsFolder(m_folder))
        return {};
    // Only files the manifest names one by one: a wildcard may also match a file of the user's
    // that only happens to lie beside the package.
    QSet<QString> named;
    const QMap<QString, QStringList> sections = readSectionsMap(manifestPath());
    for (const QStringList &lines : sections) {
        for (const QString &line : lines) {
            if (!line.contains(QLatin1Char('*')) && !line.contains(QLatin1Char('?')) && !line.contains(QLatin1Char('[')))
                named.insert(packageKey(line.trimmed()));
        }
    }
    QSet<QString> removable;
    // Anything that failed may call for a second run.
    bool everythingDelivered = !m_run.hasErrors();
    for (auto use = m_fileUses.cbegin(); use != m_fileUses.cend(); ++use) {
        if (!use.value())
            everythingDelivered = false;
        else if (named.contains(use.key()))
            removable.insert(use.key());
    }
    // Every run needs the manifest, the driver, its braille.ini (the display names) and the
    // catalogues: they stay for a second run as long as anything is left to do.
    QSet<QString> neededByEveryRun = m_ownFiles;
    for (const QString &name : requiredPackageFiles())
        neededByEveryRun.insert(packageKey(name));
    if (everythingDelivered && !m_fileUses.isEmpty())
        removable.unite(neededByEveryRun);
    else
        removable.subtract(neededByEveryRun);
    removable.remove(packageKey(m_run.report().fileName()));
    removable.remove(packageKey(QCoreApplication::applicationFilePath()));

    QStringList files;
    const QDir folder(m_folder);
    for (const QString &name : folder.entryList(QDir::Files)) {
        if (removable.contains(packageKey(name)))
            files << folder.filePath(name);
    }
    return files;
}

// Where the content of the package files `files` now lives: their copies, and the folders of
// JAWS whose settings took in the merged ones.
QStringList InstallPackage::deliveredContent(const QStringList &files, const JawsTarget &target, const CopyPlan &plan) const
{
    QSet<QString> removed;
    for (const QString &file : files)
        removed.insert(packageKey(file));
    QStringList content;
    const QStringList &sources = plan.sourceFiles();
    const QStringList &destinations = plan.destinationFiles();
    for (qsizetype i = 0; i < sources.size() && i < destinations.size(); ++i) {
        if (removed.contains(packageKey(sources.at(i))) && QFileInfo::exists(destinations.at(i)))
            content << destinations.at(i);
    }
    for (const QString &folder : { target.jawsFolder(), target.sharedSettingsFolder(), target.userSettingsFolder() }) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            content << folder;
    }
    return content;
}

void InstallPackage::cleanUp(const JawsTarget &target, const CopyPlan &plan)
{
    m_cleanedUp = true;
    if (m_readOnly)
        return;
    const QStringList files = removableFiles(target);
    if (files.isEmpty())
        return;
    // A file leaves the package only once its content is on the disk in the JAWS folders: after
    // a power cut, one of the two is still there. When that cannot be made sure, all stay.
    const bool delivered = Platform::flushToDisk(deliveredContent(files, target, plan));
    QStringList stayed; // each line that says so
    for (const QString &file : files) {
        // A file in use, or a folder the program may not change (a read-only share, a CD):
        // the installation itself is done, so this is no error.
        const Platform::SafeFiles::Result removed = delivered ? Platform::SafeFiles::remove(file)
                                                              : Platform::SafeFiles::Result(Platform::SafeFiles::Status::Failed);
        if (removed == Platform::SafeFiles::Status::Done)
            continue;
        const QString name = QDir::toNativeSeparators(file);
        stayed << (removed.reason().isEmpty() ? tr("The package file %1 could not be deleted: it stays.").arg(name)
                                              : tr("The package file %1 could not be deleted (%2): it stays.").arg(name, removed.reason()));
    }
    if (!stayed.isEmpty()) {
        m_run.report().writeLine(QString());
        for (const QString &line : std::as_const(stayed))
            m_run.report().writeLine(line);
    }
    // Fails while anything else is left, as it should.
    Platform::SafeFiles::removeEmptyFolder(m_folder);
}
