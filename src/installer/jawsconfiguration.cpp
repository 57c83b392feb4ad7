#include "jawsconfiguration.h"

#include "installpackage.h"
#include "installrecorder.h"
#include "jawstarget.h"
#include "runreport.h"
#include "settingsmerge.h"
#include "userkeymaps.h"

#include "installer/configuration.h"
#include "installer/devicetable.h"
#include "ini/inifile.h"
#include "platform/console.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

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


// The manifest section of the keyboard table for each system language; by enumerator name, as
// the numbers changed between Qt versions. Other languages take the English table.
QString keyboardTableSection(QLocale::Language language)
{
    static const QList<QPair<QLocale::Language, const char *>> table{
        { QLocale::Danish, "DAN" },          { QLocale::Dutch, "NLD" },   { QLocale::English, "ENU" },
        { QLocale::French, "FRA" },          { QLocale::German, "DEU" },  { QLocale::Greek, "ELL" },
        { QLocale::Italian, "ITA" },         { QLocale::NorwegianBokmal, "NOR" },
        { QLocale::Polish, "PLK" },          { QLocale::Portuguese, "PTG" }, { QLocale::Spanish, "ESN" },
        { QLocale::Swedish, "SVE" },         { QLocale::Turkish, "TRK" },
    };
    for (const auto &entry : table) {
        if (entry.first == language)
            return QString::fromLatin1(entry.second) + QStringLiteral("_KBD_BRAILLE_TABLE");
    }
    return QStringLiteral("ENU_KBD_BRAILLE_TABLE");
}

} // namespace

JawsConfiguration::JawsConfiguration(JawsTarget &target, const InstallPackage &package, RunReport &run, SettingsMerge &merge,
                                     UserKeyMaps &keyMaps, InstallRecorder &recorder)
    : m_target(target)
    , m_package(package)
    , m_run(run)
    , m_merge(merge)
    , m_keyMaps(keyMaps)
    , m_recorder(recorder)
{
}

bool JawsConfiguration::configureJaws()
{
    const JawsVersion version = m_target.jawsVersion();
    // A settings folder that is not there is never made: JAWS would not read it.
    const bool sharedFound = settingsFolderFound(m_target.sharedSettingsFolder());
    // With every user, no single user's folder: each profile is configured at the end.
    const bool userFound = !m_target.allUsers() && settingsFolderFound(m_target.userSettingsFolder());
    QStringList filesNames;
    m_package.mergeFileNames(filesNames);
    m_target.keepListings(true);
    // Every step reads and edits the same files in memory; they reach the disk together, once,
    // at the commit, and the report says what the commit achieved.
    Configuration configuration;
    // The record is the first file the commit replaces: a run stopped during the commit leaves
    // one that names every change the commit may have made.
    if (!m_target.installRecordPath().isEmpty())
        configuration.file(m_target.installRecordPath());
    if (sharedFound)
        m_merge.mergeSettingsFiles(configuration, filesNames);
    m_merge.mergeBrailleIni(configuration);
    // Without derived folders (no JAWS chosen) these files would land at the root of a drive.
    if (!m_target.programFolder().isEmpty())
        registerDisplays(configuration, m_target.displayListPaths());
    if (version.namesDisplayBySlot() ? sharedFound : userFound)
        selectDefaultDevice(configuration, m_selectedDevice);
    if (!m_target.driverFolder().isEmpty())
        selectKeyboardTable(configuration, m_target.driverFolder() + QDir::separator() + QStringLiteral("korvalis.ini"));
    if (sharedFound)
        selectTranslationTables(configuration, m_target.sharedSettingsFolder());
    if (version.hasUserTables() && userFound)
        selectTranslationTables(configuration, m_target.userSettingsFolder());
    const QStringList profileKeyMaps = m_target.allUsers() ? configureEveryProfile(configuration) : QStringList();
    // Known before the commit, so that the record committed with the settings names them.
    QList<InstallRecord::KeyMap> keyMaps;
    if (version.hidesSharedKeyMaps() && userFound)
        keyMaps = m_keyMaps.of(m_target.userSettingsFolder());
    for (const QString &folder : profileKeyMaps)
        keyMaps += m_keyMaps.of(folder);
    // An interrupt that came while the files were read (one held by another program can block
    // for long): nothing reaches the disk, as with a cancel before the configuration.
    m_stopped = Platform::interruptRequested();
    if (m_stopped)
        return m_run.hasErrors();
    m_recorder.writeInstallRecord(configuration, keyMaps);
    // The commit makes files: what was listed before may no longer be all there is.
    m_target.keepListings(false);
    commit(configuration);
    m_keyMaps.moveAside(keyMaps);
    return m_run.hasErrors();
}

