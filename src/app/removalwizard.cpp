#include "removalwizard.h"

#include "globals.h"
#include "paths/windowspath.h"
#include "removalchoicepage.h"
#include "removalconclusionpage.h"
#include "removalplanpage.h"
#include "removalprogresspage.h"

RemovalWizard::RemovalWizard(const QString &jawsFolder, const QStringList &installed, QWidget *parent)
    : QWizard(parent)
    , m_removal(jaws, jawsInstaller.target(), jawsInstaller.package(), jawsInstaller.runReport())
{
    m_removal.setInBackground(true);
    if (jawsFolder.isEmpty()) {
        for (const QString &folder : installed) {
            if (Removal::isRecorded(jawsInstaller.target(), jawsInstaller.package(), folder))
                m_recordedFolders << folder;
        }
    } else {
        // Named as the registry names it, where it does: the list of apps wrote it long ago.
        m_namedFolder = jawsFolder;
        for (const QString &folder : installed) {
            if (WindowsPath::samePath(folder, jawsFolder))
                m_namedFolder = folder;
        }
        // JAWS uninstalled first: only the list's entry is left, and it goes now.
        QString gone;
        Removal::forgetGoneJaws(m_namedFolder, &gone);
    }

    setPage(ChoicePageId, new RemovalChoicePage(m_recordedFolders));
    setPage(PlanPageId, new RemovalPlanPage);
    setPage(ProgressPageId, new RemovalProgressPage);
    setPage(ConclusionPageId, new RemovalConclusionPage);
    // Nothing to choose when a JAWS was named, nothing to do when no JAWS holds a record.
    if (!m_namedFolder.isEmpty())
        setStartId(Removal::isRecorded(jawsInstaller.target(), jawsInstaller.package(), m_namedFolder) ? PlanPageId : ConclusionPageId);
    else if (m_recordedFolders.isEmpty())
        setStartId(ConclusionPageId);

    // No Back button: what is removed is not put back page by page.
    setButtonLayout({ QWizard::Stretch, QWizard::NextButton, QWizard::FinishButton, QWizard::CancelButton });
    setButtonText(QWizard::NextButton, tr("&Next>"));
    setWindowTitle(tr("Removing the Korvalis driver from Jaws"));
    setWizardStyle(QWizard::ClassicStyle);

    connect(this, &QWizard::currentIdChanged, this, &RemovalWizard::slotCurrentIdChanged);
}

// The removal goes before the pages: a removal that never began ends as a cancel, which its
// views must no longer hear.
RemovalWizard::~RemovalWizard()
{
    disconnect(&m_removal, nullptr, nullptr, nullptr);
}

QString RemovalWizard::jawsFolder() const
{
    if (!m_namedFolder.isEmpty())
        return m_namedFolder;
    const int row = field(QStringLiteral("removalJawsRow")).toInt();
    return row >= 0 && row < m_recordedFolders.size() ? m_recordedFolders.at(row) : QString();
}

void RemovalWizard::reject()
{
    if (currentId() == ProgressPageId) {
        auto *progress = static_cast<RemovalProgressPage *>(currentPage());
        if (!progress->isComplete()) {
            if (m_removal.state() != Removal::State::Removing && !m_cancelRequested) {
                m_cancelRequested = true;
                progress->cancelRemoval();
            }
            return;
        }
    }
    QWizard::reject();
}

void RemovalWizard::slotCurrentIdChanged(int id)
{
    // Where a screen-reader user expects to be on each page, whatever QWizard chose: the list to
    // choose from, the sentence that says what will be done, the sentence that says how it went.
    if (id == ChoicePageId)
        static_cast<RemovalChoicePage *>(currentPage())->focusJawsList();
    else if (id == PlanPageId)
        static_cast<RemovalPlanPage *>(currentPage())->focusHeading();
    else if (id == ConclusionPageId)
        static_cast<RemovalConclusionPage *>(currentPage())->focusResult();
}
