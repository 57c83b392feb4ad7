#include "copyfilespage.h"

#include "globals.h"
#include "installer/iniprofile.h"
#include "platform/messagebox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
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

QString CopyFilesPage::chosenJawsFolder() const
{
    const int row = field(QStringLiteral("jawsPath")).toInt();
    const QStringList folders = jaws.jawsFolders();
    return row >= 0 && row < folders.size() ? folders.at(row) : QString();
}

void CopyFilesPage::initializePage()
{
    if (wizard() && wizard()->button(QWizard::BackButton))
        wizard()->button(QWizard::BackButton)->setEnabled(false);
    jawsInstaller.reset();

    // No row chosen: nothing is started, and only Cancel is left.
    const QString jawsFolder = chosenJawsFolder();
    if (jawsFolder.isEmpty())
        return;
    jawsInstaller.setJawsFolder(jawsFolder);
    jawsInstaller.report().writeLine(tr("Installation into %1 folder...").arg(jawsFolder));
    jawsInstaller.report().writeLine(QString());

    const int device = field(QStringLiteral("defaultDevice")).toInt();
    const QStringList devices =
        IniProfile::readSectionNames(jawsInstaller.sourceFolder() + QDir::separator() + QStringLiteral("braille.ini"));
    if (device >= 0 && device < devices.size())
        jawsInstaller.setSelectedDevice(devices.at(device));

    progressBar->setValue(0);
    // A folder that is listed but gone (JAWS uninstalled) or a package folder that went away:
    // nothing can be installed, which the report and the last page must say. JAWS is then
    // left running, since it might not be started again from a folder that is not there.
    prepared = jawsInstaller.prepareCopy();
    if (!prepared) {
        jawsInstaller.report().writeLine(tr("ERROR : Jaws folder %1 or installation folder %2 not found: no file was copied.")
                                             .arg(QDir::toNativeSeparators(jawsFolder),
                                                  QDir::toNativeSeparators(jawsInstaller.sourceFolder())));
        jawsInstaller.setHasErrors(true);
    }

    if (prepared && jaws.getJawsHwnd()) {
        Platform::showMessageBox(tr("Jaws will be closed while copying files. It will be automatically restarted."),
                                 tr("Warning"));
        // Closed while the warning was up: the installation is not wanted, JAWS stays.
        if (!wizard() || !wizard()->isVisible()) {
            writeCancelled();
            return;
        }
        jaws.close();
        jawsWasRunning = true;
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
    copyStarted = true;
    copyThread.start(QThread::InheritPriority);
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
    if (finished || cancelled)
        return;
    finished = true;
    // Nothing was installed: the settings of JAWS are not touched for a driver that is not there.
    if (prepared)
        jawsInstaller.configureJaws();
    infoLabel->setText(tr("Copy finished."));
    restartJawsIfClosed(chosenJawsFolder());
    copyDoneEdit->setText(QStringLiteral("done"));
    if (wizard())
        wizard()->next();
}

void CopyFilesPage::cancelInstallation()
{
    if (!copyStarted || finished || cancelled)
        return;
    cancelled = true;
    copyThread.stopAndWait();
    // The worker's last events are still queued: the files it did copy belong in the report
    // before the line that says the installation stopped.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    writeCancelled();
    // Also called while the wizard is being destroyed, when its fields can no longer be read.
    restartJawsIfClosed(jawsInstaller.jawsFolder());
}
