#pragma once

#include <QWizardPage>

class QLabel;

// Page 3: leaves the report in the JAWS program folder, says how the installation went (and
// where the report is when it went wrong), and how to leave.
class ConclusionPage : public QWizardPage
{
    Q_OBJECT

public:
    explicit ConclusionPage(QWidget *parent = nullptr);

    void initializePage() override;

private:
    QLabel *finishLabel;
    QLabel *resultLabel;
};
