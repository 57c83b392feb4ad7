#pragma once

#include "report/report.h"
#include "version/jawsversion.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QMap>
#include <QString>
#include <QStringList>

// The installation engine: where the package's files come from, where they go in the chosen
// JAWS installation, the report of the run and whether anything failed. One object lives for
// the whole process.
class JawsInstaller
{
    Q_DECLARE_TR_FUNCTIONS(JawsInstaller)

public:
    JawsInstaller() = default;
    JawsInstaller(const JawsInstaller &) = delete;
    JawsInstaller &operator=(const JawsInstaller &) = delete;

    QString sourceFolder() const { return m_sourceFolder; }
    // Set by startReport to the program's folder; tests point it elsewhere.
    void setSourceFolder(const QString &path) { m_sourceFolder = path; }
    void setJawsFolder(const QString &path) { m_jawsFolder = path; }
    void setSelectedDevice(const QString &sectionName) { m_selectedDevice = sectionName; }
    QStringList sourceFiles() const { return m_sourceFiles; }
    QStringList destinationFiles() const { return m_destinationFiles; }
    QString programFolder() const { return m_programFolder; }
    void setHasErrors(bool hasErrors) { m_hasErrors = hasErrors; }
    bool hasErrors() const { return m_hasErrors; }
    QString reportPath() const { return m_reportPath; }
    void setReportPath(const QString &path) { m_reportPath = path; }
    Report &report() { return m_report; }

    QString jawsFolder() const { return m_jawsFolder; }
    QString driverFolder() const { return m_driverFolder; }
    QString manualsFolder() const { return m_manualsFolder; }
    QString sharedSettingsFolder() const { return m_sharedSettingsFolder; }
    QString userSettingsFolder() const { return m_userSettingsFolder; }
    QString selectedDevice() const { return m_selectedDevice; }
    // Normally derived from the JAWS version; tests name a folder of their own.
    void setSharedSettingsFolderForTest(const QString &path) { m_sharedSettingsFolder = path; }

    // Forgets the chosen JAWS installation and everything derived from it; keeps the package
    // folder, the file lists, the error flag and the report's path.
    void reset();
    // Derives the program, driver, manuals and settings folders from the version of jfw.exe in
    // the chosen folder. False, changing nothing, when the package or JAWS folder is missing.
    bool computeTargetFolders();
    // Creates the derived folders that do not exist yet (the program folder is JAWS's own).
    void createTargetFolders();

    // Every section of an ini file with its lines, by section name.
    QMap<QString, QStringList> readSectionsMap(const QString &file) const;
    // The names of the package's files that the manifest sends to the program folder, the
    // driver folder and each existing language folder of the manuals. Outputs are assigned only
    // when the manifest has sections.
    void readInstallList(QStringList &toBeCopied, QStringList &driversToBeCopied,
                         QMap<QString, QStringList> &toBeCopiedIntoManualsFolder) const;
    // The names of the package's settings files to merge.
    void mergeFileNames(QStringList &filesNames) const;
    // The package beside the program has what an installation needs: the manifest, the driver
    // and the driver's braille.ini with a section for the chosen display. Each missing part gets
    // an ERROR line and sets the error flag; nothing is touched either way.
    bool checkPackage();
    // The driver's file name in the package and in JAWS's folders.
    static QString driverFileName();
    // What every run needs of the package: the manifest, the driver and its braille.ini.
    static QStringList requiredPackageFiles();
    // The driver's braille.ini section of a display of the device table, as that file spells
    // it; empty when the file has none.
    QString deviceSection(const QString &deviceName) const;

    // Derives the target folders, creates the missing ones and lists every file to install.
    // False, listing nothing, when the package or JAWS folder is missing.
    bool prepareCopy();

    // The first free numbered backup name of a file: path.001, path.002, ... path.999,
    // path.1000 (returned even when it exists).
    QString backupFileName(const QString &path) const;
    // Merges each settings file of the package into the file of the same name, less
    // "korvalis_", in every language folder of the shared settings, after a numbered backup.
    // A file whose backup could not be made is left as it was.
    void mergeSettingsFiles(const QStringList &filesNames);
    // Merges the driver's braille.ini into JAWS's, after a numbered backup; reports only what
    // failed, which is an error.
    void mergeBrailleIni();

