#include "conclusionpage.h"

#include "globals.h"
#include "pageparts.h"
#include "runsummary.h"

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

    RunSummary summary(RunSummary::Run::Installation, jawsInstaller.runReport().hasErrors() ? RunSummary::Verdict::DoneWithErrors : RunSummary::Verdict::Done);
    summary.setReportPath(jawsInstaller.runReport().reportPath());
    summary.setReportAwayFromProgram(jawsInstaller.runReport().inMemory());
    resultLabel->setText(summary.sentence(RunSummary::Shown::OnLastPage));

    finishLabel->setText(tr("Click %1 to end the installation process.").arg(PageParts::finishButtonName(wizard())));

    jawsInstaller.endReport();
}
