#pragma once

#include "platform/interactiveuser.h"
#include "record/installrecord.h"
#include "installer/stepresult.h"
#include "report/report.h"
#include "version/jawsversion.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>
class Configuration;
class IniFile;

// The installation engine: where the package's files come from, where they go in the chosen
// JAWS installation, the report of the run and the result of each step. One object lives for
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
    // Writes `text` to the report as a line of `step`'s result.
    void record(StepResult::Step step, const QString &text, StepResult::Outcome outcome = StepResult::Outcome::Note);
    // Writes the lines of `results` to the report, in order, and keeps the results.
    void record(const QList<StepResult> &results);
    const QList<StepResult> &results() const { return m_results; }
    // Whether any step of the installation failed; and whether the given one did.
    // From the result numbered `from` on: a run over several installations asks of each alone.
    bool hasErrors(qsizetype from = 0) const;
    bool failed(StepResult::Step step, qsizetype from = 0) const;
    qsizetype resultCount() const { return m_results.size(); }
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
    // folder, the file lists, the steps' results and the report's path.
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
    // and the driver's braille.ini with a section for the chosen display. Each missing part is
    // a failed line of the package's result; nothing is touched either way.
    bool checkPackage();
    // The driver's file name in the package and in JAWS's folders.
    static QString driverFileName();
    // What every run needs of the package: the manifest, the driver and its braille.ini.
    static QStringList requiredPackageFiles();
    // The driver's braille.ini section of a display of the device table, as that file spells
    // it; empty when the file has none.
    QString deviceSection(const QString &deviceName) const;

    // Derives the target folders and lists every file to install; makes no folder (see
    // writeIntentRecord). False, listing nothing, when the package or JAWS folder is missing.
    bool prepareCopy();
    // Right before the copy's first file, after prepareCopy(): the record of this JAWS
    // installation names what the run is about to do (every file it will copy, with what is
    // there now, and every folder it will make), marked unfinished, on top of what earlier
    // installations recorded; then the target folders are made. A run stopped at any moment
    // after this leaves a record from which a removal takes away what it put there. False, with
    // a failed line and no folder left made, when the record could not be written: nothing may
    // be copied then.
    bool writeIntentRecord();

    // The configuration's steps. Each reads and edits the settings files in `configuration`'s
    // session, and gives its report lines to it; nothing reaches the disk or the report before
    // the configuration commits.
    //
    // Merges each settings file of the package into the file of the same name, less
    // "korvalis_", in every language folder of the shared settings, after a numbered backup.
    // A file whose backup could not be made is left as it was.
    void mergeSettingsFiles(Configuration &configuration, const QStringList &filesNames);
    // Merges the driver's braille.ini into JAWS's, after a numbered backup; reports only what
    // failed, which is an error.
    void mergeBrailleIni(Configuration &configuration);
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

    // Moves the user's own key maps aside (backup, then delete) so the merged ones take effect;
    // after the commit, since it changes files at once.
    void resetUserKeyMaps(const QString &settingsFolder);
    // The key maps of a settings folder that resetUserKeyMaps would move, with their backups'
    // names; and the move itself.
    QList<InstallRecord::KeyMap> userKeyMaps(const QString &settingsFolder) const;
    void moveKeyMapsAside(const QList<InstallRecord::KeyMap> &keyMaps);
    // The install record of the chosen JAWS installation, in its driver folder; empty before
    // the target folders are known.
    QString installRecordPath() const;
    // The folders the record's paths are kept relative to: those of the chosen JAWS installation.
    InstallRecord::Roots recordRoots() const;
    // Every settings folder this program derives for the chosen JAWS: the shared one, the
    // interactive user's, and those of every profile of the machine. A record's settings rows
    // must lie in one of them.
    QStringList derivedSettingsFolders();
    // Adds what this installation changed to the record of the chosen JAWS installation, in
    // `configuration`'s session: the copies and folders recorded so far, every settings file
    // the session changed, and the key maps that will be moved aside after its commit.
    void writeInstallRecord(Configuration &configuration, const QList<InstallRecord::KeyMap> &keyMaps);
    // For an installation stopped during its copy: the record of what was copied, so that a
    // removal finds the files (no setting was changed); it replaces the record of what the run
    // was about to do.
    void recordCopiesOnly();
    // The identifier of this process's installation run, kept in each record with the changes the
    // run made there, so that the run can be taken back alone. Made on first use unless a caller
    // (a deployment that must undo what it did) chose one.
    QString runId();
    void setRunId(const QString &id) { m_runId = id; }
    // Every settings edit, in its fixed order, in one session committed once; true when
    // anything in the installation failed.
    bool configureJaws();
    // The last configureJaws() saw an interrupt before its commit and wrote nothing.
    bool configurationStopped() const { return m_configurationStopped; }

    // The version of the chosen JAWS: every folder and version-dependent step follows from it.
    JawsVersion jawsVersion() const;
    // The display lists that registerDisplays edits. JAWS up to 17: jfw.ini in the program
    // folder, else the one in the shared settings folder or its INIT folder; in the program
    // folder when none exists. JAWS 2018 and later read the one in the shared settings' INIT
    // folder: that one when it exists, and the program folder's too when that exists as well;
    // the program folder's when neither does.
    QStringList displayListPaths() const;

    // The person whose user settings are configured: the interactive user, not the account that
    // runs the installer (see Platform::interactiveUser); asked once.
    const Platform::InteractiveUser &interactiveUser();
    // With every user: the user settings of every profile of the machine that has settings for
    // the chosen JAWS, each profile with its own lines in the report, instead of the interactive
    // user's alone. Set before the report is started: its header says whose settings change.
    void setAllUsers(bool allUsers) { m_allUsers = allUsers; }
    bool allUsers() const { return m_allUsers; }

    // Where the run may write in the package folder: the wizard keeps its report there and
    // removes what it delivered; an unattended run, one of many from a shared folder, leaves
    // that folder exactly as it found it.
    enum class PackageFolderUse { ReportAndCleanUp, ReadOnly };
    // Opens the report beside the program, which is also the package folder; when that folder
    // cannot be written, or must not be, the report is kept in memory until it is published.
    void startReport(PackageFolderUse use = PackageFolderUse::ReportAndCleanUp, Report::Run run = Report::Run::Installation);
    // Removes the package files that the installation used (once, and only when the package
    // folder may be changed), then puts this run's report at the head of the one in the JAWS
    // program folder, in one replacement of that file; the report's path then names it.
    void publishReport();
    // The same publication into the program folder of another installation of the run.
    bool publishReportInto(const QString &programFolder);
    // Removes the package files that the installation used unless done already, then closes
    // the run's block in the report.
    void endReport();
    // The report is held by no file beside the program.
    bool reportInMemory() const { return m_report.inMemory(); }
    // Every file of the copy lists is at its destination with the same content, and the
    // chosen display is the default one: nothing is left to do in this JAWS installation.
    // Call after prepareCopy().
    bool isInstalled() const;

    // What became of one copy of the worker (the destination as it reports it): a package file
    // whose every copy and merge succeeded lives on in the JAWS folders, and only such a file is
    // removed at the end.
    void recordCopy(const QString &destination, bool ok);
    // The numbered backup the copy made of a file it then replaced.
    void recordCopyBackup(const QString &destination, const QString &backup);
    // A folder the copy created.
    void recordCreatedFolder(const QString &folder);
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
    // added at the end. The sections that could not be written.
    static QStringList mergeIniFile(IniFile &source, IniFile &target);
    // The displays step for one jfw.ini.
    void registerDisplaysIn(Configuration &configuration, const QString &jfwIniPath);
    // True for a settings folder that exists (or none at all); else a failed line names the
    // folder looked for.
    bool settingsFolderFound(const QString &folder);
    // A file of a JAWS folder under the name it has there, whatever its case. During a
    // configuration each folder is listed once: nothing on disk changes before its commit, and
    // the steps ask for the same files of the same forty language folders.
    QString settingsFilePath(const QString &folder, const QString &name) const;
    // mergeIniFile after a numbered backup of an existing target; without the backup nothing
    // is merged, and every section of the source failed. The backup's line is written when
    // `reportSavedBackup` or when it failed. One line per section that did not reach the
    // target, a failure.
    void mergeBackedUp(Configuration &configuration, const QString &source, const QString &target, bool reportSavedBackup);
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
    bool m_packageFolderReadOnly = false;
    bool m_cleanedUp = false;
    // The report's header line that names the user whose settings are configured.
    QString userHeaderLine();
    // The settings folder of `version` under an application data folder, as JAWS names it there.
    static QString settingsFolderUnder(const QString &appData, const JawsVersion &version);
    // With every user: the user settings of each profile that has them for the chosen JAWS, in
    // `configuration`; the folders whose key maps are moved aside after its commit.
    QStringList configureEveryProfile(Configuration &configuration);

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
    QList<StepResult> m_results;
    QString m_reportPath;
    // The package files of the copy lists, by the WindowsPath key of their destination.
    QHash<QString, QString> m_sourceOfDestination;
    // Package files the installation used, true while every use succeeded.
    QHash<QString, bool> m_packageFileUses;
    QSet<QString> m_ownPackageFiles;
    std::optional<Platform::InteractiveUser> m_interactiveUser;
    bool m_allUsers = false;
    // The files of each folder settingsFilePath listed, while configureJaws runs; else empty.
    mutable std::optional<QHash<QString, QStringList>> m_listedFolders;
    // The folders that a target folder or a copied file needs and that are not there yet,
    // parents first, each once.
    QStringList missingFolders() const;
    // Makes `folder` and the levels above it that are missing, each recorded as created.
    void makeFolder(const QString &folder);
    // The record as it was before this run's writeIntentRecord replaced it (none when the run
    // wrote no intent): what the run's own changes are added to.
    std::optional<InstallRecord> m_recordBeforeRun;
    // The folders the run was to make, as its intent named them.
    QStringList m_plannedFolders;
    // What this installation put in place, for its record: the folders it created, the files
    // copied (and the backups of those they replaced), and which destinations existed before.
    QStringList m_createdFolders;
    QList<InstallRecord::File> m_copiedFiles;
    QHash<QString, QString> m_copyBackups;
    QSet<QString> m_existingDestinations;
    bool m_configurationStopped = false;
    QString m_runId;
};