void JawsConfiguration::commit(Configuration &configuration)
{
    m_run.record(configuration.commit());
}

bool JawsConfiguration::settingsFolderFound(const QString &folder)
{
    if (folder.isEmpty() || QFileInfo(folder).isDir())
        return true;
    m_run.record(StepResult::Step::SettingsFolders,
           tr("ERROR : Jaws settings folder %1 not found: nothing was configured there.").arg(QDir::toNativeSeparators(folder)),
           StepResult::Outcome::Failed);
    return false;
}

// The repair run after a JAWS upgrade goes over every installation; one that has the driver
// already must not get another round of backups and rewritten settings files.
bool JawsConfiguration::defaultDeviceSelected() const
{
    QString shortName;
    for (const Device &device : deviceTable()) {
        if (device.deviceName == m_selectedDevice)
            shortName = device.shortName;
    }
    // A JAWS that names its display by a jfw.ini slot is set up afresh each time.
    if (shortName.isEmpty() || m_target.userSettingsFolder().isEmpty() || m_target.jawsVersion().namesDisplayBySlot())
        return false;
    const QStringList languages = m_target.languageFolders(m_target.userSettingsFolder());
    if (languages.isEmpty())
        return false;
    for (const QString &language : languages) {
        const QString path = m_target.settingsFilePath(m_target.userSettingsFolder() + QDir::separator() + language, QStringLiteral("default.jcf"));
        if (IniFile(path).string(QStringLiteral("Options"), QStringLiteral("BrailleDisplay"), QString()) != shortName)
            return false;
    }
    return true;
}

void JawsConfiguration::registerDisplays(Configuration &configuration, const QStringList &jfwIniPaths)
{
    configuration.begin(StepResult::Step::Displays);
    configuration.add(QString());
    for (const QString &jfwIniPath : jfwIniPaths)
        registerDisplaysIn(configuration, jfwIniPath);
}

void JawsConfiguration::registerDisplaysIn(Configuration &configuration, const QString &jfwIniPath)
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
                                 .arg(QDir::toNativeSeparators(m_target.programFolder()), QDir::toNativeSeparators(m_target.sharedSettingsFolder()));
        configuration.addSettled([jfwIniPath, text](const SettingsSession &) {
            return QFileInfo::exists(jfwIniPath) ? std::optional<StepResult::Line>({ text, StepResult::Outcome::Note })
                                                 : std::optional<StepResult::Line>();
        });
    }
}

void JawsConfiguration::selectDefaultDevice(Configuration &configuration, const QString &deviceName)
{
    selectDefaultDeviceIn(configuration, deviceName, m_target.userSettingsFolder());
}

