#include "copyfilespage.h"

#include "globals.h"
#include "installer/devicetable.h"
#include "platform/messagebox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWizard>

CopyFilesPage::CopyFilesPage(QWidget *parent)
    : QWizardPage(parent)
    , jawsWasRunning(false)
{
    setPixmap(QWizard::WatermarkPixmap, QPixmap(QStringLiteral(":/InstallQuorOlma/Resources/Quor12-40.PNG")));
    progressBar = new QProgressBar(this);
    infoLabel = new QLabel(tr("Installation in progress..."));
    currentFileLabel = new QLabel(QString());
    // Long paths break at their spaces instead of being cut off at the page's edge.
    currentFileLabel->setWordWrap(true);
    // Never shown: it only holds the mandatory field that keeps Next disabled until the copy is
    // done, and stays out of the page so that neither Tab nor a screen reader finds it.
    copyDoneEdit = std::make_unique<QLineEdit>(QString());
    infoLabel->setBuddy(progressBar);
    // A screen-reader user reaches the state of the installation with Tab.
    infoLabel->setFocusPolicy(Qt::TabFocus);
    registerField(QStringLiteral("copydone*"), copyDoneEdit.get());

    auto *layout = new QVBoxLayout;
    layout->addWidget(infoLabel);
    layout->addWidget(currentFileLabel);
    layout->addWidget(progressBar);
    setLayout(layout);
}

// However the wizard goes, a copy under way ends as a cancel: recorded in the report, and the
// JAWS this page closed started again. The worker's own destructor waits for it in any case.
CopyFilesPage::~CopyFilesPage()
{
    cancelInstallation();
}

bool CopyFilesPage::jawsRowChosen() const
{
    const int row = field(QStringLiteral("jawsPath")).toInt();
    return row >= 0 && row < jaws.jawsFolders().size();
}

QString CopyFilesPage::chosenJawsFolder() const
{
    return jawsRowChosen() ? jaws.jawsFolders().at(field(QStringLiteral("jawsPath")).toInt()) : QString();
}

void CopyFilesPage::initializePage()
{
    if (wizard() && wizard()->button(QWizard::BackButton))
        wizard()->button(QWizard::BackButton)->setEnabled(false);
    jawsInstaller.reset();

    // No row chosen: nothing is started, and only Cancel is left. A row whose folder is empty
    // (a registry record without a usable Target) goes on, to the "not found" report below.
    if (!jawsRowChosen())
        return;
    const QString jawsFolder = chosenJawsFolder();
    jawsInstaller.setJawsFolder(jawsFolder);
    jawsInstaller.report().writeLine(tr("Installation into %1 folder...").arg(jawsFolder));
    jawsInstaller.report().writeLine(QString());

    // The row names a model of the device table; whether the package's braille.ini has its
    // section, wherever it stands, is checked before anything is touched.
    const int device = field(QStringLiteral("defaultDevice")).toInt();
    if (device >= 0 && device < deviceTable().size())
        jawsInstaller.setSelectedDevice(deviceTable().at(device).deviceName);

    progressBar->setValue(0);
    state = State::Starting;
    QTimer::singleShot(0, this, &CopyFilesPage::startInstallation);
}

