#pragma once

#include "platform/interactiveuser.h"
#include "record/installrecord.h"
#include "version/jawsversion.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// The JAWS installation a run changes: its version, the program, driver, manuals and settings
// folders that follow from it, their language folders and files as they are named on disk, and
// the person whose user settings are configured.
class JawsTarget
{
    // Its lines keep the catalogues' context of the engine they were written for.
    Q_DECLARE_TR_FUNCTIONS(JawsInstaller)

public:
    JawsTarget() = default;
    JawsTarget(const JawsTarget &) = delete;
    JawsTarget &operator=(const JawsTarget &) = delete;

    void setJawsFolder(const QString &path) { m_jawsFolder = path; }
    QString jawsFolder() const { return m_jawsFolder; }
    QString programFolder() const { return m_programFolder; }
    QString driverFolder() const { return m_driverFolder; }
    QString manualsFolder() const { return m_manualsFolder; }
    QString sharedSettingsFolder() const { return m_sharedSettingsFolder; }
    QString userSettingsFolder() const { return m_userSettingsFolder; }

    // Forgets the chosen JAWS installation and every folder derived from it; keeps the user.
    void reset();
    // Derives the program, driver, manuals and settings folders from the version of jfw.exe in
    // the chosen folder. False, changing nothing, when the package or JAWS folder is missing.
    bool computeFolders(const QString &packageFolder);
    // The version of the chosen JAWS: every folder and version-dependent step follows from it.
    JawsVersion jawsVersion() const;

    // The subfolders of a settings or manuals folder, one per JAWS language, sorted without
    // regard to case; none for an empty path. For a JAWS that keeps other folders beside them,
    // only those named as JAWS names languages.
    QStringList languageFolders(const QString &folder) const;
    // A file of a JAWS folder under the name it has there, whatever its case. While the folders
    // are kept listed, each folder is listed once: nothing on disk changes before a
    // configuration's commit, and its steps ask for the same files of the same forty language
    // folders.
    QString settingsFilePath(const QString &folder, const QString &name) const;
    // From now until keepListings(false), settingsFilePath lists each folder once.
    void keepListings(bool keep);
    // The display lists that the displays step edits. JAWS up to 17: jfw.ini in the program
    // folder, else the one in the shared settings folder or its INIT folder; in the program
    // folder when none exists. JAWS 2018 and later read the one in the shared settings' INIT
    // folder: that one when it exists, and the program folder's too when that exists as well;
    // the program folder's when neither does.
    QStringList displayListPaths() const;

    // The install record of the chosen JAWS installation, in its driver folder; empty before
    // the folders are known.
    QString installRecordPath() const;
    // The folders the record's paths are kept relative to: those of the chosen JAWS installation.
    InstallRecord::Roots recordRoots() const;
    // Every settings folder this program derives for the chosen JAWS: the shared one, the
    // interactive user's, and those of every profile of the machine. A record's settings rows
    // must lie in one of them.
    QStringList derivedSettingsFolders();
    // The settings folder of `version` under an application data folder, as JAWS names it there.
    static QString settingsFolderUnder(const QString &appData, const JawsVersion &version);

    // The person whose user settings are configured: the interactive user, not the account that
    // runs the installer (see Platform::interactiveUser); asked once.
    const Platform::InteractiveUser &interactiveUser();
    // With every user: the user settings of every profile of the machine that has settings for
    // the chosen JAWS, each profile with its own lines in the report, instead of the interactive
    // user's alone. Set before the report is started: its header says whose settings change.
    void setAllUsers(bool allUsers) { m_allUsers = allUsers; }
    bool allUsers() const { return m_allUsers; }
    // The report's header line that names the user whose settings are configured.
    QString userHeaderLine();

private:
    // Tests name a shared settings folder of their own instead of the one the version gives.
    friend struct TestTargetFolders;

    QString m_jawsFolder;
    QString m_programFolder;
    QString m_driverFolder;
    QString m_manualsFolder;
    QString m_sharedSettingsFolder;
    QString m_userSettingsFolder;
    bool m_otherFoldersInSettings = false;
    std::optional<Platform::InteractiveUser> m_interactiveUser;
    bool m_allUsers = false;
    // The files of each folder settingsFilePath listed, while listings are kept; else empty.
    mutable std::optional<QHash<QString, QStringList>> m_listedFolders;
};
