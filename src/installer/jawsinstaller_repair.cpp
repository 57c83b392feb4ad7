#include "jawsinstaller.h"

#include "copy/copythread.h"
#include "installer/devicetable.h"
#include "ini/inifile.h"

#include <QDir>
#include <QFile>


// The repair run after a JAWS upgrade goes over every installation; one that has the driver
// already must not get another round of backups and rewritten settings files.
bool JawsInstaller::isInstalled() const
{
    if (m_sourceFiles.isEmpty() || m_sourceFiles.size() != m_destinationFiles.size())
        return false;
    for (int i = 0; i < m_sourceFiles.size(); ++i) {
        if (!CopyThread::sameContent(m_sourceFiles.at(i), m_destinationFiles.at(i)))
            return false;
    }
    QString shortName;
    for (const Device &device : deviceTable()) {
        if (device.deviceName == m_selectedDevice)
            shortName = device.shortName;
    }
    // A JAWS that names its display by a jfw.ini slot is set up afresh each time.
    if (shortName.isEmpty() || m_userSettingsFolder.isEmpty() || jawsVersion().namesDisplayBySlot())
        return false;
    const QStringList languages = languageFolders(m_userSettingsFolder);
    if (languages.isEmpty())
        return false;
    for (const QString &language : languages) {
        const QString path = settingsFilePath(m_userSettingsFolder + QDir::separator() + language, QStringLiteral("default.jcf"));
        if (IniFile(path).string(QStringLiteral("Options"), QStringLiteral("BrailleDisplay"), QString()) != shortName)
            return false;
    }
    return true;
}
