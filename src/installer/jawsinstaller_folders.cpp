#include "jawsinstaller.h"

#include "installer/shellfolders.h"
#include "jaws/jaws.h"
#include "paths/windowspath.h"
#include "platform/safefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

// The entry of `folder` that Windows opens for `name`: the name as written, else one that
// differs only in case, under the name it has (both builds then report the same path, and the
// native build, whose file system tells case apart, finds what Windows finds). Empty when there
// is none.
QStringList entriesOf(const QString &folder, QDir::Filters kind)
{
    return QDir(folder).entryList(kind | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

// The entry among `entries` that Windows opens for `name` (see existingEntry).
QString entryNamed(const QStringList &entries, const QString &name)
{
    if (entries.contains(name))
        return name;
    for (const QString &entry : entries) {
        if (WindowsPath::samePath(entry, name))
            return entry;
    }
    return QString();
}

QString existingEntry(const QString &folder, const QString &name, QDir::Filters kind)
{
    return folder.isEmpty() ? QString() : entryNamed(entriesOf(folder, kind), name);
}

// The settings folder of `version` under an application data folder, under the names its
// folders have on disk. The folder that the version's name gives wins when it exists; else a
// sibling that names the same version and has settings ("2025.0" beside a missing "2025").
// When none exists, the name the rule gives: the caller then configures nothing there and says
// so.
QString settingsFolder(const QString &appData, const JawsVersion &version)
{
    if (appData.isEmpty())
        return QString();
    const QString wanted = version.settingsFolderName();
    const QString guessed = appData + QStringLiteral("/Freedom Scientific/JAWS/%1/Settings").arg(wanted);
    // Even where the guess exists, the folders are named as they are on disk: Windows opens
    // "Settings" for "SETTINGS", and the report then names what the user finds.
    const QString maker = existingEntry(appData, QStringLiteral("Freedom Scientific"), QDir::Dirs);
    const QString product = existingEntry(appData + QLatin1Char('/') + maker, QStringLiteral("JAWS"), QDir::Dirs);
    if (maker.isEmpty() || product.isEmpty())
        return guessed;
    const QString versions = appData + QLatin1Char('/') + maker + QLatin1Char('/') + product;
    QStringList candidates;
    const QStringList names = QDir(versions).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names) {
        if (WindowsPath::samePath(name, wanted))
            candidates.prepend(name);
        else if (version.isNamedBy(name))
            candidates.append(name);
    }
    for (const QString &name : std::as_const(candidates)) {
        const QString folder = versions + QLatin1Char('/') + name;
        const QString settings = existingEntry(folder, QStringLiteral("Settings"), QDir::Dirs);
        if (!settings.isEmpty())
            return folder + QLatin1Char('/') + settings;
    }
    return guessed;
}

} // namespace

QString JawsInstaller::settingsFolderUnder(const QString &appData, const JawsVersion &version)
{
    return settingsFolder(appData, version);
}

const Platform::InteractiveUser &JawsInstaller::interactiveUser()
{
    if (!m_interactiveUser)
        m_interactiveUser = Platform::interactiveUser();
    return *m_interactiveUser;
}

void JawsInstaller::reset()
{
    m_jawsFolder.clear();
    m_programFolder.clear();
    m_driverFolder.clear();
    m_manualsFolder.clear();
    m_sharedSettingsFolder.clear();
    m_userSettingsFolder.clear();
    m_otherFoldersInSettings = false;
    m_selectedDevice.clear();
    m_recordBeforeRun.reset();
    m_plannedFolders.clear();
    m_createdFolders.clear();
    m_copiedFiles.clear();
    m_copyBackups.clear();
    m_existingDestinations.clear();
}

JawsVersion JawsInstaller::jawsVersion() const
{
    return JawsVersion::ofInstallation(m_jawsFolder, Jaws::registryKeyOf(m_jawsFolder));
}

bool JawsInstaller::computeTargetFolders()
{
    if (!QFileInfo::exists(m_sourceFolder) || !QFileInfo::exists(m_jawsFolder))
        return false;

    const JawsVersion version = jawsVersion();
    m_otherFoldersInSettings = version.keepsOtherFoldersInSettings();
    m_programFolder = m_jawsFolder;
    m_manualsFolder = m_jawsFolder + QStringLiteral("/MANUALS");
    if (version.hasUserSettings()) {
        const ShellFolders shellFolders;
        m_driverFolder = version.hasDriverFolders() ? m_jawsFolder + QStringLiteral("/Drivers/Braille/quorolma") : m_jawsFolder;
        // Without its application data folder a settings folder would land at the root of the
        // drive: it stays empty instead, and nothing is created or edited there.
        m_sharedSettingsFolder = settingsFolder(shellFolders.commonAppDataFolder, version);
        // The person's own settings, not those of the account that runs the installer. When no
        // such person can be found, that account's folder, as the report's header says.
        const QString userAppData = interactiveUser().appDataFolder.isEmpty() ? shellFolders.appDataFolder
                                                                              : interactiveUser().appDataFolder;
        // With every user, each profile is configured on its own after the shared settings.
        m_userSettingsFolder = m_allUsers ? QString() : settingsFolder(userAppData, version);
        // The folders no standard user can change are taken as named; below them, where users
        // may write, no link is followed. A user's AppData is not one: its user may point it
        // anywhere, so it is walked from its volume's root.
        for (const QString &root : { m_jawsFolder, m_sourceFolder, shellFolders.commonAppDataFolder })
            Platform::SafeFiles::addTrustedRoot(root);
    } else {
        m_driverFolder = m_jawsFolder;
        m_sharedSettingsFolder = m_jawsFolder + QStringLiteral("/SETTINGS");
        m_userSettingsFolder.clear();
        Platform::SafeFiles::addTrustedRoot(m_jawsFolder);
        Platform::SafeFiles::addTrustedRoot(m_sourceFolder);
    }
    return true;
}

