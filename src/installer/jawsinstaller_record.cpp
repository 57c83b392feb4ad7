#include "jawsinstaller.h"

#include "ini/settingssession.h"
#include "installer/configuration.h"
#include "paths/windowspath.h"
#include "platform/filecopy.h"
#include "platform/safefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

QString JawsInstaller::installRecordPath() const
{
    return m_driverFolder.isEmpty() ? QString() : InstallRecord::pathIn(QDir::toNativeSeparators(m_driverFolder));
}

InstallRecord::Roots JawsInstaller::recordRoots() const
{
    return { m_jawsFolder, m_sharedSettingsFolder };
}

bool JawsInstaller::writeIntentRecord()
{
    const QString path = installRecordPath();
    if (path.isEmpty())
        return true;
    m_plannedFolders = missingFolders();
    InstallRecord intent;
    intent.unfinished = true;
    intent.folders = m_plannedFolders;
    // Every file the copy will put in place, with what is there now. Not what the copy will put
    // there: reading the whole package before the copy would read it twice, on the thread that
    // answers interrupts, and a package file that is a named pipe gives its content once. A
    // removal tells a file the copy had not reached by the fingerprint of what it was to replace.
    QSet<QString> listed;
    for (qsizetype i = 0; i < m_destinationFiles.size() && i < m_sourceFiles.size(); ++i) {
        const QString &source = m_sourceFiles.at(i);
        const QString destination = QDir::toNativeSeparators(m_destinationFiles.at(i));
        const QString key = WindowsPath::key(destination);
        // The copy skips a missing source and refuses one behind a link, and copies a
        // destination once. A run into every JAWS lists the files of its earlier installations
        // too: only this JAWS's belong in its record.
        if (listed.contains(key) || !WindowsPath::isInside(destination, m_jawsFolder) || !QFileInfo::exists(source)
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
    const InstallRecord::Reading earlier = next.read(recordFile, recordRoots());
    QString damaged;
    if (earlier == InstallRecord::Reading::Damaged) {
        // Kept as a numbered backup for whoever mends by hand; a new record begins.
        next = InstallRecord();
        damaged = tr("The earlier installation record %1 could not be read: it is kept as %2, and a new one begins.")
                      .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(session.keepBackup(path)));
    }
    m_recordBeforeRun = next;
    next.merge(intent);
    bool written = next.write(recordFile, recordRoots());
    // The record's own folder is the one folder made before the record is there.
    makeFolder(m_driverFolder);
    written = written && session.commit() && session.saved(path);
    if (!written) {
        // Without it, a run stopped during the copy would leave files no removal finds.
        record(StepResult::Step::InstallRecord,
               tr("ERROR : The record of this installation could not be written to %1: nothing was copied.").arg(QDir::toNativeSeparators(path)),
               StepResult::Outcome::Failed);
        if (!recordFile.refusal().path.isEmpty())
            record(StepResult::Step::InstallRecord, Report::refusedLine(recordFile.refusal()), StepResult::Outcome::Failed);
        for (auto folder = m_createdFolders.crbegin(); folder != m_createdFolders.crend(); ++folder)
            Platform::SafeFiles::removeEmptyFolder(*folder);
        m_createdFolders.clear();
        m_recordBeforeRun.reset();
        return false;
    }
    if (!damaged.isEmpty())
        record(StepResult::Step::InstallRecord, damaged);
    createTargetFolders();
    return true;
}

void JawsInstaller::writeInstallRecord(Configuration &configuration, const QList<InstallRecord::KeyMap> &keyMaps)
{
    // Without a driver folder there is no JAWS installation to keep a record in.
    const QString path = installRecordPath();
    if (path.isEmpty())
        return;
    configuration.begin(StepResult::Step::InstallRecord);
    IniFile &file = configuration.file(path);
    InstallRecord changes = InstallRecord::ofSettingsChanges(configuration.session(), { path });
    // A run into every JAWS copies the files of all its installations: this one's lie in its
    // JAWS folder, and only they belong in its record.
    for (const InstallRecord::File &copied : std::as_const(m_copiedFiles)) {
        if (WindowsPath::isInside(copied.path, m_jawsFolder))
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
        if (WindowsPath::isInside(folder, m_jawsFolder) && !folders.contains(WindowsPath::key(folder))) {
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
        record.merge(changes);
    } else {
        // An earlier installation's record keeps its "before"; this one's changes come on top.
        // One that cannot be read is kept as a numbered backup for whoever mends by hand, and
        // says so.
        const InstallRecord::Reading earlier = record.read(file, recordRoots());
        if (earlier == InstallRecord::Reading::Read) {
            record.merge(changes);
        } else {
            record = changes;
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
    const bool written = record.write(file, recordRoots());
    // Without its record the installation cannot be removed: an error the report names.
    const QString failed = tr("ERROR : The record of this installation could not be written to %1: it cannot be removed.")
                               .arg(QDir::toNativeSeparators(path));
    configuration.addSettled([written, path, failed](const SettingsSession &session) {
        if (written && session.saved(path))
            return std::optional<StepResult::Line>();
        return std::optional<StepResult::Line>({ failed, StepResult::Outcome::Failed });
    });
}

void JawsInstaller::recordCopiesOnly()
{
    // The intent of a run that copied nothing is replaced all the same: the run has ended.
    if (m_copiedFiles.isEmpty() && m_createdFolders.isEmpty() && !m_recordBeforeRun)
        return;
    Configuration configuration;
    writeInstallRecord(configuration, {});
    record(configuration.commit());
}
