#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class Configuration;
class InstallPackage;
class InstallRecorder;
class JawsTarget;
class RunReport;
class SettingsMerge;
class UserKeyMaps;

// JAWS set up for the chosen display once the files are copied: every settings edit in its fixed
// order (the merged settings files and braille.ini, the display lists, the default display, the
// braille tables), in one session committed once with the install record, then the user's key
// maps moved aside.
class JawsConfiguration
{
    // Its lines keep the catalogues' context of the engine they were written for.
    Q_DECLARE_TR_FUNCTIONS(JawsInstaller)

public:
    JawsConfiguration(JawsTarget &target, const InstallPackage &package, RunReport &run, SettingsMerge &merge,
                      UserKeyMaps &keyMaps, InstallRecorder &recorder);
    JawsConfiguration(const JawsConfiguration &) = delete;
    JawsConfiguration &operator=(const JawsConfiguration &) = delete;

    // The display chosen, by its name in the device table.
    void setSelectedDevice(const QString &deviceName) { m_selectedDevice = deviceName; }
    QString selectedDevice() const { return m_selectedDevice; }

    // Every settings edit, in its fixed order, in one session committed once; true when
    // anything in the installation failed.
    bool configureJaws();
    // The last configureJaws() saw an interrupt before its commit and wrote nothing.
    bool stopped() const { return m_stopped; }
    // The chosen display is the default one in every language folder of the user's settings:
    // with the files in place, nothing is left to do in this JAWS installation.
    bool defaultDeviceSelected() const;

    // The steps. Each reads and edits the settings files in `configuration`'s session, and gives
    // its report lines to it; nothing reaches the disk or the report before the configuration
    // commits.
    //
    // Lists both display models in free slots of the BrailleDisplays of each jfw.ini.
    void registerDisplays(Configuration &configuration, const QStringList &jfwIniPaths);
    // Makes the chosen display the default in the default.jcf of every language folder.
    void selectDefaultDevice(Configuration &configuration, const QString &deviceName);
    // The driver's keyboard braille table for the system's language, into korvalis.ini.
    void selectKeyboardTable(Configuration &configuration, const QString &driverIniPath);
    // The manifest's translation table of each language folder, into its default.jcf.
    void selectTranslationTables(Configuration &configuration, const QString &settingsFolder);
    // Commits `configuration` and writes every step's lines to the report, in step order.
    void commit(Configuration &configuration);

private:
    // The displays step for one jfw.ini.
    void registerDisplaysIn(Configuration &configuration, const QString &jfwIniPath);
    // The default display in the user settings folder `userSettingsFolder`.
    void selectDefaultDeviceIn(Configuration &configuration, const QString &deviceName, const QString &userSettingsFolder);
    // True for a settings folder that exists (or none at all); else a failed line names the
    // folder looked for.
    bool settingsFolderFound(const QString &folder);
    // With every user: the user settings of each profile that has them for the chosen JAWS, in
    // `configuration`; the folders whose key maps are moved aside after its commit.
    QStringList configureEveryProfile(Configuration &configuration);

    JawsTarget &m_target;
    const InstallPackage &m_package;
    RunReport &m_run;
    SettingsMerge &m_merge;
    UserKeyMaps &m_keyMaps;
    InstallRecorder &m_recorder;
    QString m_selectedDevice;
    bool m_stopped = false;
};
