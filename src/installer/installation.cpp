#include "installation.h"

#include "installer/appslistentry.h"
#include "installer/jawsinstaller.h"
#include "jaws/jaws.h"

#include <QCoreApplication>
#include <QDir>

namespace {
// These lines were the copy page's before the installation became an object of its own; their
// translations stay where the catalogues have them.
QString pageText(const char *text)
{
    return QCoreApplication::translate("CopyFilesPage", text);
}
} // namespace

Installation::Installation(Jaws &jaws_, JawsInstaller &installer_, QObject *parent)
    : QObject(parent)
    , installer(installer_)
    , run(installer_.runReport())
    , jawsClosing(jaws_, installer_.runReport())
{
    connect(&copyThread, &CopyThread::copyFileSuccess, this, &Installation::copyFileSuccess);
    connect(&copyThread, &CopyThread::copyFileFails, this, &Installation::copyFileFails);
    connect(&copyThread, &CopyThread::copyFileBackedUp, this, &Installation::copyFileBackedUp);
    connect(&copyThread, &CopyThread::copySourceRefused, this, [this](const QString &link) {
        run.record(StepResult::Step::Copy, Report::refusedLine({ link, true }), StepResult::Outcome::Failed);
    });
    connect(&copyThread, &CopyThread::createDirectoryPathSuccess, this, &Installation::createDirectoryPathSuccess);
    connect(&copyThread, &CopyThread::createDirectoryPathFails, this, &Installation::createDirectoryPathFails);
    connect(&copyThread, &CopyThread::copyDone, this, &Installation::copyDone);
    // Queued to this object like the slots above, so that a cancel delivers them in order.
    connect(&copyThread, &CopyThread::setCurrentFile, this, &Installation::currentFile);
    connect(&copyThread, &CopyThread::setMinimum, this, &Installation::progressMinimum);
    connect(&copyThread, &CopyThread::setMaximum, this, &Installation::progressMaximum);
    connect(&copyThread, &CopyThread::setValue, this, &Installation::progressValue);
}

Installation::~Installation()
{
    cancel();
}

bool Installation::hasErrors() const
{
    return run.hasErrors(firstResult);
}

bool Installation::packageIncomplete() const
{
    return run.failed(StepResult::Step::Package, firstResult);
}

bool Installation::jawsFolderMissing() const
{
    return run.failed(StepResult::Step::Folders, firstResult);
}

bool Installation::jawsNotClosed() const
{
    return run.failed(StepResult::Step::ClosingJaws, firstResult);
}

void Installation::setState(State state)
{
    m_state = state;
    emit stateChanged(state);
}

void Installation::prepare(const QString &jawsFolder, const QString &deviceName)
{
    // Once only: a copy worker that was stopped does not copy again.
    if (m_state != State::Idle)
        return;
    installer.reset();
    firstResult = run.resultCount();
    installer.target().setJawsFolder(jawsFolder);
    run.report().writeLine(pageText(QT_TRANSLATE_NOOP("CopyFilesPage", "Installation into %1 folder...")).arg(jawsFolder));
    // What a deployment names to take this run back alone (--undo-run).
    run.report().writeLine(tr("Installation run: %1").arg(installer.recorder().runId()));
    run.report().writeLine(QString());
    // Whether the package's braille.ini has this display's section, wherever it stands, is
    // checked before anything is touched.
    installer.jawsConfiguration().setSelectedDevice(deviceName);
    setState(State::Prepared);
}

void Installation::fail()
{
    setState(State::Failed);
    emit finished();
}

void Installation::start()
{
    if (m_state != State::Prepared)
        return; // cancelled before it began, or started already

    // An incomplete package (a folder already cleaned up by an earlier run, or unpacked in
    // part) installs nothing: JAWS keeps running and no folder or setting of it is touched.
    if (!installer.package().checkPackage(installer.jawsConfiguration().selectedDevice())) {
        fail();
        return;
    }
    // A folder that is listed but gone (JAWS uninstalled) or a package folder that went away:
    // nothing can be installed, which the report must say. JAWS is then left running, since it
    // might not be started again from a folder that is not there.
    if (!installer.copyPlan().prepare()) {
        run.record(StepResult::Step::Folders,
                         pageText(QT_TRANSLATE_NOOP("CopyFilesPage", "ERROR : Jaws folder %1 or installation folder %2 not found: no file was copied."))
                             .arg(QDir::toNativeSeparators(installer.target().jawsFolder()), QDir::toNativeSeparators(installer.package().folder())),
                         StepResult::Outcome::Failed);
        fail();
        return;
    }

    if (leaveInstalledAlone && installer.copyPlan().allInPlace() && installer.jawsConfiguration().defaultDeviceSelected()) {
        run.report().writeLine(tr("The driver is installed in %1 already: left as it is.").arg(QDir::toNativeSeparators(installer.target().jawsFolder())));
        m_leftAlone = true;
        setState(State::Done);
        emit finished();
        return;
    }

    if (jawsClosing.jawsRuns()) {
        setState(State::ClosingJaws);
        switch (jawsClosing.close([this] { return m_state == State::Cancelled; })) {
        case JawsClosing::Ending::CancelledBeforeClosing:
            return; // JAWS stays as it is
        case JawsClosing::Ending::CancelledWhileClosing:
            // The installation ends only now, with JAWS given back, so that the report the last
            // page publishes holds the restart too.
            endCancelled();
            return;
        case JawsClosing::Ending::StillRunning:
            // JAWS is left as it is; the installation goes on.
            run.record(StepResult::Step::ClosingJaws,
                             pageText(QT_TRANSLATE_NOOP("CopyFilesPage", "ERROR : Jaws could not be closed. Please restart Jaws after the installation.")),
                             StepResult::Outcome::Failed);
            break;
        case JawsClosing::Ending::Closed:
            break;
        }
    }

    startCopy();
}

