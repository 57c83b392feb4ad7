#pragma once

#include <QWizardPage>

class QLabel;

// Page 0: which driver, in which version, for which displays, and how to move on.
class IntroPage : public QWizardPage
{
    Q_OBJECT

public:
    explicit IntroPage(QWidget *parent = nullptr);

private:
    QLabel *infoLabel;
};
