#include "removalconclusionpage.h"

#include "globals.h"
#include "pageparts.h"
#include "removalwizard.h"

#include <QDir>
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

QString RemovalConclusionPage::outcomeSentence() const
{
    auto *removalWizard = static_cast<RemovalWizard *>(wizard());
    const Removal &removal = removalWizard->removal();
    switch (removal.state()) {
    case Removal::State::Done:
        if (removal.hasErrors())
            return tr("The Korvalis Braille driver was removed, with errors: please read the removal report.");
        if (removal.hasRemarks())
            return tr("The Korvalis Braille driver was removed. What was changed since the installation was kept: "
                      "the removal report names it.");
        return tr("The Korvalis Braille driver was removed.");
    case Removal::State::Cancelled:
        return tr("The removal was cancelled: nothing was removed.");
    case Removal::State::Failed:
        return removal.jawsNotClosed() ? tr("Jaws could not be closed: nothing was removed. Please close Jaws and try again.")
                                       : tr("Nothing was removed: please read the removal report.");
    default:
        // Asked to stop before it began, the removal may not have moved at all.
        return removalWizard->cancelRequested() ? tr("The removal was cancelled: nothing was removed.") : QString();
    }
}

void RemovalConclusionPage::initializePage()
{
    auto *removalWizard = static_cast<RemovalWizard *>(wizard());
    QString result = outcomeSentence();
    if (result.isEmpty()) {
        // Nothing changed, so nothing is published either.
        const QString folder = removalWizard->jawsFolder();
        result = folder.isEmpty() ? tr("The Korvalis Braille driver is installed in no Jaws on this computer: there is nothing to remove.")
                                  : tr("The Korvalis Braille driver is not installed in %1: there is nothing to remove.")
                                        .arg(QDir::toNativeSeparators(folder));
    } else {
        jawsInstaller.publishReport();
        result += QLatin1Char(' ');
        result += jawsInstaller.runReport().reportPath().isEmpty()
            ? tr("No removal report could be written.")
            : tr("The removal report is %1.").arg(QDir::toNativeSeparators(jawsInstaller.runReport().reportPath()));
    }
    resultLabel->setText(result);
    finishLabel->setText(tr("Click %1 to end the removal.").arg(PageParts::finishButtonName(wizard())));
    // A cancel has closed the report's block already.
    if (removalWizard->removal().state() != Removal::State::Cancelled)
        jawsInstaller.endReport();
}

void RemovalConclusionPage::focusResult()
{
    resultLabel->setFocus();
}
