#include "unattendedrun.h"

#include "commandline.h"
#include "globals.h"
#include "installer/devicetable.h"
#include "installer/installation.h"
#include "installer/appslistentry.h"
#include "installer/removal.h"
#include "paths/windowspath.h"
#include "platform/console.h"
#include "platform/safefiles.h"
#include "installer/shellfolders.h"
#include "version/jawsversion.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

// The order of JAWS versions: by year or major, then minor; (-1, -1) when it cannot be told.
std::pair<int, int> versionOrder(const QString &folder)
{
    const JawsVersion version = JawsVersion::ofInstallation(folder, Jaws::registryKeyOf(folder));
    return version.isKnown() ? std::make_pair(version.major(), version.minorText().trimmed().toInt()) : std::make_pair(-1, -1);
}

} // namespace

UnattendedRun::UnattendedRun(const CommandLine &commandLine_, const QStringList &arguments_)
    : commandLine(commandLine_)
    , arguments(arguments_)
    , jawsClosing(jaws, jawsInstaller.runReport())
{
    jawsClosing.setRestart(commandLine.restartJaws());
}

QStringList UnattendedRun::chooseJawsFolders(const QString &wanted, const QStringList &listed, QStringList *passedOver)
{
    const bool latest = wanted.compare(QLatin1String("latest"), Qt::CaseInsensitive) == 0;
    const bool all = wanted.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0;
    if (!latest && !all) {
        // Windows drops the dots and blanks that end a name: "C:\JAWS\2025." is that folder.
        QString named = wanted;
        while (!named.isEmpty() && (named.endsWith(QLatin1Char('.')) || named.endsWith(QLatin1Char(' '))) && !named.endsWith(QLatin1String("..")))
            named.chop(1);
        for (const QString &folder : listed) {
            if (!folder.isEmpty() && WindowsPath::samePath(folder, named))
                return { folder };
        }
        return {};
    }
    // A record left by an uninstalled JAWS (its folder gone, or emptied) is no installation,
    // though its key may name a higher version than any.
    QStringList installed;
    for (const QString &folder : listed) {
        if (!folder.isEmpty() && jaws.containsJawsExecutable(folder))
            installed << folder;
        else if (passedOver)
            *passedOver << folder;
    }
    if (all || installed.isEmpty())
        return installed;
    return { *std::max_element(installed.cbegin(), installed.cend(), [](const QString &a, const QString &b) {
        return versionOrder(a) < versionOrder(b);
    }) };
}

void UnattendedRun::say(const QString &line) const
{
    Platform::writeStandardOutput(line + QLatin1Char('\n'));
}

bool UnattendedRun::writeLog(const QByteArray &run) const
{
    using Platform::SafeFiles;
    const QString log = QFileInfo(commandLine.logFile()).absoluteFilePath();
    // Reached from its volume's root, no link followed: --log may name a folder users write in.
    if (SafeFiles::replace(log, run) == SafeFiles::Status::Done)
        return true;
    // A file that may be written in a folder that may not (no file can be made beside it): in place.
    QFile file;
    return SafeFiles::nameTaken(log) && SafeFiles::open(log, file, QIODevice::WriteOnly | QIODevice::Truncate) == SafeFiles::Status::Done
        && file.write(run) == run.size() && file.flush();
}

