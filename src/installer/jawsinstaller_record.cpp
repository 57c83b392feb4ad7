#include "jawsinstaller.h"

#include "installer/configuration.h"
#include "paths/windowspath.h"

#include <QDir>

QString JawsInstaller::installRecordPath() const
{
    return m_driverFolder.isEmpty() ? QString() : InstallRecord::pathIn(QDir::toNativeSeparators(m_driverFolder));
}

InstallRecord::Roots JawsInstaller::recordRoots() const
{
    return { m_jawsFolder, m_sharedSettingsFolder };
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
    changes.folders = m_createdFolders;
    changes.keyMaps = keyMaps;
    InstallRecord record;
    // An earlier installation's record keeps its "before"; this one's changes come on top. One
    // that cannot be read is kept as a numbered backup for whoever mends by hand, and says so.
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
    if (record.isEmpty())
        return;
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
    if (m_copiedFiles.isEmpty() && m_createdFolders.isEmpty())
        return;
    Configuration configuration;
    writeInstallRecord(configuration, {});
    record(configuration.commit());
}
