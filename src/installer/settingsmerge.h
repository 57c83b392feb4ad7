#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class Configuration;
class IniFile;
class InstallPackage;
class JawsTarget;

// The package's settings files merged into JAWS's, section by section, each target after a
// numbered backup: the shared settings of every language, and the driver's braille.ini. Each
// step reads and edits the files in a configuration's session and gives its lines to it.
class SettingsMerge
{
    // Its lines keep the catalogues' context of the engine they were written for.
    Q_DECLARE_TR_FUNCTIONS(JawsInstaller)

public:
    SettingsMerge(const JawsTarget &target, InstallPackage &package);
    SettingsMerge(const SettingsMerge &) = delete;
    SettingsMerge &operator=(const SettingsMerge &) = delete;

    // Merges each settings file of the package into the file of the same name, less
    // "korvalis_", in every language folder of the shared settings, after a numbered backup.
    // A file whose backup could not be made is left as it was.
    void mergeSettingsFiles(Configuration &configuration, const QStringList &filesNames);
    // Merges the driver's braille.ini into JAWS's, after a numbered backup; reports only what
    // failed, which is an error.
    void mergeBrailleIni(Configuration &configuration);

private:
    // Writes every named section of `source` into `target`, each replacing its namesake or
    // added at the end. The sections that could not be written.
    static QStringList mergeIniFile(IniFile &source, IniFile &target);
    // mergeIniFile after a numbered backup of an existing target; without the backup nothing
    // is merged, and every section of the source failed. The backup's line is written when
    // `reportSavedBackup` or when it failed. One line per section that did not reach the
    // target, a failure.
    void mergeBackedUp(Configuration &configuration, const QString &source, const QString &target, bool reportSavedBackup);

    const JawsTarget &m_target;
    InstallPackage &m_package;
};
