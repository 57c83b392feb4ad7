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

// Whether a slot of jfw.ini lists `device`: its long name as the installation writes it, or,
// since a long name can be spelled otherwise (jfw.ini is written in the system's code page,
// which may lack the "e" acute of the Olma's: a Greek Windows makes it "e" or "?"), both its
// driver and its name, or `olderName`, which earlier drivers gave it. Either alone could be
// another display's.
bool listsDevice(const Device &device, const QString &longName, const QString &name, const QString &driver,
                 const QString &olderName)
{
    if (longName == device.longName)
        return true;
    if (driver.compare(device.driver, Qt::CaseInsensitive) != 0)
        return false;
    return name.compare(device.name, Qt::CaseInsensitive) == 0
        || (!olderName.isEmpty() && name.compare(olderName, Qt::CaseInsensitive) == 0);
}

} // namespace

void JawsInstaller::registerDisplays(const QString &jfwIniPath)
{
    m_report.writeLine(QString());
    const QList<Device> &devices = deviceTable();
    bool listed[2] = { false, false };
    // The Name rewrites (one per slot of the Olma) and the slots added, each with whether the
    // change was made; the lines are written once the file has been replaced, from what it holds.
    QList<bool> rewrites;
    bool added[2] = { false, false };
    // All of jfw.ini's changes land in one replacement of the file.
    IniProfile::Batch batch(jfwIniPath);
    auto slotValue = [&](const char *pattern, int slot) {
        return IniProfile::readString(displaysSection, slotKey(pattern, slot), jfwIniPath, QString());
    };
    int slot = 0;
    for (;;) {
        ++slot;
        const QString longName = slotValue("Braille%1LongName", slot);
        if (longName.isEmpty())
            break;
        const QString name = slotValue("Braille%1Name", slot);
        const QString driver = slotValue("Braille%1Driver", slot);
        if (listsDevice(devices.at(0), longName, name, driver, QStringLiteral("OLMA"))) {
            listed[0] = true;
            // Earlier versions of the driver named this display OLMA.
            rewrites << IniProfile::writeString(displaysSection, slotKey("Braille%1Name", slot), devices.at(0).name, jfwIniPath);
        } else if (listsDevice(devices.at(1), longName, name, driver, QString())) {
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
        added[row] = written;
        ++slot;
    }
    const bool committed = batch.commit();
    // A display JAWS does not list, or lists under a name the driver does not answer to, cannot
    // be used: an error of the installation.
    for (bool rewritten : std::as_const(rewrites)) {
        if (rewritten && committed) {
            m_report.writeLine(tr("Key 'BrailleName' OLMA has been changed into OLMA171 in jfw.ini file."));
        } else {
            m_report.writeLine(tr("ERROR : Unable to change key 'BrailleName' OLMA into OLMA171 in jfw.ini file."));
            m_report.noteFailure();
            setHasErrors(true);
        }
    }
    for (int row = 0; row < 2; ++row) {
        if (listed[row])
            continue;
        m_report.sectionAdded(devices.at(row).reportName, QStringLiteral("jfw.ini"), added[row] && committed);
        if (!(added[row] && committed))
            setHasErrors(true);
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
