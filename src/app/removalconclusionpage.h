#pragma once

#include <QWizardPage>

class QLabel;

// How the removal went (done, done with lines to read, nothing to remove, cancelled, not done)
// and where its report is, published into the JAWS program folder as an installation's is.
class RemovalConclusionPage : public QWizardPage
{
    Q_OBJECT

public:
    explicit RemovalConclusionPage(QWidget *parent = nullptr);

    void initializePage() override;
    void focusResult();

private:
    QLabel *resultLabel;
    QLabel *finishLabel;
};