void JawsConfiguration::selectDefaultDeviceIn(Configuration &configuration, const QString &deviceName, const QString &userSettingsFolder)
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
    QString folder = userSettingsFolder;
    if (m_target.jawsVersion().namesDisplayBySlot()) {
        // JAWS 5 names the default display by the alias of its jfw.ini slot, as the displays
        // step left it.
        IniFile &jfwIni = configuration.file(m_target.displayListPaths().constFirst());
        for (int slot = 1;; ++slot) {
            const QString name = jfwIni.string(displaysSection, slotKey("Braille%1Name", slot), QString());
            if (name.isEmpty())
                break;
            if (name == shortName)
                shortName = slotKey("Braille%1", slot);
        }
        folder = m_target.sharedSettingsFolder();
    }
    if (folder.isEmpty()) {
        configuration.add(tr("No JAWS settings folder: the default Braille device was not selected."));
        return;
    }
    for (const QString &language : m_target.languageFolders(folder)) {
        const QString path = QDir::toNativeSeparators(m_target.settingsFilePath(folder + QDir::separator() + language,
                                                                       QStringLiteral("default.jcf")));
        const bool written = configuration.file(path).writeString(QStringLiteral("Options"), QStringLiteral("BrailleDisplay"), shortName);
        configuration.addWhenSaved({ path }, written, tr("'%1' Braille device selected in %2.").arg(shortName, path),
                                   tr("Unable to select '%1' Braille device in %2.").arg(shortName, path));
    }
}

void JawsConfiguration::selectKeyboardTable(Configuration &configuration, const QString &driverIniPath)
{
    configuration.begin(StepResult::Step::KeyboardTable);
    const QLocale::Language language = QLocale::system().language();
    configuration.add(QString());
    const QString section = keyboardTableSection(language).toUpper();
    const QString tableName = configuration.file(m_package.manifestPath()).string(section, QStringLiteral("BrailleTranslationTable"), QString());
    // A bare ".kbd" would leave the driver without any keyboard table.
    if (tableName.isEmpty()) {
        configuration.add(tr("ERROR : The installation package names no keyboard Braille table in its [%1] section: %2 was not changed.")
                              .arg(section, QDir::toNativeSeparators(driverIniPath)),
                          StepResult::Outcome::Failed);
        return;
    }
    const QString table = tableName + QStringLiteral(".kbd");
    const bool written = configuration.file(driverIniPath).writeString(QStringLiteral("GENERAL"), QStringLiteral("BrailleFileName"), table);
    configuration.addWhenSaved({ driverIniPath }, written, Report::tableSelectedLine(table, driverIniPath, true),
                               Report::tableSelectedLine(table, driverIniPath, false));
}

void JawsConfiguration::selectTranslationTables(Configuration &configuration, const QString &settingsFolder)
{
    configuration.begin(StepResult::Step::TranslationTables);
    configuration.add(QString());
    IniFile &manifest = configuration.file(m_package.manifestPath());
    for (const QString &language : m_target.languageFolders(settingsFolder)) {
        const QString section = (language + QStringLiteral("_JBT_BRAILLE_TABLE")).toUpper();
        const QString table = manifest.string(section, QStringLiteral("BrailleTranslationTable"), QString());
        if (table.isEmpty())
            continue;
        const QString path = m_target.settingsFilePath(settingsFolder + QDir::separator() + language, QStringLiteral("default.jcf"));
        const bool written = configuration.file(path).writeString(QStringLiteral("Braille"), QStringLiteral("BrailleTranslationTable"), table);
        // A JAWS settings file left as it was: the display would show the wrong braille.
        configuration.addWhenSaved({ path }, written, Report::tableSelectedLine(table, path, true),
                                   Report::tableSelectedLine(table, path, false));
    }
}

// Users who log on later get the display from the shared settings; those who have run this JAWS
// have their own settings, which win over the shared ones and so are configured one by one, in
// the same session as the shared ones. The folders whose key maps are to be moved aside once the
// session is committed.
QStringList JawsConfiguration::configureEveryProfile(Configuration &configuration)
{
    QStringList keyMapFolders;
    const JawsVersion version = m_target.jawsVersion();
    if (!version.hasUserSettings())
        return keyMapFolders;
    for (const Platform::UserProfile &profile : Platform::userProfiles()) {
        const QString folder = JawsTarget::settingsFolderUnder(profile.appDataFolder, version);
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
        if (!version.namesDisplayBySlot())
            selectDefaultDeviceIn(configuration, m_selectedDevice, folder);
        if (version.hasUserTables())
            selectTranslationTables(configuration, folder);
        if (version.hidesSharedKeyMaps())
            keyMapFolders << folder;
    }
    return keyMapFolders;
}
