#include "jawstarget.h"

#include "installer/shellfolders.h"
#include "jaws/jaws.h"
#include "paths/windowspath.h"
#include "platform/safefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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

QString JawsTarget::settingsFolderUnder(const QString &appData, const JawsVersion &version)
{
    return settingsFolder(appData, version);
}

const Platform::InteractiveUser &JawsTarget::interactiveUser()
{
    if (!m_interactiveUser)
        m_interactiveUser = Platform::interactiveUser();
    return *m_interactiveUser;
}

void JawsTarget::reset()
{
    m_jawsFolder.clear();
    m_programFolder.clear();
    m_driverFolder.clear();
    m_manualsFolder.clear();
    m_sharedSettingsFolder.clear();
    m_userSettingsFolder.clear();
    m_otherFoldersInSettings = false;
}

JawsVersion JawsTarget::jawsVersion() const
{
    return JawsVersion::ofInstallation(m_jawsFolder, Jaws::registryKeyOf(m_jawsFolder));
}

bool JawsTarget::computeFolders(const QString &packageFolder)
{
    if (!QFileInfo::exists(packageFolder) || !QFileInfo::exists(m_jawsFolder))
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
        for (const QString &root : { m_jawsFolder, packageFolder, shellFolders.commonAppDataFolder })
            Platform::SafeFiles::addTrustedRoot(root);
    } else {
        m_driverFolder = m_jawsFolder;
        m_sharedSettingsFolder = m_jawsFolder + QStringLiteral("/SETTINGS");
        m_userSettingsFolder.clear();
        Platform::SafeFiles::addTrustedRoot(m_jawsFolder);
        Platform::SafeFiles::addTrustedRoot(packageFolder);
    }
    return true;
}

void JawsTarget::keepListings(bool keep)
{
    if (keep)
        m_listedFolders.emplace();
    else
        m_listedFolders.reset();
}

QString JawsTarget::settingsFilePath(const QString &folder, const QString &name) const
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

QStringList JawsTarget::displayListPaths() const
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

QStringList JawsTarget::languageFolders(const QString &folder) const
{
    // An empty path would name the working folder.
    if (folder.isEmpty())
        return {};
    QStringList folders = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    if (m_otherFoldersInSettings) {
        // Three letters, in any case: enu, deu, fra, ptb, ... (INIT, VoiceProfiles are not).
        static const QRegularExpression languageName(QStringLiteral("^[A-Za-z]{3}$"));
        folders.removeIf([](const QString &name) { return !languageName.match(name).hasMatch(); });
    }
    return folders;
}

QString JawsTarget::userHeaderLine()
{
    if (m_allUsers)
        return tr("User settings: those of every user of this computer who has settings for the chosen Jaws.");
    const Platform::InteractiveUser &user = interactiveUser();
    if (!user.found)
        return tr("No interactive user was found: the user settings are those of %1, the account that runs the installation.")
            .arg(user.name);
    return tr("User settings: those of %1.").arg(user.name);
}

QStringList JawsTarget::derivedSettingsFolders()
{
    QStringList folders;
    for (const QString &folder : { m_sharedSettingsFolder, m_userSettingsFolder }) {
        if (!folder.isEmpty())
            folders << folder;
    }
    const JawsVersion version = jawsVersion();
    if (!version.hasUserSettings())
        return folders;
    if (m_userSettingsFolder.isEmpty()) {
        const QString user = settingsFolderUnder(interactiveUser().appDataFolder, version);
        if (!user.isEmpty())
            folders << user;
    }
    for (const Platform::UserProfile &profile : Platform::userProfiles()) {
        const QString folder = settingsFolderUnder(profile.appDataFolder, version);
        if (!folder.isEmpty())
            folders << folder;
    }
    return folders;
}

QString JawsTarget::installRecordPath() const
{
    return m_driverFolder.isEmpty() ? QString() : InstallRecord::pathIn(QDir::toNativeSeparators(m_driverFolder));
}

InstallRecord::Roots JawsTarget::recordRoots() const
{
    return { m_jawsFolder, m_sharedSettingsFolder };
}
