#include "jawsinstaller.h"

#include "installer/devicetable.h"
#include "installer/iniprofile.h"

#include <QDir>

namespace {

const QString displaysSection = QStringLiteral("BrailleDisplays");

QString slotKey(const char *pattern, int slot)
{
    return QString::fromLatin1(pattern).arg(slot);
}

} // namespace

void JawsInstaller::registerDisplays(const QString &jfwIniPath)
{
    m_report.writeLine(QString());
    const QList<Device> &devices = deviceTable();
    bool listed[2] = { false, false };
    // All of jfw.ini's changes land in one replacement of the file.
    IniProfile::Batch batch(jfwIniPath);
    int slot = 0;
    for (;;) {
        ++slot;
        const QString longName = IniProfile::readString(displaysSection, slotKey("Braille%1LongName", slot), jfwIniPath, QString());
        if (longName.isEmpty())
            break;
        if (longName == devices.at(0).longName) {
            listed[0] = true;
            // Earlier versions of the driver named this display OLMA.
            if (IniProfile::writeString(displaysSection, slotKey("Braille%1Name", slot), devices.at(0).name, jfwIniPath))
                m_report.writeLine(tr("Key 'BrailleName' OLMA has been changed into OLMA171 in jfw.ini file."));
        } else if (longName == devices.at(1).longName) {
            listed[1] = true;
        }
    }
    for (int row = 0; row < 2; ++row) {
        if (listed[row])
            continue;
        const Device &device = devices.at(row);
        bool written = IniProfile::writeString(displaysSection, slotKey("Braille%1LongName", slot), device.longName, jfwIniPath);
        written &= IniProfile::writeString(displaysSection, slotKey("Braille%1Name", slot), device.name, jfwIniPath);
        written &= IniProfile::writeString(displaysSection, slotKey("Braille%1Driver", slot), device.driver, jfwIniPath);
        written &= IniProfile::writeString(displaysSection, slotKey("Braille%1Port", slot), device.port, jfwIniPath);
        m_report.sectionAdded(device.reportName, QStringLiteral("jfw.ini"), written);
        ++slot;
    }
}

void JawsInstaller::selectDefaultDevice(const QString &deviceName)
{
    m_report.writeLine(QString());
    QString shortName = QLatin1String("");
    for (const Device &device : deviceTable()) {
        if (deviceName == device.deviceName) {
            shortName = device.shortName;
            break;
        }
    }
    // An empty BrailleDisplay= would leave JAWS with no display at all.
    if (shortName.isEmpty()) {
        m_report.writeLine(tr("ERROR : No Braille device of this driver was chosen: the default Braille device was not selected."));
        m_report.noteFailure();
        setHasErrors(true);
        return;
    }
    QString folder = m_userSettingsFolder;
    if (jawsVersion().namesDisplayBySlot()) {
        // JAWS 5 names the default display by the alias of its jfw.ini slot.
        const QString jfwIni = displayListPath();
        for (int slot = 1;; ++slot) {
            const QString name = IniProfile::readString(displaysSection, slotKey("Braille%1Name", slot), jfwIni, QString());
            if (name.isEmpty())
                break;
            if (name == shortName)
                shortName = slotKey("Braille%1", slot);
        }
        folder = m_sharedSettingsFolder;
    }
    if (folder.isEmpty()) {
        m_report.writeLine(tr("No JAWS settings folder: the default Braille device was not selected."));
        return;
    }
    for (const QString &language : languageFolders(folder)) {
        const QString path = QDir::toNativeSeparators(settingsFilePath(folder + QDir::separator() + language,
                                                                       QStringLiteral("default.jcf")));
        if (IniProfile::writeString(QStringLiteral("Options"), QStringLiteral("BrailleDisplay"), shortName, path)) {
            m_report.writeLine(tr("'%1' Braille device selected in %2.").arg(shortName, path));
        } else {
            m_report.writeLine(tr("Unable to select '%1' Braille device in %2.").arg(shortName, path));
            setHasErrors(true);
        }
    }
}