void Installation::startCopy()
{
    // Before the first file, the record says what the run is about to do: stopped at any moment
    // from here on, it leaves what a removal takes away. Without that record nothing is copied.
    if (!installer.recorder().writeIntentRecord()) {
        restartJawsIfClosed();
        fail();
        return;
    }
    copyThread.setLists(installer.copyPlan().sourceFiles(), installer.copyPlan().destinationFiles());
    setState(State::Copying);
    copyThread.start(QThread::InheritPriority);
}

void Installation::cancel()
{
    switch (m_state) {
    case State::Idle:
    case State::Done:
    case State::Cancelled:
    case State::Failed:
    case State::Configuring: // runs to its end without letting events run
        return;
    case State::Prepared:
    case State::ClosingJaws:
        // Nothing copied yet. The warning or the close protocol may still be under way further
        // up the stack: it sees the cancel when it returns. The close protocol then gives JAWS
        // back and ends the installation itself.
        setState(State::Cancelled);
        if (jawsClosing.closing())
            return;
        endCancelled(); // nothing was closed yet
        return;
    case State::Copying:
        setState(State::Cancelled);
        copyThread.stopAndWait();
        // The worker's last events are still queued: the files it did copy belong in the report
        // before the line that says the installation stopped.
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        installer.recorder().recordCopiesOnly();
        endCancelled();
        return;
    }
}

void Installation::writeCancelled()
{
    run.record(StepResult::Step::Cancel, QString());
    run.record(StepResult::Step::Cancel,
                     pageText(QT_TRANSLATE_NOOP("CopyFilesPage", "ERROR : Installation cancelled by the user. The files copied so far stay; the settings of Jaws were not changed.")),
                     StepResult::Outcome::Failed);
    run.report().writeLine(Report::separatorLine());
}

void Installation::endCancelled()
{
    writeCancelled();
    restartJawsIfClosed();
    emit finished();
}

void Installation::restartJawsIfClosed()
{
    jawsClosing.giveBack(installer.target().jawsFolder());
}

QString Installation::jawsClosedFolder() const
{
    return jawsClosing.closedFolder(installer.target().jawsFolder());
}

void Installation::copyFileSuccess(const QString &filePath)
{
    run.record(StepResult::Step::Copy, Report::fileCopiedLine(filePath, true), StepResult::Outcome::Done);
    installer.recorder().recordCopy(filePath, true);
    emit fileCopied(filePath, true);
}

void Installation::copyFileFails(const QString &filePath, const QString &reason)
{
    run.record(StepResult::Step::Copy, Report::fileCopiedLine(filePath, false, reason), StepResult::Outcome::Failed);
    installer.recorder().recordCopy(filePath, false);
    emit fileCopied(filePath, false);
}

void Installation::copyFileBackedUp(const QString &filePath, const QString &backup)
{
    run.record(StepResult::Step::Copy, Report::fileSavedLine(backup, true), StepResult::Outcome::Done);
    installer.recorder().recordCopyBackup(filePath, backup);
}

void Installation::createDirectoryPathSuccess(const QString &dirPath)
{
    installer.recorder().recordCreatedFolder(dirPath);
    run.record(StepResult::Step::Copy, Report::folderCreatedLine(dirPath, true), StepResult::Outcome::Done);
    emit folderCreated(dirPath, true);
}

void Installation::createDirectoryPathFails(const QString &dirPath, const QString &reason)
{
    run.record(StepResult::Step::Copy, Report::folderCreatedLine(dirPath, false, reason), StepResult::Outcome::Failed);
    emit folderCreated(dirPath, false);
}

void Installation::copyDone()
{
    // A copy stopped by a cancel ends with this signal too; nothing may be configured then.
    if (m_state != State::Copying)
        return;
    setState(State::Configuring);
    installer.jawsConfiguration().configureJaws();
    if (installer.jawsConfiguration().stopped()) {
        // As a cancel during the copy: what was copied is recorded, so that a removal takes it.
        setState(State::Cancelled);
        installer.recorder().recordCopiesOnly();
        endCancelled();
        return;
    }
    // The driver is in JAWS now, errors or not: the list of apps offers its removal.
    QString appsListLine;
    AppsListEntry().registerInstallation(installer.target(), installer.copyPlan(), installer.package(), &appsListLine);
    run.record(StepResult::Step::AppsList, QString());
    run.record(StepResult::Step::AppsList, appsListLine);
    // Only after its settings were written, and only the JAWS closed here.
    restartJawsIfClosed();
    setState(State::Done);
    emit finished();
}
