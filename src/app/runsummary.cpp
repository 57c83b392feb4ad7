#include "runsummary.h"

#include "installer/installation.h"
#include "installer/removal.h"

#include <QDir>

RunSummary::RunSummary(Run run, Verdict verdict)
    : m_run(run)
    , m_verdict(verdict)
{
}

int RunSummary::exitCodeOf(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Done:
    case Verdict::DoneWithRemarks:
    case Verdict::NothingToRemove: // removing twice is harmless
        return ExitSucceeded;
    case Verdict::DoneWithErrors:
    case Verdict::NotDone:
        return ExitEndedWithErrors;
    case Verdict::NoSuchJaws:
        return ExitNoSuchJaws;
    case Verdict::PackageIncomplete:
        return ExitPackageIncomplete;
    case Verdict::JawsNotClosed:
        return ExitJawsNotClosed;
    case Verdict::Cancelled:
        return ExitCancelled;
    }
    return ExitEndedWithErrors;
}

RunSummary::Verdict RunSummary::worse(Verdict first, Verdict second)
{
    return exitCodeOf(second) > exitCodeOf(first) ? second : first;
}

RunSummary::Verdict RunSummary::verdictOf(const Installation &installation)
{
    if (installation.state() == Installation::State::Cancelled)
        return Verdict::Cancelled;
    if (installation.jawsFolderMissing())
        return Verdict::NoSuchJaws;
    if (installation.packageIncomplete())
        return Verdict::PackageIncomplete;
    if (installation.jawsNotClosed())
        return Verdict::JawsNotClosed;
    return installation.hasErrors() ? Verdict::DoneWithErrors : Verdict::Done;
}

RunSummary::Verdict RunSummary::verdictOf(const Removal &removal, bool cancelRequested)
{
    switch (removal.state()) {
    case Removal::State::Done:
        if (removal.hasErrors())
            return Verdict::DoneWithErrors;
        return removal.hasRemarks() ? Verdict::DoneWithRemarks : Verdict::Done;
    case Removal::State::Cancelled:
        return Verdict::Cancelled;
    case Removal::State::Failed:
        return removal.jawsNotClosed() ? Verdict::JawsNotClosed : Verdict::NotDone;
    default:
        // Never begun: no record to remove by, or asked to stop before it could move at all.
        return cancelRequested ? Verdict::Cancelled : Verdict::NothingToRemove;
    }
}

QString RunSummary::sentence(Shown shown) const
{
    return m_run == Run::Installation ? installationSentence(shown) : removalSentence(shown);
}

QString RunSummary::installationSentence(Shown shown) const
{
    const bool succeeded = exitCode() == ExitSucceeded;
    const QString report = QDir::toNativeSeparators(m_reportPath);
    if (shown == Shown::OnStandardOutput) {
        if (succeeded)
            return tr("Installation correctly done.");
        return report.isEmpty() ? tr("Error during installation. The report is on the standard error stream.")
                                : tr("Error during installation. Please check the %1 file for details.").arg(report);
    }
    QString text = succeeded ? tr("Installation correctly done.") : tr("Error during installation. Please check the %1 file for details.").arg(report);
    // The error sentence names the report already.
    if (m_reportAwayFromProgram && report.isEmpty())
        text += QLatin1Char(' ') + tr("No installation report could be written.");
    else if (m_reportAwayFromProgram && succeeded)
        text += QLatin1Char(' ') + tr("The installation report is %1.").arg(report);
    return text;
}

QString RunSummary::removalSentence(Shown shown) const
{
    const QString report = QDir::toNativeSeparators(m_reportPath);
    if (shown == Shown::OnStandardOutput) {
        if (exitCode() == ExitSucceeded)
            return m_runTakenBack.isEmpty() ? tr("Removal correctly done.") : tr("The installation run %1 is taken back.").arg(m_runTakenBack);
        return report.isEmpty() ? tr("Error during removal. The report is on the standard error stream.")
                                : tr("Error during removal. Please check the %1 file for details.").arg(report);
    }
    QString text;
    switch (m_verdict) {
    case Verdict::NothingToRemove:
        // Nothing changed: there is no report to name.
        return m_jawsFolder.isEmpty() ? tr("The Korvalis Braille driver is installed in no Jaws on this computer: there is nothing to remove.")
                                      : tr("The Korvalis Braille driver is not installed in %1: there is nothing to remove.")
                                            .arg(QDir::toNativeSeparators(m_jawsFolder));
    case Verdict::Done:
        text = tr("The Korvalis Braille driver was removed.");
        break;
    case Verdict::DoneWithRemarks:
        text = tr("The Korvalis Braille driver was removed. What was changed since the installation was kept: "
                  "the removal report names it.");
        break;
    case Verdict::DoneWithErrors:
        text = tr("The Korvalis Braille driver was removed, with errors: please read the removal report.");
        break;
    case Verdict::Cancelled:
        text = tr("The removal was cancelled: nothing was removed.");
        break;
    case Verdict::JawsNotClosed:
        text = tr("Jaws could not be closed: nothing was removed. Please close Jaws and try again.");
        break;
    case Verdict::NotDone:
    case Verdict::NoSuchJaws:
    case Verdict::PackageIncomplete:
        text = tr("Nothing was removed: please read the removal report.");
        break;
    }
    return text + QLatin1Char(' ') + (report.isEmpty() ? tr("No removal report could be written.") : tr("The removal report is %1.").arg(report));
}
