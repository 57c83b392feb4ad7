#include "installwizard.h"

#include "collectinfopage.h"
#include "intropage.h"

#include <QApplication>

#include <QWizardPage>

InstallWizard::InstallWizard(QWidget *parent)
    : QWizard(parent)
{
    setPage(IntroPageId, new IntroPage);
    auto *collectInfoPage = new CollectInfoPage;
    setPage(CollectInfoPageId, collectInfoPage);
    // The other pages join as they are built; until then each id holds a blank page so that
    // the wizard already walks its four steps.
    setPage(CopyFilesPageId, new QWizardPage);
    setPage(ConclusionPageId, new QWizardPage);

    // No Back button: the installation cannot be undone page by page.
    setButtonLayout({ QWizard::Stretch, QWizard::NextButton, QWizard::FinishButton, QWizard::CancelButton });
    setButtonText(QWizard::NextButton, tr("&Next>"));
    setWindowTitle(tr("Korvalis driver for Jaws"));
    setWizardStyle(QWizard::ClassicStyle);

    connect(this, &QWizard::currentIdChanged, this, &InstallWizard::slotCurrentIdChanged);
    connect(qApp, &QApplication::focusChanged, collectInfoPage, &CollectInfoPage::slotFocusChanged);
}

void InstallWizard::slotCurrentIdChanged(int id)
{
    Q_UNUSED(id);
    // Whatever had the focus on the page before, a screen-reader user lands in the folder list.
    if (currentId() == CollectInfoPageId && currentPage())
        static_cast<CollectInfoPage *>(currentPage())->focusJawsList();
}
