#include "installwizard.h"

#include "intropage.h"

#include <QWizardPage>

InstallWizard::InstallWizard(QWidget *parent)
    : QWizard(parent)
{
    setPage(IntroPageId, new IntroPage);
    // The other pages join as they are built; until then each id holds a blank page so that
    // the wizard already walks its four steps.
    setPage(CollectInfoPageId, new QWizardPage);
    setPage(CopyFilesPageId, new QWizardPage);
    setPage(ConclusionPageId, new QWizardPage);

    // No Back button: the installation cannot be undone page by page.
    setButtonLayout({ QWizard::Stretch, QWizard::NextButton, QWizard::FinishButton, QWizard::CancelButton });
    setButtonText(QWizard::NextButton, tr("&Next>"));
    setWindowTitle(tr("Korvalis driver for Jaws"));
    setWizardStyle(QWizard::ClassicStyle);

    connect(this, &QWizard::currentIdChanged, this, &InstallWizard::slotCurrentIdChanged);
}

void InstallWizard::slotCurrentIdChanged(int id)
{
    Q_UNUSED(id);
    // The choice page takes the keyboard focus into its folder list once that page exists.
}
