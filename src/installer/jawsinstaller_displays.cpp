#include "jawsinstaller.h"

#include "installer/devicetable.h"
#include "installer/configuration.h"

#include <QDir>
#include <QFileInfo>

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

void JawsInstaller::registerDisplays(Configuration &configuration, const QStringList &jfwIniPaths)
{
    configuration.begin(StepResult::Step::Displays);
    configuration.add(QString());
    for (const QString &jfwIniPath : jfwIniPaths)
        registerDisplaysIn(configuration, jfwIniPath);
}

void JawsInstaller::registerDisplaysIn(Configuration &configuration, const QString &jfwIniPath)
{
    const QList<Device> &devices = deviceTable();
    IniFile &jfwIni = configuration.file(jfwIniPath);
    const bool existed = jfwIni.existed();
    bool listed[2] = { false, false };
    auto slotValue = [&](const char *pattern, int slot) {
        return jfwIni.string(displaysSection, slotKey(pattern, slot), QString());
    };
    // A display JAWS does not list, or lists under a name the driver does not answer to, cannot
    // be used: an error of the installation. Each line says what the commit made of the change.
    const QStringList files{ jfwIniPath };
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
            const bool rewritten = jfwIni.writeString(displaysSection, slotKey("Braille%1Name", slot), devices.at(0).name);
            configuration.addWhenSaved(files, rewritten, tr("Key 'BrailleName' OLMA has been changed into OLMA171 in jfw.ini file."),
                                       tr("ERROR : Unable to change key 'BrailleName' OLMA into OLMA171 in jfw.ini file."));
        } else if (listsDevice(devices.at(1), longName, name, driver, QString())) {
            listed[1] = true;
        }
    }
    for (int row = 0; row < 2; ++row) {
        if (listed[row])
            continue;
        const Device &device = devices.at(row);
        bool written = jfwIni.writeString(displaysSection, slotKey("Braille%1LongName", slot), device.longName);
        written &= jfwIni.writeString(displaysSection, slotKey("Braille%1Name", slot), device.name);
        written &= jfwIni.writeString(displaysSection, slotKey("Braille%1Driver", slot), device.driver);
        written &= jfwIni.writeString(displaysSection, slotKey("Braille%1Port", slot), device.port);
        const QString jfwIniName = QStringLiteral("jfw.ini");
        configuration.addWhenSaved(files, written, Report::sectionAddedLine(device.reportName, jfwIniName, true),
                                   Report::sectionAddedLine(device.reportName, jfwIniName, false));
        ++slot;
    }
    if (!existed) {
        const QString text = tr("No jfw.ini file was found in %1 nor in the shared settings folder %2: it has been created in %1.")
                                 .arg(QDir::toNativeSeparators(m_programFolder), QDir::toNativeSeparators(m_sharedSettingsFolder));
        configuration.addSettled([jfwIniPath, text](const SettingsSession &) {
            return QFileInfo::exists(jfwIniPath) ? std::optional<StepResult::Line>({ text, StepResult::Outcome::Note })
                                                 : std::optional<StepResult::Line>();
        });
    }
}

void JawsInstaller::selectDefaultDevice(Configuration &configuration, const QString &deviceName)
{
    configuration.begin(StepResult::Step::DefaultDevice);
    configuration.add(QString());
    QString shortName = QLatin1String("");
    for (const Device &device : deviceTable()) {
        if (deviceName == device.deviceName) {
            shortName = device.shortName;
            break;
        }
    }
    // An empty BrailleDisplay= would leave JAWS with no display at all.
    if (shortName.isEmpty()) {
        configuration.add(tr("ERROR : No Braille device of this driver was chosen: the default Braille device was not selected."),
                          StepResult::Outcome::Failed);
        return;
    }
    QString folder = m_userSettingsFolder;
    if (jawsVersion().namesDisplayBySlot()) {
        // JAWS 5 names the default display by the alias of its jfw.ini slot, as the displays
        // step left it.
        IniFile &jfwIni = configuration.file(displayListPaths().constFirst());
        for (int slot = 1;; ++slot) {
            const QString name = jfwIni.string(displaysSection, slotKey("Braille%1Name", slot), QString());
            if (name.isEmpty())
                break;
            if (name == shortName)
                shortName = slotKey("Braille%1", slot);
        }
        folder = m_sharedSettingsFolder;
    }
    if (folder.isEmpty()) {
        configuration.add(tr("No JAWS settings folder: the default Braille device was not selected."));
        return;
    }
    for (const QString &language : languageFolders(folder)) {
        const QString path = QDir::toNativeSeparators(settingsFilePath(folder + QDir::separator() + language,
                                                                       QStringLiteral("default.jcf")));
        const bool written = configuration.file(path).writeString(QStringLiteral("Options"), QStringLiteral("BrailleDisplay"), shortName);
        configuration.addWhenSaved({ path }, written, tr("'%1' Braille device selected in %2.").arg(shortName, path),
                                   tr("Unable to select '%1' Braille device in %2.").arg(shortName, path));
    }
}
