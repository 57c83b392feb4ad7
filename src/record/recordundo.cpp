#include "recordundo.h"

#include "platform/safefiles.h"
#include "record/installrecord.h"
#include "report/report.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

using Platform::SafeFiles;

} // namespace

void RecordUndo::putBack(StepResult::Step step, const QString &path, const QString &backup, const QByteArray &backupHash)
{
    // Only a backup that is still what the installation made comes back (records of earlier
    // programs hold no fingerprint of it).
    QByteArray bytes;
    SafeFiles::Refusal refusal;
    const SafeFiles::Result read = SafeFiles::read(backup, &bytes, &refusal);
    if (read == SafeFiles::Status::Refused) {
        report(step, Report::refusedLine(refusal), StepResult::Outcome::Failed);
        return;
    }
    if (read == SafeFiles::Status::Done && !backupHash.isEmpty() && InstallRecord::hashOf(bytes) != backupHash) {
        report(step,
               QCoreApplication::translate("Removal", "ERROR : %1 was not put back: its backup %2 was changed since the installation.")
                   .arg(native(path), native(backup)),
               StepResult::Outcome::Failed);
        return;
    }
    const SafeFiles::Result written = read == SafeFiles::Status::Done ? SafeFiles::replace(path, bytes, &refusal) : read;
    if (written == SafeFiles::Status::Refused) {
        report(step, Report::refusedLine(refusal), StepResult::Outcome::Failed);
        return;
    }
    const bool restored = written == SafeFiles::Status::Done;
    report(step,
           restored ? QCoreApplication::translate("Removal", "OK : %1 put back from %2.").arg(native(path), native(backup))
                    : Report::withReason(QCoreApplication::translate("Removal", "ERROR : %1 could not be put back from %2.").arg(native(path), native(backup)),
                                         written.reason()),
           restored ? StepResult::Outcome::Done : StepResult::Outcome::Failed);
}

void RecordUndo::deleteFile(StepResult::Step step, const QString &path)
{
    SafeFiles::Refusal refusal;
    const SafeFiles::Result deleted = SafeFiles::remove(path, &refusal);
    if (deleted == SafeFiles::Status::Refused)
        report(step, Report::refusedLine(refusal), StepResult::Outcome::Failed);
    else
        report(step, Report::fileDeletedLine(native(path), deleted == SafeFiles::Status::Done, deleted.reason()),
               deleted == SafeFiles::Status::Done ? StepResult::Outcome::Done : StepResult::Outcome::Failed);
}
