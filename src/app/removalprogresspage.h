#pragma once

#include <QWizardPage>

class QLabel;
class QProgressBar;
class Removal;

// Where the removal happens: the same warning as the installation's before JAWS is closed,
// the item being removed or restored, and a progress bar. It moves on by itself once the
// removal is over, whichever way it ended; Next stays disabled until then.
class RemovalProgressPage : public QWizardPage
{
    Q_OBJECT

public:
    explicit RemovalProgressPage(QWidget *parent = nullptr);

    void initializePage() override;
    bool isComplete() const override { return finished; }
    // Nothing is removed after all; a JAWS closed here is started again.
    void cancelRemoval();

private slots:
    // Started once the wizard has settled on this page, so that a key pressed while JAWS is
    // being closed meets this page's buttons, not the last page's.
    void startRemoval();
    void removalFinished();

private:
    Removal &removal() const;
    void warnBeforeClosingJaws();

    QLabel *infoLabel;
    QLabel *currentItemLabel;
    QProgressBar *progressBar;
    bool started = false;
    bool finished = false;
};
