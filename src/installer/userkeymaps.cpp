#include "userkeymaps.h"

#include "jawstarget.h"
#include "runreport.h"

#include "ini/settingssession.h"
#include "platform/safefiles.h"

#include <QDir>
#include <QFileInfo>

UserKeyMaps::UserKeyMaps(const JawsTarget &target, RunReport &run)
    : m_target(target)
    , m_run(run)
{
}

QList<InstallRecord::KeyMap> UserKeyMaps::of(const QString &settingsFolder) const
{
    QList<InstallRecord::KeyMap> keyMaps;
    if (settingsFolder.isEmpty() || !QFileInfo::exists(settingsFolder))
        return keyMaps;
    for (const QString &language : m_target.languageFolders(settingsFolder)) {
        const QString folder = settingsFolder + QDir::separator() + language;
        // The key maps of this language folder ("x.jkm.001" backups do not match).
        const QStringList names = QDir(folder).entryList({ QStringLiteral("*.jkm") }, QDir::Files, QDir::Name | QDir::IgnoreCase);
        for (const QString &name : names) {
            const QString keyMap = folder + QDir::separator() + name;
            // What its backup will hold, so that a removal puts back only that.
            QByteArray bytes;
            const bool read = Platform::SafeFiles::read(keyMap, &bytes) == Platform::SafeFiles::Status::Done;
            keyMaps << InstallRecord::KeyMap{ keyMap, SettingsSession::backupFileName(keyMap), read ? InstallRecord::hashOf(bytes) : QByteArray() };
        }
    }
    return keyMaps;
}

void UserKeyMaps::moveAside(const QList<InstallRecord::KeyMap> &keyMaps)
{
    const auto step = StepResult::Step::UserKeyMaps;
    for (const InstallRecord::KeyMap &entry : keyMaps) {
        const QString &keyMap = entry.path;
        const QString &backup = entry.backup;
        // Flushed to disk before the key map goes: a crash cannot lose both. A key map that is
        // a link, or lies behind one, is neither read nor moved.
        QByteArray bytes;
        Platform::SafeFiles::Refusal refusal;
        const Platform::SafeFiles::Status read = Platform::SafeFiles::read(keyMap, &bytes, &refusal);
        if (read == Platform::SafeFiles::Status::Refused) {
            m_run.record(step, Report::refusedLine(refusal), StepResult::Outcome::Failed);
            continue;
        }
        // Changed since the record named what its backup holds: the user's newer key map stays.
        if (read == Platform::SafeFiles::Status::Done && !entry.backupHash.isEmpty() && InstallRecord::hashOf(bytes) != entry.backupHash) {
            m_run.record(step, Report::fileDeletedLine(keyMap, false), StepResult::Outcome::Failed);
            continue;
        }
        QString reason;
        const bool saved = read == Platform::SafeFiles::Status::Done && SettingsSession::writeBackup(backup, bytes, keyMap, &reason);
        m_run.record(step, Report::fileSavedLine(backup, saved, reason), saved ? StepResult::Outcome::Done : StepResult::Outcome::Failed);
        if (!saved) {
            // Without its backup the user's key map is kept, and the report says so.
            m_run.record(step, Report::fileDeletedLine(keyMap, false), StepResult::Outcome::Failed);
            continue;
        }
        const Platform::SafeFiles::Result removed = Platform::SafeFiles::remove(keyMap);
        const bool deleted = removed == Platform::SafeFiles::Status::Done;
        m_run.record(step, Report::fileDeletedLine(keyMap, deleted, removed.reason()), deleted ? StepResult::Outcome::Done : StepResult::Outcome::Failed);
    }
}
