#include "removalplanpage.h"

#include "jaws/jaws.h"
#include "pageparts.h"
#include "removalwizard.h"
#include "version/jawsversion.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

RemovalPlanPage::RemovalPlanPage(QWidget *parent)
    : QWizardPage(parent)
{
    PageParts::setWatermark(this);
    headingLabel = PageParts::readableLabel();

    planText = new QPlainTextEdit;
    planText->setReadOnly(true);
    // Read with the arrow keys, left with Tab: a screen-reader user moves through it line by line.
    planText->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    planText->setTabChangesFocus(true);
    planText->setFocusPolicy(Qt::StrongFocus);
    auto *planLabel = new QLabel(tr("&What will be done:"));
    planLabel->setBuddy(planText);
    planText->setAccessibleName(PageParts::withoutMnemonic(planLabel->text()));

    auto *layout = new QVBoxLayout;
    layout->addWidget(headingLabel);
    layout->addWidget(planLabel);
    layout->addWidget(planText);
    setLayout(layout);
}

void RemovalPlanPage::initializePage()
{
    auto *removalWizard = static_cast<RemovalWizard *>(wizard());
    const QString folder = removalWizard->jawsFolder();
    const JawsVersion version = JawsVersion::ofInstallation(folder, Jaws::registryKeyOf(folder));
    const QString shownFolder = QDir::toNativeSeparators(folder);
    prepared = removalWizard->removal().prepare(folder);
    const QString jawsName = version.isKnown() ? tr("Jaws %1 in %2").arg(version.settingsFolderName(), shownFolder)
                                               : tr("the Jaws in %1").arg(shownFolder);
    if (prepared) {
        headingLabel->setText(tr("The Korvalis Braille driver will be removed from %1, and the settings it changed put back as they were.")
                                  .arg(jawsName));
        planText->setPlainText(removalWizard->removal().plan().join(QLatin1Char('\n')));
        setButtonText(QWizard::NextButton, tr("&Remove"));
    } else if (removalWizard->removal().recordDamaged()) {
        headingLabel->setText(tr("The installation record of the Korvalis Braille driver in %1 is damaged or cannot be read: "
                                 "nothing can be removed. The removal report says more.").arg(jawsName));
        planText->clear();
    } else {
        headingLabel->setText(tr("The Korvalis Braille driver has no installation record in %1: there is nothing to remove.").arg(jawsName));
        planText->clear();
    }
}

int RemovalPlanPage::nextId() const
{
    return prepared ? RemovalWizard::ProgressPageId : RemovalWizard::ConclusionPageId;
}

// Not the plan: its text is set as the page is shown, and a screen reader that handles that
// change after the plan has taken the focus treats the focus as a mere caret move and says
// nothing (Orca does). The sentence names the JAWS and what will be done; the plan follows it.
void RemovalPlanPage::focusHeading()
{
    headingLabel->setFocus();
}
