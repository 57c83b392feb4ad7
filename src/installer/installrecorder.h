#pragma once

#include "record/installrecord.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Configuration;
class CopyPlan;
class InstallPackage;
class JawsTarget;
class RunReport;

// What an installation put in place, kept in the install record of the JAWS installation: the
// run's intent before its first copy, the copies, their backups and the folders made, and what
// it changed once its settings are committed.
class InstallRecorder
{
    // Its lines keep the catalogues' context of the engine they were written for.
    Q_DECLARE_TR_FUNCTIONS(JawsInstaller)

public:
    InstallRecorder(const JawsTarget &target, const CopyPlan &plan, InstallPackage &package, RunReport &run);
    InstallRecorder(const InstallRecorder &) = delete;
    InstallRecorder &operator=(const InstallRecorder &) = delete;

    // Forgets what was recorded of the chosen JAWS installation; keeps the run's identifier.
    void reset();

    // The identifier of this process's installation run, kept in each record with the changes the
    // run made there, so that the run can be taken back alone. Made on first use unless a caller
    // (a deployment that must undo what it did) chose one.
    QString runId();
    void setRunId(const QString &id) { m_runId = id; }

    // Creates the derived folders that do not exist yet (the program folder is JAWS's own).
    void createTargetFolders();
    // Right before the copy's first file, after CopyPlan::prepare(): the record of this JAWS
    // installation names what the run is about to do (every file it will copy, with what is
    // there now, and every folder it will make), marked unfinished, on top of what earlier
    // installations recorded; then the target folders are made. A run stopped at any moment
    // after this leaves a record from which a removal takes away what it put there. False, with
    // a failed line and no folder left made, when the record could not be written: nothing may
    // be copied then.
    bool writeIntentRecord();
    // Adds what this installation changed to the record of the chosen JAWS installation, in
    // `configuration`'s session: the copies and folders recorded so far, every settings file
    // the session changed, and the key maps that will be moved aside after its commit.
    void writeInstallRecord(Configuration &configuration, const QList<InstallRecord::KeyMap> &keyMaps);
    // For an installation stopped during its copy: the record of what was copied, so that a
    // removal finds the files (no setting was changed); it replaces the record of what the run
    // was about to do.
    void recordCopiesOnly();

    // What became of one copy of the worker (the destination as it reports it): a package file
    // whose every copy and merge succeeded lives on in the JAWS folders, and only such a file is
    // removed at the end.
    void recordCopy(const QString &destination, bool ok);
    // The numbered backup the copy made of a file it then replaced.
    void recordCopyBackup(const QString &destination, const QString &backup);
    // A folder the copy created.
    void recordCreatedFolder(const QString &folder);

private:
    // Makes `folder` and the levels above it that are missing, each recorded as created.
    void makeFolder(const QString &folder);

    const JawsTarget &m_target;
    const CopyPlan &m_plan;
    InstallPackage &m_package;
    RunReport &m_run;
    // The record as it was before this run's writeIntentRecord replaced it (none when the run
    // wrote no intent): what the run's own changes are added to.
    std::optional<InstallRecord> m_recordBeforeRun;
    // The folders the run was to make, as its intent named them.
    QStringList m_plannedFolders;
    // What this installation put in place, for its record: the folders it created, the files
    // copied and the backups of those they replaced.
    QStringList m_createdFolders;
    QList<InstallRecord::File> m_copiedFiles;
    QHash<QString, QString> m_copyBackups;
    QString m_runId;
};
