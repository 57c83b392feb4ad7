#include "conclusionpage.h"

#include "globals.h"
#include "pageparts.h"

#include <QDir>
#include <QLabel>
#include <QVBoxLayout>
#include <QWizard>

ConclusionPage::ConclusionPage(QWidget *parent)
    : QWizardPage(parent)
{
    setTitle(tr("Ending process"));
    PageParts::setWatermark(this);
    // Both sentences are reached with Tab and read by the screen reader.
    finishLabel = PageParts::readableLabel();
    resultLabel = PageParts::readableLabel();

    auto *layout = new QVBoxLayout;
    layout->addWidget(resultLabel);
    layout->addWidget(finishLabel);
    setLayout(layout);
}

void ConclusionPage::initializePage()
{
    jawsInstaller.publishReport();

    if (jawsInstaller.runReport().hasErrors())
        resultLabel->setText(tr("Error during installation. Please check the %1 file for details.")
                                 .arg(QDir::toNativeSeparators(jawsInstaller.runReport().reportPath())));
    else
        resultLabel->setText(tr("Installation correctly done."));
    // Kept in memory, since the program's folder could not be written: say where it went (the
    // error sentence names it already).
    if (jawsInstaller.runReport().inMemory() && jawsInstaller.runReport().reportPath().isEmpty())
        resultLabel->setText(resultLabel->text() + QLatin1Char(' ') + tr("No installation report could be written."));
    else if (jawsInstaller.runReport().inMemory() && !jawsInstaller.runReport().hasErrors())
        resultLabel->setText(resultLabel->text() + QLatin1Char(' ')
                             + tr("The installation report is %1.").arg(QDir::toNativeSeparators(jawsInstaller.runReport().reportPath())));

    finishLabel->setText(tr("Click %1 to end the installation process.").arg(PageParts::finishButtonName(wizard())));

    jawsInstaller.endReport();
}