bool UnattendedRun::logFileAllowed()
{
    if (commandLine.logFile().isEmpty())
        return true;
    const QFileInfo log(QFileInfo(commandLine.logFile()).absoluteFilePath());
    QString wrong;
    // Only ever a plain file: a device, a folder or a link is not replaced by a report.
    if (log.isSymLink() || (log.exists() && !log.isFile()))
        wrong = tr("%1 is not a plain file.").arg(QDir::toNativeSeparators(log.filePath()));
    // Nor a file of JAWS or of its settings, the install record among them: that would lose it.
    QStringList places = jaws.jawsFolders();
    const ShellFolders shellFolders;
    QStringList appDataFolders{ shellFolders.commonAppDataFolder, shellFolders.appDataFolder, jawsInstaller.target().interactiveUser().appDataFolder };
    for (const Platform::UserProfile &profile : Platform::userProfiles())
        appDataFolders << profile.appDataFolder;
    for (const QString &appData : std::as_const(appDataFolders)) {
        if (!appData.isEmpty())
            places << appData + QStringLiteral("/Freedom Scientific");
    }
    for (const QString &place : std::as_const(places)) {
        if (wrong.isEmpty() && !place.isEmpty() && WindowsPath::isSameOrInside(log.filePath(), place))
            wrong = tr("%1 lies among the files of JAWS or of its settings.").arg(QDir::toNativeSeparators(log.filePath()));
    }
    if (wrong.isEmpty())
        return true;
    Platform::writeStandardError(tr("The report cannot be written to --log %1: %2 Nothing was done.")
                                     .arg(QDir::toNativeSeparators(commandLine.logFile()), wrong)
                                 + QLatin1Char('\n'));
    return false;
}

bool UnattendedRun::chooseJawsFolders()
{
    const QStringList listed = jaws.jawsFolders();
    QStringList passedOver;
    jawsFolders = chooseJawsFolders(commandLine.jaws(), listed, &passedOver);
    // The list of apps' own removal of a JAWS uninstalled since, its registry record gone too:
    // its entry is what is left to remove.
    if (jawsFolders.isEmpty() && removing() && AppsListEntry::isRegistered(commandLine.jaws()))
        jawsFolders << commandLine.jaws();
    for (const QString &folder : std::as_const(passedOver))
        say(tr("Passed over: %1 holds no JAWS program.").arg(folder.isEmpty() ? QStringLiteral("\"\"") : QDir::toNativeSeparators(folder)));
    if (!jawsFolders.isEmpty())
        return true;
    // Nothing is touched for a folder that was mistyped: no report, no file.
    QString text = tr("%1 is not a JAWS installation of this computer.").arg(commandLine.jaws()) + QLatin1Char('\n');
    text += listed.isEmpty() ? tr("No JAWS installation was found.") : tr("JAWS installations: %1").arg(listed.join(QStringLiteral("; ")));
    Platform::writeStandardError(text + QLatin1Char('\n'));
    return false;
}

bool UnattendedRun::jawsWithinReach()
{
    if (jawsClosing.withinReach())
        return true;
    Platform::writeStandardError((removing() ? tr("JAWS is running in a session that this program cannot reach (it runs as another account "
                                                  "while a user works): nothing was removed. Run the removal again when JAWS is not running.")
                                             : tr("JAWS is running in a session that this program cannot reach (it runs as another account while "
                                                  "a user works): nothing was installed. Run the installation again when JAWS is not running."))
                                 + QLatin1Char('\n'));
    return false;
}

void UnattendedRun::interrupt()
{
    if (interrupted)
        return;
    interrupted = true;
    say(removing() ? tr("Interrupted: stopping the removal...") : tr("Interrupted: stopping the installation..."));
    if (current)
        current->cancel();
    if (currentRemoval)
        currentRemoval->cancel();
}

RunSummary::Verdict UnattendedRun::installInto(const QString &folder)
{
    const Device &device = deviceTable().at(commandLine.device());
    say(tr("Installing the Korvalis Braille driver into %1 for the %2 display...").arg(QDir::toNativeSeparators(folder), device.option));

    Installation installation(jaws, jawsInstaller);
    // JAWS is given back once, at the end of the whole run.
    installation.setRestartJaws(false);
    // The repair run after a JAWS upgrade goes over every installation; those done already are
    // left as they are.
    installation.setLeaveInstalledAlone(jawsFolders.size() > 1);
    QObject::connect(&installation, &Installation::stateChanged, [this](Installation::State state) {
        switch (state) {
        case Installation::State::ClosingJaws:
            say(tr("Closing JAWS..."));
            break;
        case Installation::State::Copying:
            say(tr("Copying files..."));
            break;
        case Installation::State::Configuring:
            say(tr("Configuring JAWS..."));
            break;
        default:
            break;
        }
    });
    QEventLoop loop;
    QObject::connect(&installation, &Installation::finished, &loop, &QEventLoop::quit);
    current = &installation;
    installation.prepare(folder, device.deviceName);
    if (interrupted)
        installation.cancel(); // the report says so for this installation too
    else
        installation.start();
    if (installation.state() == Installation::State::Copying)
        loop.exec();
    current = nullptr;
    if (installation.jawsClosedHere())
        jawsClosing.takeOver(installation.jawsClosedFolder());
    if (!jawsInstaller.target().programFolder().isEmpty())
        programFolders << jawsInstaller.target().programFolder();

    if (installation.leftAlone())
        say(tr("Installed already: left as it is."));
    return RunSummary::verdictOf(installation);
}