void CopyFilesPage::startInstallation()
{
    if (state != State::Starting)
        return; // cancelled before it began

    // An incomplete package (a folder already cleaned up by an earlier run, or unpacked in
    // part) installs nothing: JAWS keeps running and no folder or setting of it is touched.
    if (!jawsInstaller.checkPackage()) {
        finishWithoutInstalling();
        return;
    }
    // A folder that is listed but gone (JAWS uninstalled) or a package folder that went away:
    // nothing can be installed, which the report and the last page must say. JAWS is then
    // left running, since it might not be started again from a folder that is not there.
    if (!jawsInstaller.prepareCopy()) {
        jawsInstaller.report().writeLine(tr("ERROR : Jaws folder %1 or installation folder %2 not found: no file was copied.")
                                             .arg(QDir::toNativeSeparators(jawsInstaller.jawsFolder()),
                                                  QDir::toNativeSeparators(jawsInstaller.sourceFolder())));
        jawsInstaller.report().noteFailure();
        jawsInstaller.setHasErrors(true);
        finishWithoutInstalling();
        return;
    }

    if (jaws.getJawsHwnd()) {
        state = State::ClosingJaws;
        Platform::showMessageBox(tr("Jaws will be closed while copying files. It will be automatically restarted."),
                                 tr("Warning"));
        // Cancelled or closed while the warning was up: the installation is not wanted, JAWS stays.
        if (state == State::Cancelled)
            return;
        if (!wizard() || !wizard()->isVisible()) {
            state = State::Cancelled;
            writeCancelled();
            return;
        }
        // Closing lets events run, so a Cancel may arrive meanwhile; keys meant for the next
        // page meet this one, where Next stays disabled until the end.
        jaws.close();
        // Still there after the whole protocol: a second JAWS must not be started at the end.
        jawsWasRunning = !jaws.getJawsHwnd();
        if (!jawsWasRunning) {
            jawsInstaller.report().writeLine(tr("ERROR : Jaws could not be closed. Please restart Jaws after the installation."));
            jawsInstaller.report().noteFailure();
            jawsInstaller.setHasErrors(true);
        }
        if (state == State::Cancelled) {
            restartJawsIfClosed(jawsInstaller.jawsFolder());
            return;
        }
    }

    copyThread.setLists(jawsInstaller.sourceFiles(), jawsInstaller.destinationFiles());
    connect(&copyThread, &CopyThread::copyFileSuccess, this, &CopyFilesPage::copyFileSuccess, Qt::UniqueConnection);
    connect(&copyThread, &CopyThread::copyFileFails, this, &CopyFilesPage::copyFileFails, Qt::UniqueConnection);
    connect(&copyThread, &CopyThread::createDirectoryPathSuccess, this, &CopyFilesPage::createDirectoryPathSuccess, Qt::UniqueConnection);
    connect(&copyThread, &CopyThread::createDirectoryPathFails, this, &CopyFilesPage::createDirectoryPathFails, Qt::UniqueConnection);
    connect(&copyThread, &CopyThread::copyDone, this, &CopyFilesPage::copyDone, Qt::UniqueConnection);
    connect(&copyThread, &CopyThread::setCurrentFile, currentFileLabel, &QLabel::setText, Qt::UniqueConnection);
    connect(&copyThread, &CopyThread::setMaximum, progressBar, &QProgressBar::setMaximum, Qt::UniqueConnection);
    connect(&copyThread, &CopyThread::setMinimum, progressBar, &QProgressBar::setMinimum, Qt::UniqueConnection);
    connect(&copyThread, &CopyThread::setValue, progressBar, &QProgressBar::setValue, Qt::UniqueConnection);
    state = State::Copying;
    copyThread.start(QThread::InheritPriority);
}

void CopyFilesPage::finishWithoutInstalling()
{
    state = State::Done;
    copyDoneEdit->setText(QStringLiteral("done"));
    if (wizard())
        wizard()->next();
}

void CopyFilesPage::writeCancelled()
{
    jawsInstaller.setHasErrors(true);
    jawsInstaller.report().writeLine(QString());
    jawsInstaller.report().writeLine(
        tr("ERROR : Installation cancelled by the user. The files copied so far stay; the settings of Jaws were not changed."));
    jawsInstaller.report().writeLine(Report::separatorLine());
}

bool CopyFilesPage::validatePage()
{
    return true;
}

void CopyFilesPage::copyFileSuccess(const QString &filePath)
{
    jawsInstaller.report().fileCopied(filePath, true, true);
    jawsInstaller.recordCopy(filePath, true);
}

void CopyFilesPage::copyFileFails(const QString &filePath)
{
    jawsInstaller.report().fileCopied(filePath, false, true);
    jawsInstaller.recordCopy(filePath, false);
    jawsInstaller.setHasErrors(true);
}

void CopyFilesPage::createDirectoryPathSuccess(const QString &dirPath)
{
    jawsInstaller.report().folderCreated(dirPath, true, true);
}

void CopyFilesPage::createDirectoryPathFails(const QString &dirPath)
{
    jawsInstaller.report().folderCreated(dirPath, false, true);
    jawsInstaller.setHasErrors(true);
}

void CopyFilesPage::restartJawsIfClosed(const QString &chosenFolder)
{
    if (!jawsWasRunning)
        return;
    jaws.setCurrentFolder(chosenFolder);
    jaws.restart();
}

void CopyFilesPage::copyDone()
{
    // A copy stopped by Cancel ends with this signal too; nothing may be configured then.
    if (state != State::Copying)
        return;
    state = State::Done;
    jawsInstaller.configureJaws();
    infoLabel->setText(tr("Copy finished."));
    restartJawsIfClosed(chosenJawsFolder());
    copyDoneEdit->setText(QStringLiteral("done"));
    if (wizard())
        wizard()->next();
}

void CopyFilesPage::cancelInstallation()
{
    switch (state) {
    case State::NotStarted:
    case State::Done:
    case State::Cancelled:
        return;
    case State::Starting:
    case State::ClosingJaws:
        // Nothing copied yet. The warning or the close protocol may still be under way further
        // up the stack: it sees the cancel when it returns and gives JAWS back then.
        state = State::Cancelled;
        writeCancelled();
        return;
    case State::Copying:
        state = State::Cancelled;
        copyThread.stopAndWait();
        // The worker's last events are still queued: the files it did copy belong in the report
        // before the line that says the installation stopped.
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        writeCancelled();
        // Also called while the wizard is being destroyed, when its fields can no longer be read.
        restartJawsIfClosed(jawsInstaller.jawsFolder());
        return;
    }
}
