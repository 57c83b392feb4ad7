#pragma once

#include <QWizardPage>

class QLabel;
class QListWidget;

// Page 1: which installed JAWS receives the driver, and which braille display is connected.
// Built for the keyboard and screen readers: both lists have mnemonics, the folder list takes
// the focus when the page is shown, and the current row is announced whenever a list gains it.
class CollectInfoPage : public QWizardPage
{
    Q_OBJECT

public:
    explicit CollectInfoPage(QWidget *parent = nullptr);

    void focusJawsList();
    bool validatePage() override;

public slots:
    void slotFocusChanged(QWidget *old, QWidget *now);

private:
    QLabel *infoLabel;
    QLabel *jawsLabel;
    QListWidget *jawsListWidget;
    QLabel *devicesLabel;
    QListWidget *devicesListWidget;
};