bool UnattendedRun::removing() const
{
    return commandLine.mode() == CommandLine::Mode::UnattendedRemoval;
}

RunSummary::Verdict UnattendedRun::removeFrom(const QString &folder)
{
    const QString runToUndo = commandLine.runToUndo();
    say(runToUndo.isEmpty() ? tr("Removing the Korvalis Braille driver from %1...").arg(QDir::toNativeSeparators(folder))
                            : tr("Taking back the installation run %1 from %2...").arg(runToUndo, QDir::toNativeSeparators(folder)));
    Removal removal(jaws, jawsInstaller.target(), jawsInstaller.package(), jawsInstaller.runReport());
    removal.setRunToUndo(runToUndo);
    // JAWS is given back once, at the end of the whole run.
    removal.setRestartJaws(false);
    QObject::connect(&removal, &Removal::stateChanged, [this](Removal::State state) {
        if (state == Removal::State::ClosingJaws)
            say(tr("Closing JAWS..."));
        else if (state == Removal::State::Removing)
            say(tr("Removing and restoring files..."));
    });
    QString goneLine;
    if (runToUndo.isEmpty() && Removal::forgetGoneJaws(folder, &goneLine)) {
        for (const QString &line : goneLine.split(QLatin1Char('\n')))
            say(line);
        return RunSummary::Verdict::Done;
    }
    if (!removal.prepare(folder)) {
        if (removal.recordDamaged()) {
            // The report says which record and that nothing was removed; it goes where reports go.
            say(tr("The installation record in %1 is damaged or cannot be read: nothing was removed.").arg(QDir::toNativeSeparators(folder)));
            removedAny = true;
            programFolders << jawsInstaller.target().programFolder();
            return RunSummary::verdictOf(removal);
        }
        if (removal.runRefused()) {
            say(tr("The installation run %1 cannot be taken back alone in %2: later runs built on it. Take those back first, the latest first.")
                    .arg(runToUndo, QDir::toNativeSeparators(folder)));
            removedAny = true;
            programFolders << jawsInstaller.target().programFolder();
            return RunSummary::verdictOf(removal);
        }
        if (!runToUndo.isEmpty() && Removal::isRecorded(jawsInstaller.target(), jawsInstaller.package(), folder))
            say(tr("The installation run %1 left no change recorded in %2: nothing to take back.").arg(runToUndo, QDir::toNativeSeparators(folder)));
        else
            say(tr("Nothing of the driver to remove: no installation record in %1.").arg(QDir::toNativeSeparators(folder)));
        return RunSummary::verdictOf(removal);
    }
    // Removing runs off this thread, which keeps answering interrupts: one stops it between two
    // files, however long a file takes. Not in the Windows build yet: under Wine the program then
    // sometimes stayed alive after its last line (about one run in three, the worker long ended),
    // which a deployment agent would take for a hang; until that is understood, the removal runs
    // in line there, sees an interrupt between two files all the same (interruptRequested), and a
    // file call that blocks is cut short by the interrupt's deadline.
#ifdef Q_OS_WIN
    removal.setInBackground(false);
#else
    removal.setInBackground(true);
#endif
    QEventLoop loop;
    QObject::connect(&removal, &Removal::finished, &loop, &QEventLoop::quit);
    currentRemoval = &removal;
    if (interrupted)
        removal.cancel(); // the report says so for this removal too
    else
        removal.start();
    if (removal.state() == Removal::State::Removing)
        loop.exec();
    currentRemoval = nullptr;
    if (removal.jawsClosedHere())
        jawsClosing.takeOver(removal.jawsClosedFolder());
    removedAny = true;
    programFolders << jawsInstaller.target().programFolder();
    return RunSummary::verdictOf(removal);
}

