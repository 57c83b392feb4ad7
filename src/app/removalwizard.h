#pragma once

#include "installer/removal.h"

#include <QStringList>
#include <QWizard>

// The way back, opened by Windows' list of apps: what will be removed from which JAWS, the
// removal itself, and how it went. Strictly forward and driven by the keyboard, as the
// installation's wizard.
class RemovalWizard : public QWizard
{
    Q_OBJECT

public:
    enum PageId { ChoicePageId = 0, PlanPageId = 1, ProgressPageId = 2, ConclusionPageId = 3 };

    // `jawsFolder` names the JAWS installation to remove the driver from; without one, the user
    // chooses among those of `installedFolders` that hold an install record.
    RemovalWizard(const QString &jawsFolder, const QStringList &installedFolders, QWidget *parent = nullptr);
    ~RemovalWizard() override;

    Removal &removal() { return m_removal; }
    // The JAWS installations that hold an install record, when none was named.
    QStringList recordedFolders() const { return m_recordedFolders; }
    // The JAWS installation named, or chosen on the first page; empty when there is none.
    QString jawsFolder() const;
    // Whether the removal was asked to stop.
    bool cancelRequested() const { return m_cancelRequested; }

    // Cancel, Escape or the window's close button. While JAWS is being closed, the removal
    // stops and the last page says so; once the removal proper has begun, it runs to its end.
    void reject() override;

private slots:
    void slotCurrentIdChanged(int id);

private:
    Removal m_removal;
    QString m_namedFolder;
    QStringList m_recordedFolders;
    bool m_cancelRequested = false;
};