namespace {
// The levels of `folder` that do not exist, parents first.
QStringList missingLevels(const QString &folder)
{
    // An empty path names the current folder, which exists: nothing is missing for it.
    QStringList missing;
    if (folder.isEmpty())
        return missing;
    for (QString level = QFileInfo(folder).absoluteFilePath(); !level.isEmpty() && !QFileInfo::exists(level); level = QFileInfo(level).path()) {
        missing.prepend(level);
        if (QFileInfo(level).path() == level)
            break;
    }
    return missing;
}
} // namespace

void JawsInstaller::makeFolder(const QString &folder)
{
    if (folder.isEmpty())
        return;
    // Made through no link, as every folder the program writes in; a folder that cannot be made
    // shows in the copy's report, file by file, with the system's reason.
    QStringList made;
    (void)Platform::SafeFiles::makeFolders(folder, &made);
    // Each level made here is recorded, so that a removal takes away what is left empty.
    for (const QString &level : std::as_const(made))
        recordCreatedFolder(level);
}

void JawsInstaller::createTargetFolders()
{
    // Settings folders are JAWS's own: JAWS makes them when it is installed and when a user first
    // runs it. One made here would hold no language folder, so nothing could be configured in
    // it, and it would stand for a version that is not there.
    for (const QString &folder : { m_driverFolder, m_manualsFolder })
        makeFolder(folder);
}

QStringList JawsInstaller::missingFolders() const
{
    QStringList folders;
    QSet<QString> seen;
    QStringList wanted{ m_driverFolder, m_manualsFolder };
    // A run into every JAWS lists the files of its earlier installations too.
    for (const QString &destination : m_destinationFiles) {
        if (WindowsPath::isInside(destination, m_jawsFolder))
            wanted << QFileInfo(destination).absolutePath();
    }
    for (const QString &folder : std::as_const(wanted)) {
        for (const QString &level : missingLevels(folder)) {
            const QString key = WindowsPath::key(level);
            if (!seen.contains(key)) {
                seen.insert(key);
                folders << QDir::toNativeSeparators(level);
            }
        }
    }
    return folders;
}

bool JawsInstaller::settingsFolderFound(const QString &folder)
{
    if (folder.isEmpty() || QFileInfo(folder).isDir())
        return true;
    record(StepResult::Step::SettingsFolders,
           tr("ERROR : Jaws settings folder %1 not found: nothing was configured there.").arg(QDir::toNativeSeparators(folder)),
           StepResult::Outcome::Failed);
    return false;
}

QString JawsInstaller::settingsFilePath(const QString &folder, const QString &name) const
{
    QString existing;
    if (m_listedFolders && !folder.isEmpty()) {
        auto listed = m_listedFolders->constFind(folder);
        if (listed == m_listedFolders->constEnd())
            listed = m_listedFolders->insert(folder, entriesOf(folder, QDir::Files));
        existing = entryNamed(*listed, name);
    } else {
        existing = existingEntry(folder, name, QDir::Files);
    }
    return folder + QDir::separator() + (existing.isEmpty() ? name : existing);
}

QStringList JawsInstaller::displayListPaths() const
{
    const QString name = QStringLiteral("jfw.ini");
    const bool inProgramFolder = !existingEntry(m_programFolder, name, QDir::Files).isEmpty();
    const QString init = existingEntry(m_sharedSettingsFolder, QStringLiteral("INIT"), QDir::Dirs);
    const QString initFolder = m_sharedSettingsFolder + QDir::separator() + init;
    const bool inInit = !m_sharedSettingsFolder.isEmpty() && !init.isEmpty()
        && !existingEntry(m_sharedSettingsFolder + QLatin1Char('/') + init, name, QDir::Files).isEmpty();
    // JAWS 2018 and later read the one in INIT, the maker says; a program folder's jfw.ini, which
    // older layouts kept, may still be read by some: both get the displays.
    if (jawsVersion().isYearNumbered() && inInit) {
        QStringList paths{ settingsFilePath(initFolder, name) };
        if (inProgramFolder)
            paths << settingsFilePath(m_programFolder, name);
        return paths;
    }
    if (inProgramFolder || m_sharedSettingsFolder.isEmpty())
        return { settingsFilePath(m_programFolder, name) };
    // JAWS of today keeps no jfw.ini in its program folder; its own may lie with the shared
    // settings.
    if (!existingEntry(m_sharedSettingsFolder, name, QDir::Files).isEmpty())
        return { settingsFilePath(m_sharedSettingsFolder, name) };
    if (inInit)
        return { settingsFilePath(initFolder, name) };
    return { settingsFilePath(m_programFolder, name) };
}