    // Lists both display models in free slots of jfw.ini's BrailleDisplays, unless listed.
    void registerDisplays(const QString &jfwIniPath);
    // Makes the chosen display the default in the default.jcf of every language folder.
    void selectDefaultDevice(const QString &deviceName);
    // The version of the chosen JAWS: every folder and version-dependent step follows from it.
    JawsVersion jawsVersion() const;
    // The display list that registerDisplays edits: jfw.ini in the program folder, else the one
    // in the shared settings folder or its INIT folder; in the program folder when none exists.
    QString displayListPath() const;

    // The driver's keyboard braille table for the system's language, into korvalis.ini.
    void selectKeyboardTable(const QString &driverIniPath);
    // The manifest's translation table of each language folder, into its default.jcf.
    void selectTranslationTables(const QString &settingsFolder);
    // Moves the user's own key maps aside (backup, then delete) so the merged ones take effect.
    void resetUserKeyMaps(const QString &settingsFolder);
    // Every settings edit, in its fixed order; true when anything in the installation failed.
    bool configureJaws();

    // Opens the report beside the program, which is also the package folder.
    void startReport();
    // Puts this run's report at the head of the one in the JAWS program folder, in one
    // replacement of that file; the report's path then names it.
    void publishReport();
    // Removes the package files that the installation used, then closes the run's block in
    // the report.
    void endReport();

    // What became of one copy of the worker (the destination as it reports it): a package file
    // whose every copy and merge succeeded lives on in the JAWS folders, and only such a file is
    // removed at the end.
    void recordCopy(const QString &destination, bool ok);
    // A file of the package folder that the program itself used (a catalogue): removed at the
    // end only when the whole package was delivered, so that a second run still finds it.
    void addOwnPackageFile(const QString &path);
    // The package folder's files that the clean-up would remove now.
    QStringList removablePackageFiles() const;

private:
    QString manifestPath() const;
    QStringList matchingFiles(const QMap<QString, QStringList> &sectionsMap, const QString &section) const;
    void appendTheFiles(const QString &sourceRoot, const QString &destinationFolder, const QStringList &toBeCopied);
    // Writes every named section of `source` into `target`, each replacing its namesake or
    // added at the end, as one replacement of the target. The sections that could not be
    // written.
    QStringList mergeIniFile(const QString &source, const QString &target);
    // True for a settings folder that exists (or none at all); else an ERROR line names the
    // folder looked for, and the installation counts as failed.
    bool settingsFolderFound(const QString &folder);
    // A file of a JAWS folder under the name it has there, whatever its case.
    static QString settingsFilePath(const QString &folder, const QString &name);
    // mergeIniFile after a numbered backup of an existing target, flushed to disk; without the
    // backup, nothing is merged (every section of the source failed) and the error flag is set.
    // The backup's line is written when `reportSavedBackup` or when it failed.
    QStringList mergeBackedUp(const QString &source, const QString &target, bool reportSavedBackup);
    // One line per section that did not reach the target; the error flag when there is any.
    void reportMergeFailures(const QStringList &sections, const QString &target);
    // Copies `path` to `backup`, which must not exist yet, and flushes the copy to disk.
    static bool saveBackup(const QString &path, const QString &backup);
    // The subfolders of a settings or manuals folder, one per JAWS language, sorted without
    // regard to case; none for an empty path. For a JAWS that keeps other folders beside them,
    // only those named as JAWS names languages.
    QStringList languageFolders(const QString &folder) const;
    // Records one use of a file of the package folder: `ok` when its content reached JAWS.
    void recordPackageFileUse(const QString &sourcePath, bool ok);
    // The name under which a file of the package folder is remembered.
    QString packageKey(const QString &path) const;
    QStringList deliveredContent(const QStringList &packageFiles) const;
    void cleanUpPackageFolder();

    QString m_sourceFolder;
    QString m_jawsFolder;
    QStringList m_destinationFiles;
    QStringList m_sourceFiles;
    QString m_programFolder;
    QString m_driverFolder;
    QString m_manualsFolder;
    QString m_sharedSettingsFolder;
    QString m_userSettingsFolder;
    bool m_otherFoldersInSettings = false;
    QString m_selectedDevice;
    Report m_report;
    bool m_hasErrors = false;
    QString m_reportPath;
    // The package files of the copy lists, by the WindowsPath key of their destination.
    QHash<QString, QString> m_sourceOfDestination;
    // Package files the installation used, true while every use succeeded.
    QHash<QString, bool> m_packageFileUses;
    QSet<QString> m_ownPackageFiles;
};
