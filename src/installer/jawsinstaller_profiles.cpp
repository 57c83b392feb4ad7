#include "jawsinstaller.h"

#include "platform/safefiles.h"

#include "installer/configuration.h"

#include <QDir>
#include <QFileInfo>

QString JawsInstaller::userHeaderLine()
{
    if (m_allUsers)
        return tr("User settings: those of every user of this computer who has settings for the chosen Jaws.");
    const Platform::InteractiveUser &user = interactiveUser();
    if (!user.found)
        return tr("No interactive user was found: the user settings are those of %1, the account that runs the installation.")
            .arg(user.name);
    return tr("User settings: those of %1.").arg(user.name);
}

QStringList JawsInstaller::derivedSettingsFolders()
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

// Users who log on later get the display from the shared settings; those who have run this JAWS
// have their own settings, which win over the shared ones and so are configured one by one, in
// the same session as the shared ones. The folders whose key maps are to be moved aside once the
// session is committed.
QStringList JawsInstaller::configureEveryProfile(Configuration &configuration)
{
    QStringList keyMapFolders;
    const JawsVersion version = jawsVersion();
    if (!version.hasUserSettings())
        return keyMapFolders;
    for (const Platform::UserProfile &profile : Platform::userProfiles()) {
        const QString folder = settingsFolderUnder(profile.appDataFolder, version);
        configuration.begin(StepResult::Step::UserProfile);
        configuration.add(QString());
        // Until they log on, their own registry is not loaded: a redirected application data
        // folder, and the variables it is written with, cannot be known, and the folder under
        // their profile may be a stale one JAWS no longer reads.
        if (!profile.loggedOn) {
            configuration.add(tr("User %1 is not logged on: their settings are left as they are (where Windows keeps them is known "
                                 "only while they are logged on). They get the display from the shared settings, or from a run "
                                 "while they are logged on.").arg(profile.name));
            continue;
        }
        // A profile without settings for this JAWS is left as it is: JAWS makes them from the
        // shared ones when that user first runs it.
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            configuration.add(tr("User %1 has no settings for this Jaws: left untouched.").arg(profile.name));
            continue;
        }
        configuration.add(tr("User settings of %1 in %2:").arg(profile.name, QDir::toNativeSeparators(folder)));
        m_userSettingsFolder = folder;
        if (!version.namesDisplayBySlot())
            selectDefaultDevice(configuration, m_selectedDevice);
        if (version.hasUserTables())
            selectTranslationTables(configuration, folder);
        if (version.hidesSharedKeyMaps())
            keyMapFolders << folder;
    }
    m_userSettingsFolder.clear();
    return keyMapFolders;
}
