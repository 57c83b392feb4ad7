#include "removalconclusionpage.h"

#include "globals.h"
#include "pageparts.h"
#include "removalwizard.h"
#include "runsummary.h"

#include <QLabel>
#include <QVBoxLayout>

RemovalConclusionPage::RemovalConclusionPage(QWidget *parent)
    : QWizardPage(parent)
{
    setTitle(tr("End of the removal"));
    PageParts::setWatermark(this);
    resultLabel = PageParts::readableLabel();
    finishLabel = PageParts::readableLabel();

    auto *layout = new QVBoxLayout;
    layout->addWidget(resultLabel);
    layout->addWidget(finishLabel);
    setLayout(layout);
}

void RemovalConclusionPage::initializePage()
{
    auto *removalWizard = static_cast<RemovalWizard *>(wizard());
    RunSummary summary(RunSummary::Run::Removal, RunSummary::verdictOf(removalWizard->removal(), removalWizard->cancelRequested()));
    // Nothing changed when there was nothing to remove, so nothing is published either.
    if (summary.verdict() == RunSummary::Verdict::NothingToRemove) {
        summary.setJawsFolder(removalWizard->jawsFolder());
    } else {
        jawsInstaller.publishReport();
        summary.setReportPath(jawsInstaller.runReport().reportPath());
    }
    resultLabel->setText(summary.sentence(RunSummary::Shown::OnLastPage));
    finishLabel->setText(tr("Click %1 to end the removal.").arg(PageParts::finishButtonName(wizard())));
    // A cancel has closed the report's block already.
    if (removalWizard->removal().state() != Removal::State::Cancelled)
        jawsInstaller.endReport();
}

void RemovalConclusionPage::focusResult()
{
    resultLabel->setFocus();
}
