#include "installrecorder.h"

#include "copyplan.h"
#include "installpackage.h"
#include "jawstarget.h"
#include "runreport.h"

#include "ini/settingssession.h"
#include "installer/configuration.h"
#include "paths/windowspath.h"
#include "platform/filecopy.h"
#include "platform/safefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

InstallRecorder::InstallRecorder(const JawsTarget &target, const CopyPlan &plan, InstallPackage &package, RunReport &run)
    : m_target(target)
    , m_plan(plan)
    , m_package(package)
    , m_run(run)
{
}

void InstallRecorder::reset()
{
    m_recordBeforeRun.reset();
    m_plannedFolders.clear();
    m_createdFolders.clear();
    m_copiedFiles.clear();
    m_copyBackups.clear();
}

QString InstallRecorder::runId()
{
    if (m_runId.isEmpty())
        m_runId = InstallRecord::newRunId();
    return m_runId;
}

bool InstallRecorder::writeIntentRecord()
{
    const QString path = m_target.installRecordPath();
    if (path.isEmpty())
        return true;
    m_plannedFolders = m_plan.missingFolders();
    InstallRecord intent;
    intent.unfinished = true;
    intent.folders = m_plannedFolders;
    // Every file the copy will put in place, with what is there now. Not what the copy will put
    // there: reading the whole package before the copy would read it twice, on the thread that
    // answers interrupts, and a package file that is a named pipe gives its content once. A
    // removal tells a file the copy had not reached by the fingerprint of what it was to replace.
    QSet<QString> listed;
    const QStringList &sources = m_plan.sourceFiles();
    const QStringList &destinations = m_plan.destinationFiles();
    for (qsizetype i = 0; i < destinations.size() && i < sources.size(); ++i) {
        const QString &source = sources.at(i);
        const QString destination = QDir::toNativeSeparators(destinations.at(i));
        const QString key = WindowsPath::key(destination);
        // The copy skips a missing source and refuses one behind a link, and copies a
        // destination once. A run into every JAWS lists the files of its earlier installations
        // too: only this JAWS's belong in its record.
        if (listed.contains(key) || !WindowsPath::isInside(destination, m_target.jawsFolder()) || !QFileInfo::exists(source)
            || !Platform::SafeFiles::linkOnTheWay(source).isEmpty())
            continue;
        InstallRecord::File file;
        file.path = destination;
        file.hash = InstallRecord::unknownContent();
        if (Platform::SafeFiles::nameTaken(destination)) {
            const QByteArray found = InstallRecord::hashOfFile(destination);
            if (found.isEmpty())
                continue; // no plain file that can be read: the copy cannot replace it either
            // As the copy judges it: the same bytes stay as they are; other content is kept first
            // under the first free numbered name, which this one is now.
            if (!Platform::isNamedPipe(source) && QFileInfo(source).size() == QFileInfo(destination).size()
                && InstallRecord::hashOfFile(source) == found) {
                file.before = InstallRecord::File::Before::Same;
            } else {
                file.before = InstallRecord::File::Before::Replaced;
                file.backup = QDir::toNativeSeparators(SettingsSession::backupFileName(destination));
                file.backupHash = found;
            }
        }
        listed.insert(key);
        intent.files << file;
    }

    SettingsSession session;
    IniFile &recordFile = session.file(path);
    InstallRecord next;
    const InstallRecord::Reading earlier = next.read(recordFile, m_target.recordRoots());
    QString damaged;
    if (earlier == InstallRecord::Reading::Damaged) {
        // Kept as a numbered backup for whoever mends by hand; a new record begins.
        next = InstallRecord();
        damaged = tr("The earlier installation record %1 could not be read: it is kept as %2, and a new one begins.")
                      .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(session.keepBackup(path)));
    }
    m_recordBeforeRun = next;
    next.addRun(runId(), intent);
    bool written = next.write(recordFile, m_target.recordRoots());
    // The record's own folder is the one folder made before the record is there.
    makeFolder(m_target.driverFolder());
    written = written && session.commit() && session.saved(path);
    if (!written) {
        // Without it, a run stopped during the copy would leave files no removal finds.
        m_run.record(StepResult::Step::InstallRecord,
               tr("ERROR : The record of this installation could not be written to %1: nothing was copied.").arg(QDir::toNativeSeparators(path)),
               StepResult::Outcome::Failed);
        if (!recordFile.refusal().path.isEmpty())
            m_run.record(StepResult::Step::InstallRecord, Report::refusedLine(recordFile.refusal()), StepResult::Outcome::Failed);
        for (auto folder = m_createdFolders.crbegin(); folder != m_createdFolders.crend(); ++folder)
            Platform::SafeFiles::removeEmptyFolder(*folder);
        m_createdFolders.clear();
        m_recordBeforeRun.reset();
        return false;
    }
    if (!damaged.isEmpty())
        m_run.record(StepResult::Step::InstallRecord, damaged);
    createTargetFolders();
    return true;
}