int UnattendedRun::run()
{
    // Said only when a file call held this thread for all of the seconds the run is given after
    // an interrupt: the files are whole, and what was copied or removed is in the record.
    Platform::watchInterrupts(QCoreApplication::instance(), [this] { interrupt(); },
                              (removing() ? tr("Interrupted: a file could not be reached in time; the removal ends here. Remove the driver again to finish.")
                                          : tr("Interrupted: a file could not be reached in time; the installation ends here, each file whole. Run it again to finish."))
                                  + QLatin1Char('\n'),
                              ExitCancelled);
    jawsInstaller.runReport().report().writeLine(tr("Started without the wizard: %1").arg(arguments.mid(1).join(QLatin1Char(' '))));
    if (!removing()) {
        if (!commandLine.runId().isEmpty())
            jawsInstaller.recorder().setRunId(commandLine.runId());
        // Whoever deployed it can take this run back alone with it (--undo-run).
        say(tr("Installation run: %1").arg(jawsInstaller.recorder().runId()));
    }

    RunSummary::Verdict verdict = RunSummary::Verdict::Done;
    for (const QString &folder : std::as_const(jawsFolders)) {
        // Each installation of the run counts alone (its own results); the run, as the worst.
        verdict = RunSummary::worse(verdict, removing() ? removeFrom(folder) : installInto(folder));
        // An interrupt this thread could not answer in time (it was held in a file call) has
        // stopped the run's work all the same: it is said, and nothing more is begun.
        if (Platform::interruptRequested())
            interrupt();
    }
    if (!jawsClosing.giveBack(QString()))
        verdict = RunSummary::worse(verdict, RunSummary::Verdict::DoneWithErrors);

    // The log is tried before the report is published, so that a log that cannot be written is
    // named in the report: a remark, not an error of the installation.
    bool logged = true;
    if (!commandLine.logFile().isEmpty()) {
        logged = writeLog(jawsInstaller.runReport().report().thisRun());
        if (!logged)
            jawsInstaller.runReport().report().writeLine(tr("NOTE : The report could not be written to %1.").arg(QDir::toNativeSeparators(commandLine.logFile())));
    }
    // The package folder is left as it was: the report goes into each JAWS folder installed
    // into, and to --log with this run's lines only.
    QStringList published;
    for (const QString &programFolder : std::as_const(programFolders)) {
        if (jawsInstaller.runReport().publishInto(programFolder))
            published << QDir::toNativeSeparators(jawsInstaller.runReport().reportPath());
    }
    // A cancel has closed the report's block already.
    if (verdict != RunSummary::Verdict::Cancelled)
        jawsInstaller.endReport();
    const QByteArray report = jawsInstaller.runReport().report().thisRun();
    if (logged && !commandLine.logFile().isEmpty()) {
        logged = writeLog(report);
        if (logged)
            published << QDir::toNativeSeparators(commandLine.logFile());
    }
    if (!logged)
        Platform::writeStandardError(tr("The report could not be written to %1.").arg(commandLine.logFile()) + QLatin1Char('\n'));
    for (const QString &path : std::as_const(published))
        say(tr("Report: %1").arg(path));
    // Written nowhere else, the report is not lost: the deployment tool keeps what is printed.
    // (A removal that found nothing to remove changed nothing, not even a report.)
    if (published.isEmpty() && (!removing() || removedAny))
        Platform::writeStandardError(QString::fromLocal8Bit(report));

    RunSummary summary(removing() ? RunSummary::Run::Removal : RunSummary::Run::Installation, verdict);
    summary.setReportPath(published.value(0));
    summary.setRunTakenBack(commandLine.runToUndo());
    say(summary.sentence(RunSummary::Shown::OnStandardOutput));
    return summary.exitCode();
}
