#pragma once

#include <QWizardPage>

class QLabel;
class QPlainTextEdit;

// What the removal will do, and in which JAWS (its version and folder), before anything is
// touched: a sentence the focus starts in, then the removal's plan in a read-only text that Tab
// reaches. Next removes; without an install record it leads to the last page, which says so.
class RemovalPlanPage : public QWizardPage
{
    Q_OBJECT

public:
    explicit RemovalPlanPage(QWidget *parent = nullptr);

    void initializePage() override;
    int nextId() const override;
    void focusHeading();

private:
    QLabel *headingLabel;
    QPlainTextEdit *planText;
    bool prepared = false;
};
