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
    const SafeFiles::Outcome read = SafeFiles::read(backup, &bytes, &refusal);
    if (read == SafeFiles::Outcome::Refused) {
        report(step, Report::refusedLine(refusal), StepResult::Outcome::Failed);
        return;
    }
    if (read == SafeFiles::Outcome::Done && !backupHash.isEmpty() && InstallRecord::hashOf(bytes) != backupHash) {
        report(step,
               QCoreApplication::translate("Removal", "ERROR : %1 was not put back: its backup %2 was changed since the installation.")
                   .arg(native(path), native(backup)),
               StepResult::Outcome::Failed);
        return;
    }
    const SafeFiles::Outcome written = read == SafeFiles::Outcome::Done ? SafeFiles::replace(path, bytes, &refusal) : SafeFiles::Outcome::Failed;
    if (written == SafeFiles::Outcome::Refused) {
        report(step, Report::refusedLine(refusal), StepResult::Outcome::Failed);
        return;
    }
    const bool restored = written == SafeFiles::Outcome::Done;
    report(step,
           restored ? QCoreApplication::translate("Removal", "OK : %1 put back from %2.").arg(native(path), native(backup))
                    : QCoreApplication::translate("Removal", "ERROR : %1 could not be put back from %2.").arg(native(path), native(backup)),
           restored ? StepResult::Outcome::Done : StepResult::Outcome::Failed);
}

void RecordUndo::deleteFile(StepResult::Step step, const QString &path)
{
    SafeFiles::Refusal refusal;
    const SafeFiles::Outcome deleted = SafeFiles::remove(path, &refusal);
    if (deleted == SafeFiles::Outcome::Refused)
        report(step, Report::refusedLine(refusal), StepResult::Outcome::Failed);
    else
        report(step, Report::fileDeletedLine(native(path), deleted == SafeFiles::Outcome::Done),
               deleted == SafeFiles::Outcome::Done ? StepResult::Outcome::Done : StepResult::Outcome::Failed);
}
