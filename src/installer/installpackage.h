#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

class CopyPlan;
class JawsTarget;
class RunReport;

// The installation package: the folder beside the program with its manifest (list.install), the
// driver and its braille.ini; which of its files the run used, and their removal at the end once
// their content lives in the JAWS folders.
class InstallPackage
{
    // Its lines keep the catalogues' context of the engine they were written for.
    Q_DECLARE_TR_FUNCTIONS(JawsInstaller)

public:
    // Where the run may write in the package folder: the wizard keeps its report there and
    // removes what it delivered; an unattended run, one of many from a shared folder, leaves
    // that folder exactly as it found it.
    enum class FolderUse { ReportAndCleanUp, ReadOnly };

    // `folder` is the package's until start() names another.
    explicit InstallPackage(RunReport &run, const QString &folder = QString());
    InstallPackage(const InstallPackage &) = delete;
    InstallPackage &operator=(const InstallPackage &) = delete;

    // The package of this run is `folder` (the program's own), used as `use` says.
    void start(const QString &folder, FolderUse use);
    QString folder() const { return m_folder; }
    QString manifestPath() const;

    // The names of the package's files that the manifest sends to the program folder, the
    // driver folder and each of `manualsLanguages`, the existing language folders of the
    // manuals. Outputs are assigned only when the manifest has sections.
    void readInstallList(QStringList &toBeCopied, QStringList &driversToBeCopied,
                         QMap<QString, QStringList> &toBeCopiedIntoManualsFolder, const QStringList &manualsLanguages) const;
    // The names of the package's settings files to merge.
    void mergeFileNames(QStringList &filesNames) const;
    // The package has what an installation needs: the manifest, the driver and the driver's
    // braille.ini with a section for the display `deviceName`. Each missing part is a failed
    // line of the package's result; nothing is touched either way.
    bool checkPackage(const QString &deviceName);
    // The driver's file name in the package and in JAWS's folders.
    static QString driverFileName();
    // What every run needs of the package: the manifest, the driver and its braille.ini.
    static QStringList requiredPackageFiles();
    // The driver's braille.ini section of a display of the device table, as that file spells
    // it; empty when the file has none.
    QString deviceSection(const QString &deviceName) const;

    // Records one use of a file of the package folder: `ok` when its content reached JAWS.
    void recordFileUse(const QString &sourcePath, bool ok);
    // A file of the package folder that the program itself used (a catalogue): removed at the
    // end only when the whole package was delivered, so that a second run still finds it.
    void addOwnFile(const QString &path);
    // The package folder's files that the clean-up would remove now, after an installation into
    // `target`.
    QStringList removableFiles(const JawsTarget &target) const;
    // Removes the package files that the installation used, once, and only when the package
    // folder may be changed; `plan` says where their content went.
    void cleanUp(const JawsTarget &target, const CopyPlan &plan);
    bool cleanedUp() const { return m_cleanedUp; }

private:
    // The name under which a file of the package folder is remembered.
    static QString packageKey(const QString &path);
    QStringList matchingFiles(const QMap<QString, QStringList> &sectionsMap, const QString &section) const;
    // Where the content of the package files `files` now lives: their copies, and the folders of
    // JAWS whose settings took in the merged ones.
    QStringList deliveredContent(const QStringList &files, const JawsTarget &target, const CopyPlan &plan) const;

    RunReport &m_run;
    QString m_folder;
    bool m_readOnly = false;
    bool m_cleanedUp = false;
    // Package files the installation used, true while every use succeeded.
    QHash<QString, bool> m_fileUses;
    QSet<QString> m_ownFiles;
};
