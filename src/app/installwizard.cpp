#include "installwizard.h"

#include "collectinfopage.h"
#include "conclusionpage.h"
#include "copyfilespage.h"
#include "intropage.h"

#include <QApplication>

InstallWizard::InstallWizard(QWidget *parent)
    : QWizard(parent)
{
    setPage(IntroPageId, new IntroPage);
    auto *collectInfoPage = new CollectInfoPage;
    setPage(CollectInfoPageId, collectInfoPage);
    auto *copyFilesPage = new CopyFilesPage;
    setPage(CopyFilesPageId, copyFilesPage);
    setPage(ConclusionPageId, new ConclusionPage);

    // No Back button: the installation cannot be undone page by page.
    setButtonLayout({ QWizard::Stretch, QWizard::NextButton, QWizard::FinishButton, QWizard::CancelButton });
    setButtonText(QWizard::NextButton, tr("&Next>"));
    setWindowTitle(tr("Korvalis driver for Jaws"));
    setWizardStyle(QWizard::ClassicStyle);

    connect(this, &QWizard::currentIdChanged, this, &InstallWizard::slotCurrentIdChanged);
    connect(qApp, &QApplication::focusChanged, collectInfoPage, &CollectInfoPage::slotFocusChanged);
    // Cancel, Escape or closing the window while the files are copied: the copy is stopped and
    // waited for before anything goes, and JAWS is given back.
    connect(this, &QDialog::rejected, copyFilesPage, &CopyFilesPage::cancelInstallation);
}

void InstallWizard::slotCurrentIdChanged(int id)
{
    Q_UNUSED(id);
    // Whatever had the focus on the page before, a screen-reader user lands in the folder list.
    if (currentId() == CollectInfoPageId && currentPage())
        static_cast<CollectInfoPage *>(currentPage())->focusJawsList();
}
