#include "copyfilespage.h"

#include "globals.h"
#include "installer/devicetable.h"
#include "pageparts.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWizard>

CopyFilesPage::CopyFilesPage(QWidget *parent)
    : QWizardPage(parent)
    , m_installation(jaws, jawsInstaller)
{
    PageParts::setWatermark(this);
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

    connect(&m_installation, &Installation::currentFile, currentFileLabel, &QLabel::setText);
    connect(&m_installation, &Installation::progressMinimum, progressBar, &QProgressBar::setMinimum);
    connect(&m_installation, &Installation::progressMaximum, progressBar, &QProgressBar::setMaximum);
    connect(&m_installation, &Installation::progressValue, progressBar, &QProgressBar::setValue);
    connect(&m_installation, &Installation::finished, this, &CopyFilesPage::installationFinished);
    m_installation.setBeforeClosingJaws([this] { warnBeforeClosingJaws(); });
}

// However the wizard goes, an installation under way ends as a cancel (the installation's own
// destructor would do the same, but the page's widgets are still whole here).
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
    // (a registry record without a usable Target) goes on, to the "not found" report.
    if (!jawsRowChosen())
        return;
    // The row names a model of the device table.
    const int device = field(QStringLiteral("defaultDevice")).toInt();
    const QString deviceName = device >= 0 && device < deviceTable().size() ? deviceTable().at(device).deviceName : QString();
    m_installation.prepare(chosenJawsFolder(), deviceName);
    progressBar->setValue(0);
    QTimer::singleShot(0, this, &CopyFilesPage::startInstallation);
}

void CopyFilesPage::startInstallation()
{
    m_installation.start();
}

void CopyFilesPage::warnBeforeClosingJaws()
{
    // Closed while the warning was up: the installation is not wanted, JAWS stays.
    if (!PageParts::warnBeforeClosingJaws(wizard(), tr("Jaws will be closed while copying files. It will be automatically restarted.")))
        m_installation.cancel();
}

bool CopyFilesPage::validatePage()
{
    return true;
}

void CopyFilesPage::installationFinished()
{
    // A cancel closes the wizard; it does not go on.
    if (m_installation.state() == Installation::State::Cancelled)
        return;
    if (m_installation.state() == Installation::State::Done)
        infoLabel->setText(tr("Copy finished."));
    copyDoneEdit->setText(QStringLiteral("done"));
    if (wizard())
        wizard()->next();
}

void CopyFilesPage::cancelInstallation()
{
    m_installation.cancel();
}