void InstallRecorder::writeInstallRecord(Configuration &configuration, const QList<InstallRecord::KeyMap> &keyMaps)
{
    // Without a driver folder there is no JAWS installation to keep a record in.
    const QString path = m_target.installRecordPath();
    if (path.isEmpty())
        return;
    configuration.begin(StepResult::Step::InstallRecord);
    IniFile &file = configuration.file(path);
    InstallRecord changes = InstallRecord::ofSettingsChanges(configuration.session(), { path });
    // A run into every JAWS copies the files of all its installations: this one's lie in its
    // JAWS folder, and only they belong in its record.
    for (const InstallRecord::File &copied : std::as_const(m_copiedFiles)) {
        if (WindowsPath::isInside(copied.path, m_target.jawsFolder()))
            changes.files << copied;
    }
    // The folders the run was to make that it did make, and those the copy made on its way.
    QSet<QString> folders;
    for (const QString &folder : std::as_const(m_plannedFolders)) {
        if (QFileInfo(folder).isDir() && !folders.contains(WindowsPath::key(folder))) {
            folders.insert(WindowsPath::key(folder));
            changes.folders << folder;
        }
    }
    for (const QString &folder : std::as_const(m_createdFolders)) {
        if (WindowsPath::isInside(folder, m_target.jawsFolder()) && !folders.contains(WindowsPath::key(folder))) {
            folders.insert(WindowsPath::key(folder));
            changes.folders << folder;
        }
    }
    changes.keyMaps = keyMaps;
    InstallRecord record;
    if (m_recordBeforeRun) {
        // The file holds what this run was about to do: what it did goes on top of what was
        // recorded before it, and replaces that intent.
        record = *m_recordBeforeRun;
        record.addRun(runId(), changes);
    } else {
        // An earlier installation's record keeps its "before"; this one's changes come on top.
        // One that cannot be read is kept as a numbered backup for whoever mends by hand, and
        // says so.
        const InstallRecord::Reading earlier = record.read(file, m_target.recordRoots());
        if (earlier == InstallRecord::Reading::Read) {
            record.addRun(runId(), changes);
        } else {
            record = InstallRecord();
            record.addRun(runId(), changes);
            if (earlier == InstallRecord::Reading::Damaged && !record.isEmpty()) {
                const QString backup = configuration.session().keepBackup(path);
                configuration.add(tr("The earlier installation record %1 could not be read: it is kept as %2, and a new one begins.")
                                      .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(backup)));
            }
        }
    }
    if (record.isEmpty()) {
        // Nothing was put in place after all: the intent goes with the commit (after which there
        // is nothing left to undo, so a failure to delete it is not reported).
        if (m_recordBeforeRun)
            configuration.afterCommit([path](const SettingsSession &) { (void)Platform::SafeFiles::remove(path); });
        return;
    }
    const bool written = record.write(file, m_target.recordRoots());
    // Without its record the installation cannot be removed: an error the report names.
    const QString failed = tr("ERROR : The record of this installation could not be written to %1: it cannot be removed.")
                               .arg(QDir::toNativeSeparators(path));
    configuration.addSettled([written, path, failed](const SettingsSession &session) {
        if (written && session.saved(path))
            return std::optional<StepResult::Line>();
        return std::optional<StepResult::Line>({ failed, StepResult::Outcome::Failed });
    });
}

void InstallRecorder::recordCopiesOnly()
{
    // The intent of a run that copied nothing is replaced all the same: the run has ended.
    if (m_copiedFiles.isEmpty() && m_createdFolders.isEmpty() && !m_recordBeforeRun)
        return;
    Configuration configuration;
    writeInstallRecord(configuration, {});
    m_run.record(configuration.commit());
}

void InstallRecorder::makeFolder(const QString &folder)
{
    if (folder.isEmpty())
        return;
    // Made through no link, as every folder the program writes in; a folder that cannot be made
    // shows in the copy's report, file by file, with the system's reason.
    QStringList made;
    (void)Platform::SafeFiles::makeFolders(folder, &made);
    // Each level made here is recorded, so that a removal takes away what is left empty.
    for (const QString &level : std::as_const(made))
        recordCreatedFolder(level);
}

void InstallRecorder::createTargetFolders()
{
    // Settings folders are JAWS's own: JAWS makes them when it is installed and when a user first
    // runs it. One made here would hold no language folder, so nothing could be configured in
    // it, and it would stand for a version that is not there.
    for (const QString &folder : { m_target.driverFolder(), m_target.manualsFolder() })
        makeFolder(folder);
}

void InstallRecorder::recordCopy(const QString &destination, bool ok)
{
    if (ok) {
        const QString key = WindowsPath::key(destination);
        InstallRecord::File file;
        file.path = destination;
        file.size = QFileInfo(destination).size();
        file.hash = InstallRecord::hashOfFile(destination);
        if (m_copyBackups.contains(key)) {
            file.before = InstallRecord::File::Before::Replaced;
            file.backup = m_copyBackups.value(key);
            // A removal puts the backup back only while it is what the copy made.
            file.backupHash = InstallRecord::hashOfFile(file.backup);
        } else if (m_plan.existedBefore(destination)) {
            file.before = InstallRecord::File::Before::Same;
        }
        m_copiedFiles << file;
    }
    const QString source = m_plan.sourceOf(destination);
    if (!source.isEmpty())
        m_package.recordFileUse(source, ok);
}

void InstallRecorder::recordCopyBackup(const QString &destination, const QString &backup)
{
    m_copyBackups.insert(WindowsPath::key(destination), backup);
}

void InstallRecorder::recordCreatedFolder(const QString &folder)
{
    m_createdFolders << folder;
}
