#include "jawsinstaller.h"

#include "installer/shellfolders.h"
#include "version/fileversionreader.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString neutralUnicode = QStringLiteral("000004b0");

QString underFolder(const QString &folder, const QString &suffix)
{
    return folder.isEmpty() ? QString() : folder + suffix;
}
} // namespace

void JawsInstaller::reset()
{
    m_jawsFolder.clear();
    m_programFolder.clear();
    m_driverFolder.clear();
    m_manualsFolder.clear();
    m_sharedSettingsFolder.clear();
    m_userSettingsFolder.clear();
    m_selectedDevice.clear();
}

bool JawsInstaller::computeTargetFolders()
{
    if (!QFileInfo::exists(m_sourceFolder) || !QFileInfo::exists(m_jawsFolder))
        return false;

    const QString jfwExe = m_jawsFolder + QDir::separator() + QStringLiteral("jfw.exe");
    const QString major = FileVersionReader::fileVersionField(jfwExe, 1, neutralUnicode);
    const QString minor = FileVersionReader::fileVersionField(jfwExe, 2, neutralUnicode);
    const QString settingsSuffix = QStringLiteral("/Freedom Scientific/JAWS/%1.%2/Settings").arg(major, minor);
    const int majorVersion = major.toInt(); // not a number: 0, the oldest layout

    m_programFolder = m_jawsFolder;
    m_manualsFolder = m_jawsFolder + QStringLiteral("/MANUALS");
    if (majorVersion >= 6) {
        const ShellFolders shellFolders;
        m_driverFolder = majorVersion >= 7 ? m_jawsFolder + QStringLiteral("/Drivers/Braille/quorolma") : m_jawsFolder;
        // Without its application data folder a settings folder would land at the root of the
        // drive: it stays empty instead, and nothing is created or edited there.
        m_sharedSettingsFolder = underFolder(shellFolders.commonAppDataFolder, settingsSuffix);
        m_userSettingsFolder = underFolder(shellFolders.appDataFolder, settingsSuffix);
    } else {
        m_driverFolder = m_jawsFolder;
        m_sharedSettingsFolder = m_jawsFolder + QStringLiteral("/SETTINGS");
        m_userSettingsFolder.clear();
    }
    return true;
}

void JawsInstaller::createTargetFolders()
{
    for (const QString &folder : { m_driverFolder, m_manualsFolder, m_sharedSettingsFolder, m_userSettingsFolder }) {
        // An empty path names the current folder, which exists: nothing is created for it.
        if (!folder.isEmpty() && !QFileInfo::exists(folder))
            QDir().mkpath(folder);
    }
}
